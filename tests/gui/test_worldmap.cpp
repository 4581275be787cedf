// The ground-track maps: projections and their inverse, the night-side terminator, what the base
// map, the overlay and the information area draw at which pixels; and the plot modes over them
// (when the base map is redrawn, delta time, the jumps to the next and last pass, map clicks).
#include <cmath>
#include <tuple>

#include <QColor>
#include <QMessageBox>
#include <QTextEdit>

#include "astro/frames.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "core/satstate.h"
#include "foundation/arith.h"
#include "foundation/units.h"
#include "map_fixture.h"
#include "oblocaldialog.h"
#include "worldmap.h"

namespace {

using angle_units::kDegToRad;
using time_units::kSecond;
const QColor kLand(200, 100, 50);
const QColor kCyan(0, 255, 255);

// Number of pixels of colour c in the rectangle r of image img.
int countColour(const QImage& img, const QRect& r, const QColor& c)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

// Text of the next local information dialog, which is then closed.
void captureLocal(QString& text)
{
    whenModal<ObLocalDialog>([&text](ObLocalDialog* d) {
        text = d->findChild<QTextEdit*>()->toPlainText();
        d->close();
    });
}

}  // namespace

TEST_F(MapTest, WorldMapProjectionAndInverse)
{
    view->vRefresh();
    EXPECT_EQ(QPoint(720, 180), view->PxCoord(0, 180));
    EXPECT_EQ(QPoint(360, 0), view->PxCoord(90, 0));
    EXPECT_EQ(QPoint(383, 84), view->PxCoord(48.15, 11.58)) << "halves round away from zero";
    indata->cenlon = 90;
    EXPECT_EQ(0, view->PxCoord(0, -90).x());
    EXPECT_EQ(360, view->PxCoord(0, 90).x());
    for (double lat : {-60.0, -12.5, 0.0, 33.0, 75.5}) {
        for (double lon : {-170.0, -45.5, 0.0, 89.5, 179.0}) {
            double la, lo;
            view->CoordPx(view->PxCoord(lat, lon), la, lo);
            EXPECT_NEAR(lat, la, 0.25);
            EXPECT_NEAR(0, std::remainder(lon - lo, 360.0), 0.25) << lat << " " << lon;
        }
    }
}

TEST_F(MapTest, PolarMapsProjectionAndInverse)
{
    for (int type : {kNorthPolar, kSouthPolar}) {
        indata->maptype = type;
        indata->cenlon = 0;
        view->vRefresh();
        const double sign = type == kNorthPolar ? 1 : -1;
        EXPECT_EQ(QPoint(360, 180), view->PxCoord(90 * sign, 37));
        EXPECT_EQ(indata->mapwidth + 3, view->PxCoord(-0.1 * sign, 0).x()) << "other hemisphere";
        double lat, lon;
        view->CoordPx(QPoint(360, 180), lat, lon);
        EXPECT_DOUBLE_EQ(90, lat) << "the pole pixel gives latitude 90 as stated";
        EXPECT_DOUBLE_EQ(0, lon);
        view->CoordPx(QPoint(0, 0), lat, lon);
        EXPECT_EQ(-100, lat) << "the corner lies beyond the equator";
        EXPECT_LT(view->PxCoord(60 * sign, 0).y(), 180) << "longitude 0 points up";
        indata->cenlon = 30;
        for (double la : {10.0, 45.0, 80.0}) {
            for (double lo : {-150.0, -20.0, 30.0, 120.0}) {
                view->CoordPx(view->PxCoord(la * sign, lo), lat, lon);
                EXPECT_NEAR(la * sign, lat, 0.6);
                EXPECT_NEAR(0, std::remainder(lo - lon, 360.0), 0.6 / std::cos(la * kDegToRad));
            }
        }
    }
}

TEST(WorldMapHelpers, TerminatorLiesWhereTheSunSets)
{
    // Sun unit vectors at several declinations; the terminator point on each meridian must be
    // at right angles to the Sun direction.
    for (double dec : {-23.4, -10.0, 5.0, 23.4}) {
        const Vec3 s(std::cos(dec * kDegToRad) * std::cos(0.3), std::cos(dec * kDegToRad) * std::sin(0.3),
                     std::sin(dec * kDegToRad));
        for (double l = -170; l < 180; l += 17) {
            if (std::fabs(std::remainder(l * kDegToRad - 0.3 - M_PI, 2 * M_PI)) < 0.05)
                continue;  // the midnight meridian is degenerate
            const Vec3 g(std::cos(l * kDegToRad), std::sin(l * kDegToRad), 0);
            const double phi = TerminatorLat(s, g) * kDegToRad;
            const Vec3 p = std::cos(phi) * g + Vec3(0, 0, std::sin(phi));
            EXPECT_NEAR(0, dot(p, s), 1e-9) << dec << " " << l;
        }
    }
}

TEST_F(MapTest, CoastlineObserverAndNightShadingAtTheirPixels)
{
    view->vRefresh();
    QImage img = canvas();
    // The table's first point, north-west Australia, lies on the outline.
    EXPECT_EQ(kLand, img.pixelColor(view->PxCoord(-20.0, 120.0)));
    EXPECT_EQ(kCyan, img.pixelColor(view->PxCoord(indata->obslat, indata->obslon)));
    EXPECT_EQ(QColor(Qt::white), img.pixelColor(view->PxCoord(0, -150))) << "open Pacific";
    EXPECT_EQ(QColor(0, 50, 200), img.pixelColor(100, 450)) << "information strip";

    indata->daynight = 1;
    view->vRefresh();
    img = canvas();
    const double t = julcent(indata->mjd);
    Sun200 sun;
    const Vec3 s = vnorm(eclequ(t, sun.position(t)));
    ASSERT_LT(s[2], 0) << "February: the Sun is south, the night cap is north";
    const QColor shade(223, 223, 223);
    for (int col : {40, 200, 333, 500, 680}) {
        const double l = -180 + 0.5 * col;
        const Vec3 g = vnorm(GeoPos(indata->mjd, 0, 0, l * kDegToRad, 0));
        const int n = static_cast<int>(2 * TerminatorLat(s, g));
        int wrong = 0;
        for (int y = 0; y <= 360; ++y) {
            const QColor c = img.pixelColor(col, y);
            if (c == kLand || c == kCyan)
                continue;
            const bool night = 180 - y >= n;  // half-degree latitude 180 - y at or north of n
            wrong += (c == shade) != night;
        }
        EXPECT_EQ(0, wrong) << "column " << col << " terminator " << n / 2.0;
    }
}

TEST_F(MapTest, OverlayInformationAreaAndTracks)
{
    view->vRefresh();
    view->SatPlot(indata->mjd, 1);
    EXPECT_GT(countColour(canvas(), QRect(590, 362, 130, 30), QColor(255, 0, 0)), 20)
        << "*** No Satellite *** in red";

    select("ISS");
    ASSERT_EQ(1, indata->nsat);
    indata->shownames = 1;
    view->vRefresh();
    const double t0 = indata->mjd;
    view->SatPlot(t0, 1);
    SatPosData sp = *satps;
    const QPoint c = view->PxCoord(sp.lat[0], sp.lon[0]);
    EXPECT_EQ(c, view->lastPixel(0));
    QImage disp = display();
    EXPECT_EQ(QColor(Qt::black), disp.pixelColor(c)) << "marker centre in slot colour 0";
    ASSERT_GT(sp.ncircle, 0);
    const QPoint f = view->PxCoord(sp.circlat[0][0] / kDegToRad, sp.circlon[0][0] / kDegToRad);
    EXPECT_EQ(QColor(Qt::black), disp.pixelColor(f)) << "footprint point";
    const QPoint sun = view->PxCoord(sp.sunlat, sp.sunlon);
    EXPECT_EQ(QColor(255, 255, 0), disp.pixelColor(sun + QPoint(2, 2))) << "sub-solar mark";
    // The name column: slot colour on white, the rest of the strip white text on blue.
    const QImage info = canvas();
    EXPECT_GT(countColour(info, QRect(590, 362, 130, 25), QColor(Qt::white)), 50);
    EXPECT_GT(countColour(info, QRect(590, 362, 130, 25), QColor(Qt::black)), 20);
    EXPECT_GT(countColour(info, QRect(150, 362, 140, 70), QColor(Qt::white)), 50) << "Lat/Lng/Height";
    EXPECT_EQ(2026, indata->dspyear);

    // Without night shading the previous position stays as a track point on the canvas.
    view->SatPlot(t0 + 60 * kSecond, 1);
    EXPECT_EQ(QColor(Qt::black), canvas().pixelColor(c));
    indata->daynight = 1;
    view->vRefresh();
    view->SatPlot(t0, 1);
    const QColor base = canvas().pixelColor(c);
    view->SatPlot(t0 + 60 * kSecond, 1);
    EXPECT_EQ(base, canvas().pixelColor(c)) << "no track with night shading";
    EXPECT_EQ(QColor(Qt::black), display().pixelColor(view->lastPixel(0))) << "marker still shown";
}

TEST_F(MapTest, FootprintOfASatelliteOffThePolarMapReachesIntoIt)
{
    select("ISS");
    indata->maptype = kNorthPolar;
    view->vRefresh();
    // The first minute at which the ISS is 3 to 8 degrees south of the equator.
    double t = indata->mjd;
    for (int k = 0; k < 200; ++k, t += 1 / 1440.0) {
        GetSatPos(t, indata, satps, 0, 0);
        if (satps->lat[0] < -3 && satps->lat[0] > -8)
            break;
    }
    view->SatPlot(t, 1);
    ASSERT_GT(view->lastPixel(0).x(), indata->mapwidth) << "the satellite is off the map";
    const SatPosData sp = *satps;
    const QImage disp = display();
    int inside = 0, drawn = 0;
    for (int k = 0; k < sp.ncircle; ++k) {
        const QPoint f = view->PxCoord(sp.circlat[0][k] / kDegToRad, sp.circlon[0][k] / kDegToRad);
        if (f.x() > indata->mapwidth || f.y() < 0)
            continue;
        ++inside;
        drawn += disp.pixelColor(f) == QColor(Qt::black);
    }
    EXPECT_GT(inside, 3);
    EXPECT_EQ(inside, drawn) << "footprint points on the map in the slot colour";
}

TEST_F(MapTest, PhysicalMapShiftsWithTheCentralMeridian)
{
    indata->maptype = kWorldImage;
    view->vRefresh();
    const QColor atGreenwich = canvas().pixelColor(360, 100);
    indata->cenlon = 90;
    view->vRefresh();
    EXPECT_EQ(atGreenwich, canvas().pixelColor(view->PxCoord(40, 0)));
    indata->cenlon = 1000;  // absurd value from the map dialog: drawn, no crash
    view->vRefresh();
    EXPECT_EQ(1, indata->pagemode);
}

TEST_F(MapTest, NightShadingAndSkyMapAreRedrawnOnlyAfterLargerSteps)
{
    select("ISS");
    indata->skyproj = 0;
    indata->visonly = 0;
    // The night shading is redrawn after 0.01 day, the sky map after 0.004 day.
    for (const auto& [daynight, skymap, small, large] :
         {std::tuple{1, 0, 0.005, 0.02}, std::tuple{0, 1, 0.003, 0.005}}) {
        indata->daynight = daynight;
        indata->skymap = skymap;
        view->vRefresh();
        const double t0 = indata->mjd;
        view->SatPlot(t0 + small, 1);
        EXPECT_DOUBLE_EQ(t0, indata->lastrefresh) << "sky map " << skymap;
        view->SatPlot(t0 + large, 1);
        EXPECT_DOUBLE_EQ(t0 + large, indata->lastrefresh) << "sky map " << skymap;
    }
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
    EXPECT_DOUBLE_EQ(kSiteLat, indata->obslat) << "the observer is restored";

    captureLocal(text);
    view->getMapPos(100, 450);  // the information area, below latitude -90
    EXPECT_TRUE(text.contains("*** Cursor outside Map ***")) << text.toStdString();

    indata->maptype = 1;
    view->vRefresh();
    captureLocal(text);
    view->getMapPos(360, 180);
    EXPECT_TRUE(text.startsWith("Lat: 90,  Long: 0")) << text.toStdString();
}
