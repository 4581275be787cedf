#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>

#include "astro/frames.h"
#include "core/dateframe.h"
#include "core/defaults.h"
#include "core/iridium.h"
#include "core/occtrans.h"
#include "core/satstate.h"
#include "iss_settings.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
constexpr double kRe = 6378.137;
// 2026-02-22 11:00 UTC: the Sun about 31 degrees high at 48.1 N, 11.6 E; 06:35 UTC: 3 degrees.
constexpr double kNoonMjd = 61093.0 + 11.0 / 24.0;
constexpr double kMorningMjd = 61093.0 + (6.0 + 35.0 / 60.0) / 24.0;

std::unique_ptr<SatPosData> stateRecord()
{
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    return sp;
}

// The site of the settings on the ellipsoid (Earth radii, of date).
Vec3 siteVector(const WinpData* in, const DateFrame& f)
{
    return GeoPos(f.trot, f.eqeq, in->obslat * kDeg, in->obslon * kDeg, in->obshgt);
}

// Centre-line point of a satellite h km above the site on its line toward the Sun.
void sunwardSatellite(WinpData* in, SatPosData* sp, double t, double h)
{
    const DateFrame f = MakeDateFrame(in, t);
    const Vec3 site = siteVector(in, f), sun = SunOfDate(f);
    GetOccTrans(f.trot, in, sp, 0, f.eqeq, site + vnorm(sun - site) * (h / kRe), sun);
}

// Elevation (degrees) of the Sun at the site.
double sunElevation(const WinpData* in, double t)
{
    const DateFrame f = MakeDateFrame(in, t);
    double az, el, dist;
    AppPos(f.trot, f.eqeq, in->obslat * kDeg, in->obslon * kDeg, in->obshgt, 1, SunOfDate(f), az, el, dist);
    return el / kDeg;
}
}  // namespace

TEST(OccTrans, SatelliteOnTheLineFromTheSiteToTheSunCentresTheTransitAtTheSite)
{
    auto in = IssSettings();
    auto sp = stateRecord();
    in->occmode = 1;
    for (double h : {400.0, 1500.0, 36000.0}) {
        sunwardSatellite(in.get(), sp.get(), kNoonMjd, h);
        EXPECT_NEAR(sp->ctrlat[0], in->obslat, 0.005) << h;
        EXPECT_NEAR(sp->ctrlon[0], in->obslon, 0.005) << h;
        EXPECT_LT(sp->mag, 0.5) << h;
    }
    // Along the fixed direction of the Sun (occmode 3) the line is practically the same.
    const DateFrame f = MakeDateFrame(in.get(), kNoonMjd);
    const Vec3 site = siteVector(in.get(), f), sun = SunOfDate(f);
    in->occmode = 3;
    GetOccTrans(f.trot, in.get(), sp.get(), 0, f.eqeq, site + vnorm(sun) * (600.0 / kRe), vnorm(sun));
    EXPECT_NEAR(sp->ctrlat[0], in->obslat, 0.005);
    EXPECT_LT(sp->mag, 0.5);
    // Only the prime satellite's distance goes to mag.
    in->occmode = 1;
    sp->mag = 7.0;
    in->prime = 1;
    sunwardSatellite(in.get(), sp.get(), kNoonMjd, 400.0);
    EXPECT_EQ(sp->mag, 7.0);
}

TEST(OccTrans, RefractionRaisesTheGroundForALowSun)
{
    auto in = IssSettings();
    auto sp = stateRecord();
    in->occmode = 1;
    // A high Sun: refraction changes nothing.
    in->refract = true;
    sunwardSatellite(in.get(), sp.get(), kNoonMjd, 400.0);
    EXPECT_LT(sp->mag, 0.5);
    // A Sun 3 degrees high: the sphere is raised by R = 8.404 e^-2.0137 km, which moves the
    // centre line by R / tan(e) toward the Sun.
    const double e = sunElevation(in.get(), kMorningMjd);
    ASSERT_GT(e, 1.4);
    ASSERT_LT(e, 5.0);
    in->refract = false;
    sunwardSatellite(in.get(), sp.get(), kMorningMjd, 400.0);
    EXPECT_LT(sp->mag, 1.0);
    in->refract = true;
    sunwardSatellite(in.get(), sp.get(), kMorningMjd, 400.0);
    const double raise = 8.40429926257 * std::pow(e, -2.01365949653);
    EXPECT_NEAR(sp->mag, raise / std::tan(e * kDeg), 0.1 * raise / std::tan(e * kDeg));
}

TEST(OccTrans, LinesThatMissTheEarth)
{
    auto in = IssSettings();
    auto sp = stateRecord();
    in->occmode = 3;
    const DateFrame f = MakeDateFrame(in.get(), kNoonMjd);
    const Vec3 down(0.0, 0.0, 1.0);  // lines leave the satellite toward -z
    // Grazing past the limb by 0.1 % of the radius, and just inside it.
    GetOccTrans(f.trot, in.get(), sp.get(), 0, f.eqeq, Vec3(1.001, 0.0, 3.0), down);
    EXPECT_EQ(sp->ctrlat[0], kNoCentreLine);
    GetOccTrans(f.trot, in.get(), sp.get(), 0, f.eqeq, Vec3(0.999, 0.0, 3.0), down);
    EXPECT_LT(sp->ctrlat[0], kNoCentreLine);
    EXPECT_GT(sp->ctrlat[0], 0.0);
    // The Earth behind the satellite.
    GetOccTrans(f.trot, in.get(), sp.get(), 0, f.eqeq, Vec3(0.0, 0.0, -3.0), down);
    EXPECT_EQ(sp->ctrlat[0], kNoCentreLine);
    // Sun transit mode: a satellite on the night side, beyond the Earth from the Sun.
    in->occmode = 1;
    const Vec3 sun = SunOfDate(f);
    GetOccTrans(f.trot, in.get(), sp.get(), 0, f.eqeq, -vnorm(sun) * 1.1, sun);
    EXPECT_EQ(sp->ctrlat[0], kNoCentreLine);
}

TEST(OccTrans, SphericalDistanceAndDirection)
{
    double cosd, dir;
    // From the equator at 0 to 45 N, 90 E: a quarter circle starting toward north-east.
    ADisDir(0.0, 0.0, 90.0 * kDeg, 45.0 * kDeg, cosd, dir);
    EXPECT_NEAR(cosd, 0.0, 1e-12);
    EXPECT_NEAR(dir, 45.0, 1e-9);
    // Due west and due south come out as 270 and 180; a pole has no direction.
    ADisDir(0.3, 0.0, 0.1, 0.0, cosd, dir);
    EXPECT_NEAR(dir, 270.0, 1e-9);
    ADisDir(0.3, 0.2, 0.3, -0.1, cosd, dir);
    EXPECT_NEAR(dir, 180.0, 1e-9);
    ADisDir(0.3, kPi / 2, 1.0, 0.5, cosd, dir);
    EXPECT_EQ(dir, 0.0);
    // Against the usual initial-bearing formula over a spread of point pairs.
    std::srand(7);
    for (int k = 0; k < 200; ++k) {
        const auto r = [](double span) { return (std::rand() / double(RAND_MAX) - 0.5) * span; };
        const double l1 = r(2 * kPi), p1 = r(3.0), l2 = r(2 * kPi), p2 = r(3.0);
        ADisDir(l1, p1, l2, p2, cosd, dir);
        const double bearing = std::atan2(std::sin(l2 - l1) * std::cos(p2),
                                          std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(l2 - l1));
        EXPECT_NEAR(dir, std::fmod(bearing / kDeg + 360.0, 360.0), 1e-6) << k;
        EXPECT_NEAR(cosd, std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(l2 - l1), 1e-12);
    }
}

TEST(OccTrans, TransitRemarksOfTheIssOverAMonth)
{
    // Sun transits of the ISS whose centre line passes within 100 km of site A, from mid-March
    // 2026 on.
    auto in = IssSettings();
    auto sp = stateRecord();
    in->iridmode = 1;
    in->occmode = 1;
    in->evmaxdist = 100.0;
    const EventRun run(in.get());
    const std::vector<EventHit> events = FindEvents(in.get(), 0, 61114.0, 61135.0, run.defaulted(), sp.get());
    ASSERT_GE(events.size(), 3u);
    const std::regex shape(R"(   ([ >]\d|\d\d)\.\d km ( \d|\d\d)\.\d sec ( {3}\d| {2}\d\d| \d{3}))");
    for (const EventHit& e : events) {
        EXPECT_LE(e.value, 100.0);
        ASSERT_TRUE(std::regex_match(e.label, shape)) << "'" << e.label << "'";
        const double width = std::atof(e.label.c_str() + 3), duration = std::atof(e.label.c_str() + 11);
        // The ISS, some hundred km away, takes a second or so to cross the Sun.
        EXPECT_GT(duration, 0.3);
        EXPECT_LT(duration, 5.0);
        // The default zone rule keeps the event exactly when the site lies within the half width.
        char remark[kTransitTextBytes];
        int result = 0;
        SunMoonTr(in.get(), e.t, 0, e.value, 1, result, remark, sp.get());
        EXPECT_EQ(remark, e.label);
        EXPECT_EQ(result, width >= e.value ? 1 : 2);
        EXPECT_EQ(in->obslat, 48.1);
        EXPECT_EQ(in->obslon, 11.6);
    }
}
