// The plot modes: stepping the shown instant, real time and delta time. The world and sky maps
// are not drawn yet; until they are, each plot keeps its instant and the text page stays.
#include <algorithm>

#include "core/timeset.h"
#include "orbikaview.h"

namespace {

// Timer modes of the main window.
constexpr int kTimerIdle = 0;
constexpr int kRealTime = 1;
constexpr int kDeltaTime = 2;

}  // namespace

// Until the maps are drawn, a plot step only moves the shown instant; the page stays as it is.
void OrbikaView::SatPlot(double mjd, int) { indata->mjd = mjd; }

// The base map is drawn with the world map; until then the last text page stays.
void OrbikaView::vRefresh() { showLastText(); }

void OrbikaView::vRefreshP() { vRefresh(); }

void OrbikaView::vCurrent() { SatPlot(indata->mjd, 1); }

void OrbikaView::vForward() { SatPlot(indata->mjd + indata->tstep, 1); }

void OrbikaView::vBackward() { SatPlot(indata->mjd - indata->tstep, 1); }

// The jumps to the next and last pass belong to the map display; until then the text page stays.
void OrbikaView::vPlotNext() { showLastText(); }

void OrbikaView::vPlotLast() { showLastText(); }

void OrbikaView::vNames(bool on)
{
    indata->shownames = on;
    if (!indata->rtmode && !indata->deltamode)
        vCurrent();
}

void OrbikaView::RT_Plot() { SatPlot(RT_MJD(indata), 1); }

bool OrbikaView::PlotDelta()
{
    if (indata->mjd + indata->tstep > deltaend)
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
