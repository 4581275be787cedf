// The command slots of the main window: each shows its status message, stops the timer when the
// command computes, saves or plots, and calls one member of the view.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTextStream>
#include <QToolBar>

#include "app/glue/messages.h"
#include "core/downloadlog.h"
#include "core/cataloguesearch.h"
#include "obquickdialog.h"
#include "onlineupdate.h"
#include "orbikaapp.h"
#include "orbikaview.h"

namespace {

// Filters of the file dialogs.
const char* const kTleFilter = "TLE files (*.txt *.TXT *.tle *.TLE);;OMM CSV files (*.csv *.CSV);;all files (*.*)";
const char* const kAllFilter = "all files (*.*)";
const char* const kImageFilter = "Images ( *.png *.jpg *.bmp);;all files (*.*)";

// Commands that stop the timer before they run, and those that leave it running.
constexpr bool kStop = true;
constexpr bool kKeep = false;

// Picture scales of the size actions.
constexpr int kQuarter = 3;
constexpr int kHalf = 2;
constexpr int kNormal = 0;

}  // namespace

void OrbikaApp::slotFileOpen()
{
    statusBar()->showMessage(tr("Opening TLE file..."));
    const QString name =
        QFileDialog::getOpenFileName(this, tr("TLE file dialog"), TLEname, tr(kTleFilter));
    if (name.isEmpty()) {
        statusBar()->showMessage(tr("*** TLE file not selected ***"));
        return;
    }
    TLEname = name;
    view->setTLEname(name);
    view->vCheckTle();
    statusBar()->showMessage(tr("Ready."));
}

OnlineUpdate* OrbikaApp::httpClient()
{
    if (!http) {
        http = new OnlineUpdate(this, APPDIR + QLatin1Char('/') + QString::fromLatin1(kDownloadLog));
        // Queued: the message box of the end must not run inside the network reply's signals.
        connect(http, &OnlineUpdate::done, this, &OrbikaApp::httpDone, Qt::QueuedConnection);
    }
    return http;
}

void OrbikaApp::slotFileUpdate()
{
    statusBar()->showMessage(tr("Online TLE file update"));
    if (httpClient()->busy()) {
        inform(this, tr("Another online update still in progress."), tr("Online Update"));
        return;
    }
    QString hostName, urlPath, fileName;
    if (view->vUpdate(hostName, urlPath, fileName) != 0 || !confirmRepeat(hostName + urlPath)) return;
    if (http->get(hostName, urlPath, fileName) == OnlineUpdate::CannotWrite) {
        QMessageBox::information(
            this, tr("HTTP Get"),
            tr("Cannot write file %1\n%2.").arg(fileName, http->errorString()));
        return;
    }
    showUpdateProgress();
    statusBar()->showMessage(tr("Ready."));
}

bool OrbikaApp::confirmRepeat(const QString& address)
{
    const qint64 since = http->sinceDownload(address);
    if (since < 0 || since >= kRepeatDownloadSeconds) return true;
    return QMessageBox::question(this, tr("Online Update"),
                                 tr("%1 was downloaded %2 minutes ago. Download it again?").arg(address).arg(since / 60)) ==
           QMessageBox::Yes;
}

void OrbikaApp::showUpdateProgress()
{
    auto* dialog = new QProgressDialog(tr("Downloading %1").arg(http->targetName()), tr("Cancel"), 0, 0, this);
    dialog->setWindowTitle(tr("Online Update"));
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    connect(dialog, &QProgressDialog::canceled, http, &OnlineUpdate::cancel);
    connect(http, &OnlineUpdate::progress, dialog, [dialog](qint64 received, qint64 total) {
        dialog->setMaximum(total > 0 ? static_cast<int>(total) : 0);
        dialog->setValue(static_cast<int>(received));
    });
    connect(http, &OnlineUpdate::done, dialog, [dialog] {
        dialog->hide();
        dialog->deleteLater();
    });
    dialog->show();
}

void OrbikaApp::httpDone(bool error)
{
    if (error)
        QMessageBox::warning(this, tr("HTTP Get"),
                             tr("Error fetching file with HTTP: %1.").arg(http->errorString()));
    else
        QMessageBox::information(this, tr("HTTP Get"),
                                 tr("Download complete. File %1.").arg(http->targetName()));
    statusBar()->showMessage(tr("Ready."));
}

void OrbikaApp::slotFileSave()
{
    command(tr("Saving AOS times..."), kStop, [this] { view->vFileSave(); });
}

void OrbikaApp::saveAs(const QString& msg, const QString& title, const QString& start,
                       const QString& filter, const QString& notSelected,
                       const std::function<void(const QString&)>& save)
{
    statusBar()->showMessage(msg);
    slotStopTime();
    const QString name = QFileDialog::getSaveFileName(this, title, start, filter);
    if (name.isEmpty()) {
        statusBar()->showMessage(notSelected);
        return;
    }
    save(name);
    statusBar()->showMessage(tr("Ready."));
}

void OrbikaApp::slotFileSaveAs()
{
    saveAs(tr("Saving under new filename..."), tr("Select a File Name"), view->getSaveName(),
           tr(kAllFilter), tr("*** Save file not selected ***"), [this](const QString& name) {
               view->setSaveName(name);
               view->vFileSave();
           });
}

void OrbikaApp::slotFileTLESave()
{
    command(tr("Saving the TLE's on file..."), kStop, [this] { view->vTLESave(); });
}

void OrbikaApp::slotFileTLESaveAs()
{
    saveAs(tr("Saving the TLE's under new filename..."), tr("Select a TLE filename"),
           view->getTSaveName(), tr(kTleFilter), tr("*** TLE Save File not selected ***"),
           [this](const QString& name) {
               view->setTSaveName(name);
               view->vTLESave();
           });
}

void OrbikaApp::slotFilePicture()
{
    statusBar()->showMessage(tr("Opening TLE file..."));
    slotStopTime();
    const QString name =
        QFileDialog::getOpenFileName(this, tr("Open Picture"), CFDIR, tr(kImageFilter));
    if (!name.isEmpty()) {
        CFDIR = QFileInfo(name).absolutePath();
        const QImage image(name);
        if (image.isNull()) {
            inform(this, tr("Cannot load %1.").arg(name), tr("Orbika"));
            return;
        }
        view->vPicture(image);
        actions[ViewPicture]->setEnabled(true);
        actions[ViewPicture]->setChecked(true);
        for (Cmd c : {Size25, Size50, NormalSize})
            actions[c]->setEnabled(true);
    }
    statusBar()->showMessage(tr("Ready."));
}

void OrbikaApp::slotFileQuit()
{
    command(tr("Exiting application..."), kKeep, [this] {
        QDir::setCurrent(APPDIR);
        slotStopTime();
        view->vQuit();
        QApplication::quit();
    });
}

void OrbikaApp::slotInputSelectSat()
{
    command(tr("Select satellite..."), kKeep, [this] { view->vSelectSat(); });
}

void OrbikaApp::slotInputRemoveSat()
{
    command(tr("Remove satellite..."), kKeep, [this] { view->vRemoveSat(); });
}

void OrbikaApp::slotInputNextSat()
{
    statusBar()->showMessage(tr("Next satellites to pass..."));
    slotStopTime();
    const int n = view->vNextSat();
    if (n == kAllSatCancelled) {
        statusBar()->showMessage(tr("Search cancelled."));
        return;
    }
    if (n >= 2) {
        slotPlotRT();
        return;
    }
    warnQuit(this, n < 0 ? tr("Unable to open TLE file") : tr("No suitable satellites found"));
    statusBar()->showMessage(tr("Failed to find next satellites."));
}

void OrbikaApp::slotInputDate()
{
    statusBar()->showMessage(tr("Input the Date and Time..."));
    statusBar()->showMessage(view->vInputDate() ? tr("Input cancelled.") : tr("Ready."));
}

void OrbikaApp::slotInputLocation()
{
    statusBar()->showMessage(tr("Input the location..."));
    statusBar()->showMessage(view->vInputLocation() ? tr("Input cancelled.") : tr("Ready."));
}

void OrbikaApp::slotInputIers()
{
    command(tr("Set IERS Parameters..."), kKeep, [this] { view->vSetIERS(); });
}

void OrbikaApp::slotCalcAOS()
{
    command(tr("List satellite passes..."), kStop, [this] { view->vCalcAOS(); });
}

void OrbikaApp::slotCalcAllSats()
{
    command(tr("List all satellite passes..."), kStop, [this] { view->vAllSat(); });
}

void OrbikaApp::slotCalcOrbitTrack()
{
    command(tr("List all satellite passes..."), kStop, [this] { view->vOrbitTrack(); });
}

void OrbikaApp::slotCalcIridium()
{
    command(tr("List Iridium Flares..."), kStop, [this] { view->vIridium(); });
}

void OrbikaApp::slotCalcMatch()
{
    command(tr("Find matching satellites..."), kStop, [this] { view->vMatch(); });
}

void OrbikaApp::slotManvEdit()
{
    command(tr("Edit orbit elements"), kStop, [this] { view->vEditOrb(); });
}

void OrbikaApp::slotManvDeltaV()
{
    command(tr("Delta-V maneuver"), kStop, [this] { view->vDeltaV(); });
}

void OrbikaApp::slotManvLaunch()
{
    command(tr("Launch orbit"), kStop, [this] { view->vLaunch(); });
}

void OrbikaApp::slotManvRendz()
{
    command(tr("Rendezvous Launch orbit"), kStop, [this] { view->vRendz(); });
}

void OrbikaApp::slotManvOrbDet()
{
    command(tr("Orbit determination"), kStop, [this] { view->vOrbDet(); });
}

void OrbikaApp::slotPlotCurrent()
{
    command(tr("Plot current position"), kStop, [this] { view->vCurrent(); });
}

void OrbikaApp::slotPlotNext()
{
    command(tr("Next pass"), kStop, [this] { view->vPlotNext(); });
}

void OrbikaApp::slotPlotLast()
{
    command(tr("Last pass"), kStop, [this] { view->vPlotLast(); });
}

void OrbikaApp::slotPlotForward()
{
    command(tr("Step forward"), kStop, [this] { view->vForward(); });
}

void OrbikaApp::slotPlotBackward()
{
    command(tr("Step backward"), kStop, [this] { view->vBackward(); });
}

void OrbikaApp::slotViewRefresh()
{
    command(tr("Refresh screen"), kKeep, [this] {
        scrollHome();
        view->vRefreshP();
    });
}

void OrbikaApp::slotViewSwitch()
{
    command(tr("Switch prime satellite"), kKeep, [this] { view->vSwitch(); });
}

void OrbikaApp::slotViewMap()
{
    command(tr("Select world map or sky map parameters."), kKeep, [this] { view->vMapDialog(); });
}

void OrbikaApp::slotViewText()
{
    command(tr("Show last text display."), kStop, [this] {
        view->vText();
        scrollHome();
        view->goHome();
    });
}

void OrbikaApp::slotViewNames(bool on)
{
    command(tr("Show satellite names."), kKeep, [this, on] { view->vNames(on); });
}

void OrbikaApp::slotViewPicture(bool on)
{
    command(tr("Show loaded picture."), kStop, [this, on] {
        view->vPicSwitch(on);
        scrollHome();
        view->goHome();
    });
}

void OrbikaApp::slotViewLeft(bool on)
{
    command(tr("Enable left mouse button."), kKeep, [this, on] { view->vLeft(on); });
}

void OrbikaApp::slotViewVisibility()
{
    command(tr("Set visibility parameters."), kKeep, [this] { view->vVisibility(); });
}

void OrbikaApp::slotViewStep()
{
    command(tr("Change time step."), kKeep, [this] { view->vStep(); });
}

void OrbikaApp::slotViewMagnitude()
{
    command(tr("Set apparent magnitude parameter."), kKeep, [this] { view->vMag(); });
}

void OrbikaApp::slotViewFontSize()
{
    command(tr("Specify the font size..."), kKeep, [this] {
        bool ok = false;
        const int n = QInputDialog::getInt(this, tr("Font Size"),
                                           tr("Specify font size for display"), fntsz, 8, 12, 2,
                                           &ok);
        if (ok) {
            fntsz = n;
            view->setFont(n);
        }
    });
}

void OrbikaApp::slotViewToolBar(bool on)
{
    command(tr("Toggle toolbar..."), kKeep, [this, on] { toolBar->setVisible(on); });
}

void OrbikaApp::slotViewStatusBar(bool on)
{
    command(tr("Toggle statusbar..."), kKeep, [this, on] { statusBar()->setVisible(on); });
}

void OrbikaApp::slotSettSysConf()
{
    command(tr("Set system parameters."), kKeep, [this] { view->vSysConf(); });
}

void OrbikaApp::slotHelpAbout()
{
    QMessageBox::about(this, tr("About..."),
                       tr("Orbika\nVersion 11.8\n\nSatellite passes, flares, transits, ground "
                          "tracks and sky maps from Two Line Element files."));
}

void OrbikaApp::slotQuickHelp()
{
    statusBar()->showMessage(tr("Provide general help with Orbika"));
    QFile file(QStringLiteral(":/orbikaHelp.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        statusBar()->showMessage(tr("*** ERROR ***  unable to open Help file"));
        return;
    }
    ObQuickDialog dialog(this);
    QTextStream in(&file);
    while (!in.atEnd()) {
        dialog.setHelpLine(in.readLine());
        dialog.setHelpLine(QStringLiteral("\n"));
    }
    dialog.setHelpLine(QStringLiteral("$$$"));
    dialog.exec();
    statusBar()->showMessage(tr("Ready."));
}

void OrbikaApp::size25()
{
    picsize = kQuarter;
    view->vImage(kQuarter);
}

void OrbikaApp::size50()
{
    picsize = kHalf;
    view->vImage(kHalf);
}

void OrbikaApp::normalSize()
{
    picsize = kNormal;
    view->vImage(kNormal);
}
