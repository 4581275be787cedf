// Site quantities between whole minutes, interpolated from the kept minutes, against a fresh
// computation of the full frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "astro/earth_constants.h"
#include "astro/frames.h"
#include "core/siteinstant.h"
#include "pass_reference.h"

namespace {
// Largest difference of two matrices' elements.
double largestDifference(const Mat3& a, const Mat3& b)
{
    double d = 0.0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) d = std::max(d, std::fabs(a.at(i, j) - b.at(i, j)));
    return d;
}
}  // namespace

// At random instants over two years, across a year's end and with and without IERS values (the
// full nutation series, UT1 and polar motion), every frame quantity is within 1e-11 rad of the
// fresh one and the site within a millimetre.
TEST(FrameCache, InstantsBetweenMinutesMatchTheFullFrame)
{
    auto in = referenceSettings('A');
    std::mt19937 random(19);
    std::uniform_real_distribution<double> day(kRefWindowStart - 400.0, kRefWindowStart + 400.0);
    const double newYear = 61406.0;  // 2027-01-01 0h UTC
    for (int k = 0; k < 400; ++k) {
        in->iersflg = k % 2 == 1;
        in->ut1utc = in->iersflg ? 0.27 : 0.0;
        in->polex = in->iersflg ? 0.12 : 0.0;
        in->poley = in->iersflg ? 0.31 : 0.0;
        const double t = k < 8 ? newYear + (k - 4) * 7.3 * kSecond : day(random);
        const SiteInstant s = SiteAt(in.get(), t);
        const DateFrame f = MakeDateFrame(in.get(), t);
        const double lat = in->obslat * angle_units::kDegToRad, lon = in->obslon * angle_units::kDegToRad;
        const Vec3 site = GeoPos(f.trot, f.eqeq, lat, lon, in->obshgt, in->polex, in->poley) * kEarthRadiusKm;
        EXPECT_LT(largestDifference(s.frame.nut, f.nut), 1e-11) << t;
        EXPECT_LT(largestDifference(s.frame.teme, f.teme), 1e-11) << t;
        EXPECT_LT(largestDifference(s.horizon, HorizonMatrix(f.trot, f.eqeq, lat, lon)), 1e-11) << t;
        EXPECT_LT(std::fabs(std::remainder(s.frame.gast - f.gast, angle_units::kTwoPi)), 1e-11) << t;
        EXPECT_LT(abs(s.observer.r - site), 1e-6) << t;
        EXPECT_NEAR(s.frame.T, f.T, 1e-15) << t;
    }
}
