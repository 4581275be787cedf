// The plot modes: when the base map is redrawn, delta time, the jumps to the next and last pass,
// and clicks on the map.
#include <QDialog>
#include <QMessageBox>
#include <QTextEdit>

#include <cmath>

#include "astro/time_units.h"
#include "astro/timescales.h"
#include "foundation/arith.h"
#include "map_fixture.h"
#include "oblocaldialog.h"

namespace {

using time_units::kSecond;

// Text of the next local information dialog, which is then closed.
void captureLocal(QString& text)
{
    whenModal<ObLocalDialog>([&text](ObLocalDialog* d) {
        text = d->findChild<QTextEdit*>()->toPlainText();
        d->close();
    });
}

}  // namespace

TEST_F(MapTest, NightShadingAndSkyMapRefreshTolerances)
{
    select("ISS");
    indata->daynight = 1;
    view->vRefresh();
    const double t0 = indata->mjd;
    view->SatPlot(t0 + 0.005, 1);
    EXPECT_DOUBLE_EQ(t0, indata->lastrefresh) << "small step keeps the shaded map";
    view->SatPlot(t0 + 0.02, 1);
    EXPECT_DOUBLE_EQ(t0 + 0.02, indata->lastrefresh) << "larger jump redraws the terminator";

    indata->daynight = 0;
    indata->skymap = 1;
    indata->skyproj = 0;
    indata->visonly = 0;
    view->vRefresh();
    const double t1 = indata->mjd;
    view->SatPlot(t1 + 0.003, 1);
    EXPECT_DOUBLE_EQ(t1, indata->lastrefresh) << "within 0.004 day the sky map stays";
    view->SatPlot(t1 + 0.005, 1);
    EXPECT_DOUBLE_EQ(t1 + 0.005, indata->lastrefresh);
}

TEST_F(MapTest, DeltaTimeStopsAtTheIntervalEnd)
{
    select("ISS");
    indata->tstep = 2.0;
    indata->duration = 1.0;
    view->vTmCheck(2);
    const double start = indata->mjd;
    EXPECT_EQ(2, indata->deltamode);
    EXPECT_TRUE(view->PlotDelta()) << "a step beyond the interval ends at once";
    EXPECT_DOUBLE_EQ(start, indata->mjd);

    indata->tstep = 0.25;
    int ticks = 0;
    while (!view->PlotDelta() && ticks < 100)
        ++ticks;
    EXPECT_EQ(4, ticks);
    EXPECT_DOUBLE_EQ(start + 1.0, indata->mjd);

    indata->tstep = 0;
    EXPECT_TRUE(view->PlotDelta()) << "a zero step does not hang";
    view->vTmCheck(0);
    EXPECT_EQ(0, indata->deltamode);
}

TEST_F(MapTest, NextAndLastPassOnWholeSeconds)
{
    QString text;
    whenMessage([&text](QMessageBox* box) { text = box->text(); });
    const double t0 = indata->mjd;
    view->vPlotNext();
    EXPECT_EQ("No satellite selected", text);
    EXPECT_DOUBLE_EQ(t0, indata->mjd);

    select("ISS");
    indata->visonly = 0;  // the culmination of the whole pass, not of its sunlit part
    indata->tstep = 10 * kSecond;
    view->vPlotNext();
    const double tmax = indata->mjd;
    EXPECT_GT(tmax, t0);
    EXPECT_LT(tmax, t0 + indata->duration + indata->tstep);
    EXPECT_EQ(1, indata->passcont);
    int d, m, y, h, mi;
    double hour, s;
    caldat(tmax, d, m, y, hour);
    dms(hour, h, mi, s);
    EXPECT_NEAR(0, std::remainder(s, 1.0), 1e-3) << "culmination on a whole second";
    const double elev = satps->elev[0];
    EXPECT_GT(elev, indata->minsatelev);
    for (double dt : {-30 * kSecond, 30 * kSecond}) {
        view->SatPlot(tmax + dt, 1);
        EXPECT_LT(satps->elev[0], elev + 0.01) << "the plotted instant is the highest";
    }

    view->vPlotLast();
    EXPECT_LT(indata->mjd, tmax - 0.01) << "the pass before";
    EXPECT_GT(indata->mjd, tmax - indata->duration - 0.01);
}

TEST_F(MapTest, MapClicksShowLocalVisibility)
{
    select("ISS");
    view->vRefresh();
    view->SatPlot(indata->mjd, 1);
    QString text;
    captureLocal(text);
    view->getMapPos(380, 80);  // 50 N, 10 E
    EXPECT_TRUE(text.startsWith("Lat: 50,  Long: 10")) << text.toStdString();
    EXPECT_DOUBLE_EQ(48.15, indata->obslat) << "the observer is restored";

    captureLocal(text);
    view->getMapPos(100, 450);  // the information area, below latitude -90
    EXPECT_TRUE(text.contains("*** Cursor outside Map ***")) << text.toStdString();

    indata->maptype = 1;
    view->vRefresh();
    captureLocal(text);
    view->getMapPos(360, 180);
    EXPECT_TRUE(text.startsWith("Lat: 90,  Long: 0")) << text.toStdString();
}
