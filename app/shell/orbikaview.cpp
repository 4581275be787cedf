// The view's start-up, its small members, page switching, painting and mouse clicks.
#include "orbikaview.h"

#include <cstdio>

#include <QMouseEvent>
#include <QPainter>

#include "app/glue/fileglue.h"
#include "app/glue/qstochar.h"
#include "appresources.h"
#include "core/welcome.h"
#include "settingsupdate.h"

namespace {

// Sizes in pixels: the view at construction, the text image, the map.
constexpr int kStartWidth = 720;
constexpr int kStartHeight = 600;
constexpr int kTextWidth = 860;
constexpr int kTextHeight = 2500;
constexpr int kMapWidth = 860;
constexpr int kMapHeight = 501;
constexpr int kCanvasWidth = 721;

// The name in buf with a leading '*' resolved to the TLE file's directory.
QString resolvedName(const char* buf)
{
    char name[sizeof(WinpData::savename)];
    std::snprintf(name, sizeof name, "%s", buf);
    return vsFileName(name);
}

}  // namespace

OrbikaView::OrbikaView(QWidget* parent) : QWidget(parent)
{
    initOrbikaResources();
    resize(kStartWidth, kStartHeight);
    outdata->nlines = 0;
    swelcm(indata, outdata);
    fsz = indata->fontsize;
    localMode = false;
    pmText = QPixmap(kTextWidth, kTextHeight);
    pmText.fill(Qt::white);
    resize(kCanvasWidth, kMapHeight);
    showtxt(false);
    indata->mapwidth = kMapWidth;
    indata->mapheight = kMapHeight;
    indata->mapimgok = map.loadEarthImage(QStringLiteral(":/satpearth.png"));
    vRefresh();
    vText();
}

void OrbikaView::setFont(int n)
{
    fsz = n;
    indata->fontsize = n;
}

bool OrbikaView::getLeft() const { return indata->leftbtn; }

void OrbikaView::vLeft(bool b) { indata->leftbtn = b; }

void OrbikaView::keyPress(int n) { SelectPrime(indata, n); }

void OrbikaView::goHome()
{
    move(0, 0);
    update();
}

QString OrbikaView::getTLEname() const
{
    const char* name = indata->tlefile;
    if (name[0] == '\0' || name[0] == '*')
        return QString();
    return QString::fromLatin1(name);
}

void OrbikaView::setTLEname(const QString& s) { QsToChar(s, indata->tlefile); }

void OrbikaView::setSaveName(const QString& s)
{
    QsToChar(s, indata->savename);
    indata->savenew = 1;
}

void OrbikaView::setTSaveName(const QString& s)
{
    QsToChar(s, indata->tlesave);
    indata->tlesvnmset = 1;
}

QString OrbikaView::getSaveName() const { return resolvedName(indata->savename); }

QString OrbikaView::getTSaveName() const { return resolvedName(indata->tlesave); }

void OrbikaView::showPage()
{
    resize(pmText.size());
    move(0, 0);
    update();
}

void OrbikaView::showLastText()
{
    indata->pagemode = dsplmd == 2 ? -1 : 0;
    setCursor(Qt::ArrowCursor);
    showPage();
}

void OrbikaView::vText()
{
    if (indata->pagemode == 1) {
        showLastText();
        return;
    }
    indata->pagemode = 1;
    setCursor(Qt::CrossCursor);
    fitMapPage();
    move(0, 0);
    update();
}

void OrbikaView::fitMapPage() { resize(indata->picshow ? picture.shown().size() : map.display().size()); }

void OrbikaView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (indata->pagemode < 1)
        p.drawPixmap(0, 0, pmText);
    else
        p.drawPixmap(0, 0, indata->picshow ? picture.shown() : map.display());
}

void OrbikaView::mousePressEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    // Clicks on the picture are evaluated with the astrometry, with either button.
    if (indata->pagemode == 1 && indata->picshow) {
        astroEvent(at.x(), at.y(), e->button() == Qt::LeftButton);
        setFocus();
        return;
    }
    if (e->button() == Qt::LeftButton && !indata->leftbtn)
        return;
    if (indata->pagemode == -1) {
        const int pass = passAt(at.y());
        if (pass >= 0) {
            clearFocus();
            showPassDetails(pass);
        }
    } else if (indata->pagemode == 1 && !indata->picshow) {
        getMapPos(at.x(), at.y());
    }
    setFocus();
}
