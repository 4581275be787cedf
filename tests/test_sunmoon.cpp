#include <gtest/gtest.h>

#include <cmath>

#include "astro_check_values.h"

namespace {
// Julian centuries of TT at 1900 and 2100 January 1.
constexpr double kT1900 = -1.0;
constexpr double kT2100 = 1.0;
// One day in Julian centuries.
constexpr double kDay = 1.0 / 36525.0;
}  // namespace

TEST(SunMoonSeries, ReproduceCheckValues)
{
    const AstroDeviation sun = astroDeviation("sun");
    EXPECT_EQ(sun.rows, 6);
    EXPECT_LT(sun.lonDeg, 1e-6);
    EXPECT_LT(sun.latDeg, 1e-6);
    EXPECT_LT(sun.dist, 1e-8);  // AU

    const AstroDeviation moon = astroDeviation("moon");
    EXPECT_EQ(moon.rows, 6);
    EXPECT_LT(moon.lonDeg, 1e-6);
    EXPECT_LT(moon.latDeg, 1e-6);
    EXPECT_LT(moon.dist, 1e-6);  // Earth radii
}

TEST(SunMoonSeries, AgreeWithIndependentEphemeris)
{
    // Worst differences over 1900-2100 are 2.9", 0.21", 2.2e-6 AU for the Sun and 5.0",
    // 1.5", 15 km for the Moon; the series are accurate to a few arcseconds.
    const AstroDeviation sun = astroDeviation("sun");
    EXPECT_LT(sun.lonArcsec, 3.0);
    EXPECT_LT(sun.latArcsec, 0.25);
    EXPECT_LT(sun.refDist, 2.5e-6);

    const AstroDeviation moon = astroDeviation("moon");
    EXPECT_LT(moon.lonArcsec, 5.0);
    EXPECT_LT(moon.latArcsec, 1.6);
    EXPECT_LT(moon.refDist * 6378.137, 16.0);  // km
}

TEST(SunSeries, PositionAtJ2000)
{
    const LonLatDist sun = lonLatDist(Sun200().position(0.0));
    EXPECT_NEAR(sun.dist, 0.9833, 1e-4);
    EXPECT_NEAR(sun.lon, 280.4, 0.05);
    EXPECT_LT(std::fabs(sun.lat) * 3600.0, 1.0);
}

TEST(SunSeries, StateVelocityMatchesPositionDerivative)
{
    // The Keplerian velocity ignores the perturbations (the Moon's pull moves the Sun by a
    // few 1e-6 AU/day); the Sun's speed is about 0.0172 AU/day.
    for (double T = kT1900; T <= kT2100; T += 0.0371) {
        Vec3 r, v;
        Sun200 sun;
        sun.state(T, r, v);
        const Vec3 twoDays = Sun200().position(T + kDay) - Sun200().position(T - kDay);
        EXPECT_LT(abs(r - Sun200().position(T)), 1e-15) << "T " << T;
        EXPECT_LT(abs(v - 0.5 * twoDays), 2e-5) << "T " << T;
    }
}
