// Main window construction, the plotting timer and the hot keys.
#include "orbikaapp.h"

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>

#include "appresources.h"
#include "orbikaview.h"

QString APPDIR;
QString CFDIR;
QString TLEname;
int fntsz = 10;
int picsize = 0;

namespace {

// Window sizes in pixels: normal, and with the small map font.
constexpr int kWidth = 837;
constexpr int kWidthSmallFont = 744;
constexpr int kHeight = 560;
// How long the start-up "Ready." stays, ms.
constexpr int kReadyMs = 2000;
// Timer intervals, ms: real time about once a second, delta time as fast as events allow.
constexpr int kRealTimeMs = 980;
constexpr int kDeltaTimeMs = 1;

}  // namespace

OrbikaApp::OrbikaApp(QWidget* parent) : QMainWindow(parent)
{
    initOrbikaResources();
    APPDIR = QDir::currentPath();
    CFDIR = QDir::homePath();
    // Numbers are formatted and parsed with a decimal point whatever the system locale is.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::AnyTerritory));
    setWindowTitle(tr("Orbika - 11.8"));
    setWindowIcon(QIcon(QStringLiteral(":/orbika32.png")));

    initActions();
    initMenuBar();
    initToolBar();
    initStatusBar();
    resize(kWidth, kHeight);
    initView();

    setFocusPolicy(Qt::StrongFocus);
    setFocus();
    slotViewStatusBar(false);
    {
        const QSignalBlocker block(actions[ViewLeft]);
        actions[ViewLeft]->setChecked(view->getLeft());
    }
    slotViewLeft(view->getLeft());

    TLEname = view->getTLEname();
    if (TLEname.isEmpty())
        QDir::setCurrent(QDir::homePath());
    fntsz = view->getFsz();
    if (fntsz == kSmallFont)
        resize(kWidthSmallFont, kHeight);

    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &OrbikaApp::slotTmCheck);
    tmMode = 0;
}

OrbikaApp::~OrbikaApp() = default;

void OrbikaApp::initStatusBar() { statusBar()->showMessage(tr("Ready."), kReadyMs); }

void OrbikaApp::initView()
{
    pictureLabel = std::make_unique<QLabel>();
    pictureLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    pictureLabel->setScaledContents(true);
    view = new OrbikaView(pictureLabel.get());
    scrollArea = new QScrollArea;
    scrollArea->setWidget(view);
    // Hot keys reach the window even when the scroll area holds the focus.
    scrollArea->installEventFilter(this);
    setCentralWidget(scrollArea);
}

bool OrbikaApp::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == scrollArea && e->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void OrbikaApp::command(const QString& msg, bool stopTimer, const std::function<void()>& run)
{
    statusBar()->showMessage(msg);
    if (stopTimer)
        slotStopTime();
    run();
    statusBar()->showMessage(tr("Ready."));
}

void OrbikaApp::scrollHome()
{
    scrollArea->horizontalScrollBar()->setValue(0);
    scrollArea->verticalScrollBar()->setValue(0);
}

void OrbikaApp::toggleTimer(int mode, int interval)
{
    if (tmMode == 0) {
        tmMode = mode;
        timer->start(interval);
    } else {
        timer->stop();
        tmMode = 0;
    }
    view->vTmCheck(tmMode);
}

void OrbikaApp::slotPlotRT()
{
    command(tr("Real Time plot"), false, [this] { toggleTimer(1, kRealTimeMs); });
}

void OrbikaApp::slotPlotDelta()
{
    command(tr("Delta Time plot"), false, [this] { toggleTimer(2, kDeltaTimeMs); });
}

void OrbikaApp::slotStopTime()
{
    if (tmMode == 0)
        return;
    tmMode = 0;
    timer->stop();
    view->vTmCheck(0);
}

void OrbikaApp::slotTmCheck()
{
    if (tmMode == 1) {
        view->RT_Plot();
    } else if (tmMode == 2 && view->PlotDelta()) {
        timer->stop();
        tmMode = 0;
        view->vTmCheck(0);
    }
}

void OrbikaApp::keyPressEvent(QKeyEvent* e)
{
    setFocus();
    if (!hotKey(e->key()))
        QMainWindow::keyPressEvent(e);
}

bool OrbikaApp::hotKey(int key)
{
    if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        view->keyPress(key - Qt::Key_0);
        return true;
    }
    switch (key) {
    case Qt::Key_A: slotCalcAOS(); break;
    case Qt::Key_C: slotInputLocation(); break;
    case Qt::Key_D: slotInputDate(); break;
    case Qt::Key_E: slotManvEdit(); break;
    case Qt::Key_F: slotFileOpen(); break;
    case Qt::Key_G: slotPlotDelta(); break;
    case Qt::Key_H: slotQuickHelp(); break;
    case Qt::Key_L: slotManvLaunch(); break;
    case Qt::Key_M: slotViewMagnitude(); break;
    case Qt::Key_N: actions[ViewNames]->toggle(); break;
    case Qt::Key_O: slotCalcOrbitTrack(); break;
    case Qt::Key_P: slotInputNextSat(); break;
    case Qt::Key_R: slotPlotRT(); break;
    case Qt::Key_S: view->vSelectSat(); break;
    case Qt::Key_T: slotViewStep(); break;
    case Qt::Key_U: slotPlotCurrent(); break;
    case Qt::Key_V: view->vVisibility(); break;
    case Qt::Key_W: slotViewSwitch(); break;
    case Qt::Key_X: slotViewText(); view->goHome(); break;
    case Qt::Key_Y: slotViewMap(); break;
    case Qt::Key_Z: slotInputRemoveSat(); break;
    case Qt::Key_0: view->keyPress(kMaxSat); break;
    case Qt::Key_Space: view->vLocalInf(); break;
    case Qt::Key_Right: slotStopTime(); view->scrollDsp(-10, 0); break;
    case Qt::Key_Left: slotStopTime(); view->scrollDsp(10, 0); break;
    case Qt::Key_Up: slotStopTime(); view->scrollDsp(0, -10); break;
    case Qt::Key_Down: slotStopTime(); view->scrollDsp(0, 10); break;
    case Qt::Key_PageDown: slotStopTime(); slotPlotNext(); break;
    case Qt::Key_PageUp: slotStopTime(); slotPlotLast(); break;
    case Qt::Key_Home: scrollHome(); view->goHome(); break;
    case Qt::Key_Delete: view->vRefreshP(); break;
    default: return false;
    }
    return true;
}
