// The plot modes: the base map refresh, one plot step, stepping the shown instant, real time,
// delta time and the jumps to the next and last pass.
#include <algorithm>
#include <cmath>

#include "app/glue/messages.h"
#include "astro/timescales.h"
#include "core/passdetails.h"
#include "core/passsearch.h"
#include "core/satstate.h"
#include "core/timeset.h"
#include "foundation/arith.h"
#include "mapinfo.h"
#include "orbikaview.h"
#include "skymap.h"
#include "sunmoondisc.h"

namespace {

// Timer modes of the main window.
constexpr int kTimerIdle = 0;
constexpr int kRealTime = 1;
constexpr int kDeltaTime = 2;
// Display mode of the map page.
constexpr int kMapShown = 3;
// Night shading and the Sun/Moon disc are redrawn after this many days of plotted time.
constexpr double kNightTolerance = 0.01;
constexpr double kDiscTolerance = 0.01;
// Sky maps are redrawn after these many days: zenith / band, without / with night shading.
constexpr double kSkyTolerance[2][2] = {{0.004, 0.002}, {0.002, 0.001}};
// Whole seconds are kept when the step is at least one second (days).
constexpr double kOneSecond = 1.1574074074074073e-05;
// Sky projection whose band the pass jump centres on the pass.
constexpr int kSkyAlongPass = 5;
// Metres per kilometre.
constexpr double kMetres = 1000.0;

// The instant t (MJD) put on the nearest whole second.
double wholeSecond(double t)
{
    int day, month, year, h, m;
    double hour, s;
    caldat(t, day, month, year, hour);
    dms(hour, h, m, s);
    return mjd(day, month, year, ddd(h, m, std::trunc(s + 0.5)));
}

// The observer, saved while a plot step or a click moves it to the prime satellite.
struct Observer {
    double lat, lon, hgt;
    static Observer of(const WinpData& in) { return {in.obslat, in.obslon, in.obshgt}; }
    void restore(WinpData& in) const
    {
        in.obslat = lat;
        in.obslon = lon;
        in.obshgt = hgt;
    }
};

// Moves the observer of in to the prime satellite at mjd (satellite view).
void toPrime(WinpData& in, SatPosData& sp, double mjd)
{
    GetSatPos(mjd, &in, &sp, in.prime, 0);
    in.obslat = sp.lat[in.prime];
    in.obslon = sp.lon[in.prime];
    in.obshgt = sp.height[in.prime] * kMetres;
}

}  // namespace

void OrbikaView::vRefresh()
{
    dsplmd = kMapShown;
    setCursor(Qt::CrossCursor);
    indata->pagemode = 1;
    const bool disc = SunMoonDiscWanted(indata);
    // The disc view is drawn about the prime satellite's view of the body.
    if (disc && indata->nsat > 0)
        GetSatPos(indata->mjd, indata, satps, indata->prime, 0);
    map.drawBase(indata, satps, disc);
    indata->smplot = disc ? 1 : 0;
    if (!disc || indata->nsat > 0)
        indata->lastrefresh = indata->mjd;
    // A shown picture keeps its own size; only its overlays are cleared.
    if (indata->picshow)
        picture.clear();
    fitMapPage();
    repaint();
}

bool OrbikaView::needsRefresh(double mjd) const
{
    const double d = std::fabs(indata->lastrefresh - mjd);
    if (SunMoonDiscWanted(indata))
        return indata->smplot == 0 || d > kDiscTolerance;
    if (indata->smplot == 1)
        return true;
    if (indata->daynight && d > kNightTolerance)
        return true;
    if (indata->skymap == 0)
        return false;
    const double tol = kSkyTolerance[indata->skyproj != 0][indata->daynight != 0];
    return indata->satview || d > tol;
}

void OrbikaView::SatPlot(double mjd, int circles)
{
    if (indata->picshow) {
        PicPlot(mjd);
        return;
    }
    const Observer observer = Observer::of(*indata);
    indata->mjd = mjd;
    const bool moved = indata->satview && indata->skymap == 1 && indata->nsat > 0;
    if (moved)
        toPrime(*indata, *satps, mjd);
    if (needsRefresh(mjd))
        vRefresh();
    if (indata->skymap)
        indata->relmode = 0;
    for (int i = 0; i < std::min(indata->nsat, kMaxSat); ++i)
        GetSatPos(mjd, indata, satps, i, circles);
    indata->dspyear = PlotYear(indata, mjd);
    map.drawInfo(indata, satps);
    map.drawOverlay(indata, satps, circles);
    if (!indata->daynight)
        map.drawTracks(indata);
    if (moved)
        observer.restore(*indata);
    resize(map.display().size());
    repaint();
}

void OrbikaView::vRefreshP()
{
    vRefresh();
    if (indata->nsat > 0)
        vCurrent();
}

// Shows the map page first when the text page is up, then plots the instant mjd.
void OrbikaView::plotFrom(double mjd)
{
    if (indata->pagemode == 0) {
        indata->pagemode = 1;
        vRefresh();
    }
    SatPlot(mjd, 1);
}

void OrbikaView::vCurrent() { plotFrom(indata->mjd); }

void OrbikaView::vForward() { plotFrom(indata->mjd + indata->tstep); }

void OrbikaView::vBackward() { plotFrom(indata->mjd - indata->tstep); }

void OrbikaView::vPlotNext() { plotPass(true); }

void OrbikaView::vPlotLast() { plotPass(false); }

void OrbikaView::plotPass(bool next)
{
    if (indata->nsat < 1) {
        warnQuit(this, tr("No satellite selected"));
        return;
    }
    const double dir = next ? 1 : -1;
    const double t0 = indata->mjd + dir * indata->tstep;
    const double t1 = t0 + dir * indata->duration;
    const int iridmode = indata->iridmode;
    if (iridmode == 3)
        indata->iridmode = 0;
    if (indata->relmode && indata->skymap)
        indata->relmode = 0;
    double tm[3], el[3], az[3];
    const int found = next ? nextpass(indata, indata->prime, t0, t1, tm, el, az)
                           : lastpass(indata, indata->prime, t0, t1, tm, el, az);
    indata->iridmode = iridmode;
    if (!found) {
        if (indata->pagemode != 0)
            SatPlot(indata->mjd, 1);
        warnQuit(this, tr("No suitable pass found"));
        return;
    }
    vRefresh();
    indata->passcont = 1;
    const bool relative = RelativeMode(indata);
    // The last-pass search returns the pass end first and its start last.
    double t = relative ? tm[next ? 0 : 2] : tm[1];
    if (!relative && indata->skymap && indata->skyproj == kSkyAlongPass) {
        SkyAzim(indata, t);
        vRefresh();
    }
    if (indata->tstep >= kOneSecond)
        t = wholeSecond(t);
    SatPlot(t, 1);
}

void OrbikaView::vNames(bool on)
{
    indata->shownames = on;
    if (!indata->rtmode && !indata->deltamode)
        vCurrent();
}

void OrbikaView::RT_Plot()
{
    if (inmappos)
        return;
    indata->pagemode = 1;
    SatPlot(RT_MJD(indata), 1);
}

bool OrbikaView::PlotDelta()
{
    if (inmappos)
        return false;
    // A step of zero would never reach the end of the interval.
    if (!(indata->tstep > 0) || indata->mjd + indata->tstep > deltaend)
        return true;
    SatPlot(indata->mjd + indata->tstep, 0);
    return false;
}

void OrbikaView::vTmCheck(int mode)
{
    if (mode < kTimerIdle)
        return;
    if (mode == kTimerIdle) {
        if (indata->rtmode == 1) {
            indata->rtmode = 0;
            vCurrent();
        }
        indata->deltamode = 0;
        return;
    }
    if (indata->pagemode < 1)
        vRefresh();
    if (mode == kRealTime) {
        indata->deltamode = 0;
        indata->rtmode = 1;
        return;
    }
    indata->rtmode = 0;
    setNewMjd(indata);
    indata->deltamode = kDeltaTime;
    vCurrent();
    deltaend = indata->mjd + indata->duration;
}

void OrbikaView::scrollDsp(int dx, int dy)
{
    if (dx > 0)
        vBackward();
    else if (dx < 0)
        vForward();
    else
        move(0, std::min(y() + dy, 0));
}

void OrbikaView::getMapPos(int x, int y)
{
    // The disc view has no geographic positions to click.
    if (indata->smplot == 1)
        return;
    inmappos = true;
    const Observer observer = Observer::of(*indata);
    const double loc[] = {indata->locaz, indata->locel, indata->locra, indata->locdec};
    const QPoint p(x, y);
    if (indata->skymap == 0) {
        map.CoordPx(indata, p, indata->obslat, indata->obslon);
        indata->obshgt = 0;
    } else {
        if (indata->satview && indata->nsat > 0)
            toPrime(*indata, *satps, indata->mjd);
        SkyPx(indata, map.geometry(), p);
    }
    vLocalPass();
    observer.restore(*indata);
    indata->locaz = loc[0];
    indata->locel = loc[1];
    indata->locra = loc[2];
    indata->locdec = loc[3];
    inmappos = false;
}
