#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/defaults.h"
#include "core/rv2el.h"
#include "core/satsgp4.h"
#include "sgp4_verification.h"

namespace {
// Shortest period (minutes) of the deep-space model, whose terms rv2el does not invert.
constexpr double kDeepSpacePeriod = 225.0;

// Difference of two angles in degrees, folded into [-180, 180).
double angleDiff(double a, double b) { return std::remainder(a - b, 360.0); }
}  // namespace

TEST(Rv2el, RecoversEveryNearEarthVerificationElementSet)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->gravflg = 0;  // the WGS-72 constants that rv2el inverts
    int checked = 0;
    for (const VerificationCase& c : readVerificationCases()) {
        if (1440.0 / c.tle.mm >= kDeepSpacePeriod) continue;
        StoreTle(in.get(), 0, c.tle);
        in->sgpslot = kNoSgpSlot;
        Vec3 r, v;
        if (Sgp4(in.get(), 0.0, 0, r, v) != 0) continue;
        double incl, node, ecc, argp, manom, mm;
        rv2el(r * 1000.0, v * 1000.0, incl, node, ecc, argp, manom, mm);
        SCOPED_TRACE(c.tle.satno);
        EXPECT_NEAR(incl, c.tle.incl, 1e-4);
        EXPECT_NEAR(angleDiff(node, c.tle.node), 0.0, 1e-4);
        EXPECT_NEAR(angleDiff(argp + manom, c.tle.argp + c.tle.manom), 0.0, 1e-4);
        // The propagator raises eccentricities below 1e-6 to 1e-6.
        EXPECT_NEAR(ecc, std::max(c.tle.ecc, 1e-6), 1e-6);
        EXPECT_NEAR(mm, c.tle.mm, 1e-7);
        if (c.tle.ecc > 0.01) {
            EXPECT_NEAR(angleDiff(argp, c.tle.argp), 0.0, 1e-4);
        }
        ++checked;
    }
    EXPECT_EQ(checked, 9);  // 00005, 06251, 22312, 28057, 28350, 28872, 29141, 29238, 88888
}

TEST(Rv2el, DegenerateStatesGiveFiniteElements)
{
    // The origin, a radial fall, an equatorial circle, an escape speed and the propagators'
    // error state deep inside the Earth: no NaN anywhere.
    const Vec3 states[][2] = {{Vec3(), Vec3()},
                              {Vec3(7e6, 0, 0), Vec3(-100, 0, 0)},
                              {Vec3(7e6, 0, 0), Vec3(0, 7546, 0)},
                              {Vec3(0, 7e6, 0), Vec3(0, 0, 20000)},
                              {Vec3(1e5, 0, 0), Vec3(0, 1e4, 0)}};
    for (const auto& s : states) {
        double el[6];
        rv2el(s[0], s[1], el[0], el[1], el[2], el[3], el[4], el[5]);
        for (double x : el) EXPECT_TRUE(std::isfinite(x)) << s[0][0] << " " << s[1][2];
    }
}
