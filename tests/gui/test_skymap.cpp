// The sky map: projections, clicks, satellite markers and the chart against star hour angles.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <tuple>

#include "core/defaults.h"
#include "foundation/textconv.h"
#include "skymap.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
// 2000-01-16 21:00 UT and 12:00 UT.
constexpr double kNightMjd = 51559.875, kNoonMjd = 51559.5;

// J2000 positions (degrees) of Sirius and of double stars whose components share a pixel.
struct Star {
    double ra, dec;
};
constexpr Star kSirius{101.287155, -16.716116};
constexpr Star kAlnitak{85.189694, -1.942572};
constexpr Star kMizar{200.981429, 54.925362};

// Settings of an observer at 50 N, 10 E on a white sky map.
WinpData observer(int skyproj)
{
    WinpData s{};
    SetDefaults(&s, 946684800);  // 2000-01-01
    std::tie(s.mapwidth, s.mapheight, s.obslat, s.obslon) = std::make_tuple(860, 501, 50.0, 10.0);
    s.mjd = s.lastrefresh = kNightMjd;
    std::tie(s.skyproj, s.epoch, s.mapbg) = std::make_tuple(skyproj, 0.0, 0);
    return s;
}

// Azimuth (from north through east) and elevation, degrees, of a J2000 star from the mean
// sidereal time (IAU 1982, linear term), ignoring precession over the few days from J2000.
void starAzEl(const Star& star, double mjd, double lat, double lon, double& az, double& el)
{
    const double gmst = 280.46061837 + 360.98564736629 * (mjd - 51544.5);
    const double ha = (gmst + lon - star.ra) * kDeg, dec = star.dec * kDeg, phi = lat * kDeg;
    el = std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(ha)) / kDeg;
    az = std::atan2(-std::cos(dec) * std::sin(ha),
                    std::sin(dec) * std::cos(phi) - std::cos(dec) * std::sin(phi) * std::cos(ha)) / kDeg;
}

// The chart of s drawn on a white canvas.
QImage chart(const WinpData& s)
{
    QPixmap pm(721, 501);
    pm.fill(Qt::white);
    QPainter painter(&pm);
    PltSky(painter, &s, SkyGeometryFor(s.skyproj));
    painter.end();
    return pm.toImage();
}

// True when a pixel of colour c (black by default) lies within one pixel of p.
bool colourNear(const QImage& img, const QPoint& p, const QColor& c = Qt::black)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.pixelColor(p + QPoint(dx, dy)) == c) return true;
    return false;
}

}  // namespace

TEST(SkyMap, ProjectionsFaceTheRightWay)
{
    // Zenith projection: zenith centred, horizon radius 215, east left, below it off the chart.
    WinpData s = observer(0);
    const SkyGeometry zenith = SkyGeometryFor(0);
    EXPECT_EQ(QPoint(360, 180), PxSky(&s, zenith, 90.0, 123.0));
    EXPECT_EQ(QPoint(145, 180), PxSky(&s, zenith, 0.0, 90.0));
    EXPECT_GT(PxSky(&s, zenith, -1.0, 90.0).x(), s.mapwidth);
    EXPECT_FALSE(SkyPx(&s, zenith, QPoint(0, 360))) << "the chart's corner is beyond the horizon";
    s.obshgt = 400000.0;
    EXPECT_EQ(0.0, SkyHorizon(&s));
    s.satview = true;
    EXPECT_NEAR(-19.75, SkyHorizon(&s), 0.1) << "seen from 400 km";
    EXPECT_LE(PxSky(&s, zenith, -19.0, 90.0).x(), 721);
    EXPECT_GT(PxSky(&s, zenith, -20.0, 90.0).x(), s.mapwidth);
    ASSERT_TRUE(SkyPx(&s, zenith, PxSky(&s, zenith, -15.0, 90.0)));
    EXPECT_NEAR(-15.0, s.locel, 0.6);
    s = observer(1);
    s.skyazim = 30.0;
    const SkyGeometry band = SkyGeometryFor(1);
    EXPECT_EQ(QPoint(0, 361), PxSky(&s, band, 0.0, -60.0)) << "the band: 90 degrees each side of azimuth 30";
    s.locra = s.locdec = 7.0;
    EXPECT_FALSE(SkyPx(&s, band, QPoint(300, 400)));
    EXPECT_EQ(7.0, s.locra) << "a click below the horizon keeps the last place";
}

TEST(SkyMap, SatelliteMarkersFollowVisibilityAndViewpoint)
{
    WinpData s = observer(0);
    SatPosData sp{};
    sp.elev[0] = sp.elev[1] = 90.0;
    std::tie(sp.sunlit[0], sp.sunlit[1], sp.moonlit[1]) = std::make_tuple(5.0, -5.0, 3.0);  // 1 in moonlight only
    std::tie(s.nsat, s.prime, s.visonly) = std::make_tuple(2, 0, 0);
    const SkyGeometry g = SkyGeometryFor(0);
    EXPECT_EQ(QPoint(360, 180), SkySatPixel(&s, &sp, g, 1));
    s.visonly = 1;
    s.moonvis = 0;
    EXPECT_GT(SkySatPixel(&s, &sp, g, 1).x(), s.mapwidth);
    s.moonvis = 1;
    EXPECT_EQ(QPoint(360, 180), SkySatPixel(&s, &sp, g, 1));
    EXPECT_EQ(QPoint(360, 180), SkySatPixel(&s, &sp, g, 0));
    s.satview = true;
    EXPECT_GT(SkySatPixel(&s, &sp, g, 0).x(), s.mapwidth);
}

TEST(SkyMap, ChartShowsBrightStarsWhereTheirHourAngleSaysAndClicksGiveTheirPlace)
{
    for (int proj : {0, 1}) {
        WinpData s = observer(proj);
        const SkyGeometry g = SkyGeometryFor(proj);
        double az = 0, el = 0;
        starAzEl(kSirius, kNightMjd, s.obslat, s.obslon, az, el);
        s.skyazim = az;  // the band centred on Sirius
        const QImage img = chart(s);
        ASSERT_GT(el, 10.0);
        const QPoint sirius = PxSky(&s, g, el, az);
        EXPECT_TRUE(colourNear(img, sirius)) << proj;
        for (double epoch : {0.0, 2000.0}) {
            s.epoch = epoch;
            ASSERT_TRUE(SkyPx(&s, g, sirius));
            EXPECT_NEAR(0, std::remainder(s.locaz - az, 360.0), 0.8) << proj;
            EXPECT_GE(s.locaz, 0.0) << "azimuths from 0 to 360";
            EXPECT_NEAR(kSirius.ra, DmsDegF(s.locra) * 15.0, 1.2) << "a click gives R.A. and Dec. " << proj;
            EXPECT_NEAR(kSirius.dec, DmsDegF(s.locdec), 0.6) << proj;
        }
    }
}

TEST(SkyMap, DoubleStarsShowTheBrightComponentAndTheSunShowsOnlyByDay)
{
    WinpData s = observer(0);
    const QImage night = chart(s);
    for (const Star& star : {kAlnitak, kMizar}) {
        double az = 0, el = 0;
        starAzEl(star, kNightMjd, s.obslat, s.obslon, az, el);
        ASSERT_GT(el, 10.0);
        EXPECT_TRUE(colourNear(night, PxSky(&s, SkyGeometryFor(0), el, az), QColor(50, 50, 50)))
            << "the grey of magnitudes 2 to 3 (2.05 and 2.27 over 4.21 and 3.95) " << star.ra;
    }
    // The Sun's legend entry, and its marker south of the zenith, only by day.
    EXPECT_EQ(QColor(Qt::white), night.pixelColor(12, 12));
    s.mjd = kNoonMjd;
    const QImage day = chart(s);
    EXPECT_EQ(QColor(255, 0, 0), day.pixelColor(12, 12));
    bool sunOnChart = false;
    for (int y = 181; y < 361 && !sunOnChart; ++y)
        for (int x = 300; x < 420 && !sunOnChart; ++x) sunOnChart = day.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(sunOnChart);
}
