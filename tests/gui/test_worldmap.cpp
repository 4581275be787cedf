// The ground-track maps: projections, night side, overlay, information area and plot modes.

#include "core/satstate.h"
#include "canvaslayout.h"
#include "gui_helpers.h"

namespace {

using angle_units::kDegToRad;
using time_units::kSecond;
const QColor kLand(200, 100, 50), kCyan(0, 255, 255);

// Number of pixels of colour c in the rectangle r of image img.
int countColour(const QImage& img, const QRect& r, const QColor& c)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += img.pixelColor(x, y) == c;
    return n;
}

}  // namespace

TEST_F(MapTest, ProjectionsAndTheirInverse)
{
    view.vRefresh();
    EXPECT_EQ(QPoint(720, 180), view.PxCoord(0, 180)) << "east to the right";
    EXPECT_EQ(QPoint(360, 0), view.PxCoord(90, 0)) << "north up";
    for (int type : {0, kNorthPolar, kSouthPolar}) {
        indata->maptype = type;
        indata->cenlon = 0;
        view.vRefresh();
        const double sign = type == kSouthPolar ? -1 : 1;
        if (type != 0) {
            EXPECT_EQ(QPoint(360, 180), view.PxCoord(90 * sign, 37)) << "the pole in the centre";
            EXPECT_GT(view.PxCoord(-0.1 * sign, 0).x(), indata->mapwidth) << "other hemisphere";
            EXPECT_LT(view.PxCoord(60 * sign, 0).y(), 180) << "longitude 0 points up";
        }
        // A click on the pixel of a place gives it back within half a pixel, the map turned to 30 E.
        indata->cenlon = 30;
        const double tol = type == 0 ? 0.25 : 0.6;
        for (double la : {10.0, 45.0, 80.0})
            for (double lo : {-150.0, 30.0, 120.0}) {
                double lat, lon;
                view.CoordPx(view.PxCoord(la * sign, lo), lat, lon);
                EXPECT_NEAR(la * sign, lat, tol) << type;
                EXPECT_NEAR(0, std::remainder(lo - lon, 360.0), type == 0 ? tol : tol / std::cos(la * kDegToRad));
            }
    }
    indata->maptype = kWorldImage;
    indata->cenlon = 0;
    view.vRefresh();
    const QColor atGreenwich = canvas().pixelColor(360, 100);
    indata->cenlon = 90;
    view.vRefresh();
    EXPECT_EQ(atGreenwich, canvas().pixelColor(view.PxCoord(40, 0))) << "the physical map turns";
}

TEST_F(MapTest, CoastlineObserverAndNightShadingAtTheirPixels)
{
    view.vRefresh();
    QImage img = canvas();
    EXPECT_EQ(kLand, img.pixelColor(view.PxCoord(-20.0, 120.0))) << "the table's first point";
    EXPECT_EQ(kCyan, img.pixelColor(view.PxCoord(indata->obslat, indata->obslon)));
    EXPECT_EQ(QColor(Qt::white), img.pixelColor(view.PxCoord(0, -150))) << "open Pacific";
    EXPECT_EQ(QColor(0, 50, 200), img.pixelColor(100, 450)) << "information strip";
    // Night shading 22 February 0h UT, Sun 10 degrees south: Greenwich and the Arctic dark, the Antarctic lit.
    indata->daynight = 1;
    view.vRefresh();
    img = canvas();
    const QColor shade(223, 223, 223);
    EXPECT_EQ(shade, img.pixelColor(view.PxCoord(0, 0)));
    EXPECT_NE(shade, img.pixelColor(view.PxCoord(0, 179)));
    for (double lon = -179; lon < 180; lon += 7) {
        const QColor arctic = img.pixelColor(view.PxCoord(85, lon));
        EXPECT_TRUE(arctic == shade || arctic == kLand) << lon;
        EXPECT_NE(shade, img.pixelColor(view.PxCoord(-85, lon))) << lon;
    }
}

TEST_F(MapTest, OverlayInformationAreaAndTracks)
{
    view.vRefresh();
    view.SatPlot(indata->mjd, 1);
    EXPECT_GT(countColour(canvas(), QRect(590, 362, 130, 30), QColor(255, 0, 0)), 20)
        << "*** No Satellite *** in red";
    selectByGlue("ISS");
    indata->shownames = 1;
    view.vRefresh();
    const double t0 = indata->mjd;
    view.SatPlot(t0, 1);
    SatPosData sp = *satps;
    const QPoint c = view.PxCoord(sp.lat[0], sp.lon[0]);
    const QImage disp = display();
    EXPECT_EQ(QColor(Qt::black), disp.pixelColor(c)) << "marker centre in slot colour 0";
    ASSERT_GT(sp.ncircle, 0);
    const QPoint f = view.PxCoord(sp.circlat[0][0] / kDegToRad, sp.circlon[0][0] / kDegToRad);
    EXPECT_EQ(QColor(Qt::black), disp.pixelColor(f)) << "footprint point";
    const QPoint sun = view.PxCoord(sp.sunlat, sp.sunlon);
    EXPECT_EQ(QColor(255, 255, 0), disp.pixelColor(sun + QPoint(2, 2))) << "sub-solar mark";
    EXPECT_GT(countColour(canvas(), QRect(590, 362, 130, 25), QColor(Qt::black)), 20) << "name in slot colour";
    EXPECT_GT(countColour(canvas(), QRect(150, 362, 140, 70), QColor(Qt::white)), 50) << "Lat/Lng/Height";
    view.SatPlot(t0 + 60 * kSecond, 1);
    EXPECT_EQ(QColor(Qt::black), canvas().pixelColor(c)) << "without night shading a track point stays";
    indata->daynight = 1;
    view.vRefresh();
    view.SatPlot(t0, 1);
    const QColor base = canvas().pixelColor(c);
    view.SatPlot(t0 + 60 * kSecond, 1);
    EXPECT_EQ(base, canvas().pixelColor(c)) << "no track with night shading";
    EXPECT_EQ(QColor(Qt::black), display().pixelColor(view.lastPixel(0))) << "marker still shown";
}

TEST_F(MapTest, FootprintOfASatelliteOffThePolarMapReachesIntoIt)
{
    selectByGlue("ISS");
    indata->maptype = kNorthPolar;
    view.vRefresh();
    // The first minute at which the ISS is 3 to 8 degrees south of the equator, off the map.
    double t = indata->mjd;
    for (int k = 0; k < 200; ++k, t += 1 / 1440.0) {
        GetSatPos(t, indata, satps, 0, 0);
        if (satps->lat[0] < -3 && satps->lat[0] > -8) break;
    }
    view.SatPlot(t, 1);
    ASSERT_GT(view.lastPixel(0).x(), indata->mapwidth) << "the satellite is off the map";
    const QImage disp = display(), base = canvas();
    int drawn = 0;
    for (int y = 0; y < kMapRows; ++y)
        for (int x = 0; x < kMapCols; ++x)
            drawn += disp.pixelColor(x, y) == QColor(Qt::black) && base.pixelColor(x, y) != QColor(Qt::black);
    EXPECT_GT(drawn, 3) << "pixels turned to the slot colour by the footprint";
}

TEST_F(MapTest, DeltaTimeStopsAtTheIntervalEnd)
{
    selectByGlue("ISS");
    indata->tstep = 2.0;
    indata->duration = 1.0;
    view.vTmCheck(2);
    const double start = indata->mjd;
    EXPECT_TRUE(view.PlotDelta()) << "a step beyond the interval ends at once";
    EXPECT_DOUBLE_EQ(start, indata->mjd);
    indata->tstep = 0.25;
    int ticks = 0;
    while (!view.PlotDelta() && ticks < 100) ++ticks;
    EXPECT_EQ(4, ticks);
    EXPECT_DOUBLE_EQ(start + 1.0, indata->mjd);
    indata->tstep = 0;
    EXPECT_TRUE(view.PlotDelta()) << "a zero step does not hang";
}

TEST_F(MapTest, NextAndLastPassOnWholeSeconds)
{
    const double t0 = indata->mjd;
    EXPECT_EQ("No satellite selected", messageOf([&] { view.vPlotNext(); }).text);
    EXPECT_DOUBLE_EQ(t0, indata->mjd);
    selectByGlue("ISS");
    indata->visonly = 0;  // the culmination of the whole pass, not of its sunlit part
    indata->tstep = 10 * kSecond;
    view.vPlotNext();
    const double tmax = indata->mjd;
    EXPECT_GT(tmax, t0);
    EXPECT_LT(tmax, t0 + indata->duration + indata->tstep);
    EXPECT_NEAR(0, std::remainder(tmax / kSecond, 1.0), 1e-3) << "culmination on a whole second";
    const double elev = satps->elev[0];
    EXPECT_GT(elev, indata->minsatelev);
    for (double dt : {-30 * kSecond, 30 * kSecond}) {
        view.SatPlot(tmax + dt, 1);
        EXPECT_LT(satps->elev[0], elev + 0.01) << "the plotted instant is the highest";
    }
    view.vPlotLast();
    EXPECT_LT(indata->mjd, tmax - 0.01) << "the pass before";
}

TEST_F(MapTest, MapClicksShowLocalVisibility)
{
    selectByGlue("ISS");
    view.vRefresh();
    view.SatPlot(indata->mjd, 1);
    const auto local = [this](int x, int y) {
        return textShown<ObLocalDialog>(QString(), [&] { view.getMapPos(x, y); }).toStdString();
    };
    EXPECT_EQ(0u, local(380, 80).find("Lat: 50,  Long: 10"));
    EXPECT_DOUBLE_EQ(kSiteLat, indata->obslat) << "the observer is restored";
    EXPECT_NE(std::string::npos, local(100, 450).find("*** Cursor outside Map ***")) << "below latitude -90";
    indata->maptype = 1;
    view.vRefresh();
    EXPECT_EQ(0u, local(360, 180).find("Lat: 90,  Long: 0"));
}
