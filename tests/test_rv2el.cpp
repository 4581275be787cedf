#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/defaults.h"
#include "core/rv2el.h"
#include "core/satsgp4.h"
#include "sgp4_verification.h"

TEST(Rv2el, RecoversEveryNearEarthVerificationElementSet)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->gravflg = 0;  // the WGS-72 constants that rv2el inverts
    const auto diff = [](double a, double b) { return std::remainder(a - b, 360.0); };
    int checked = 0;
    for (const VerificationCase& c : readVerificationCases()) {
        if (1440.0 / c.tle.mm >= 225.0) continue;  // deep space: terms rv2el does not invert
        StoreTle(in.get(), 0, c.tle);
        in->sgpslot = kNoSgpSlot;
        Vec3 r, v;
        ASSERT_EQ(Sgp4(in.get(), 0.0, 0, r, v), 0);
        double incl, node, ecc, argp, manom, mm;
        rv2el(r * 1000.0, v * 1000.0, incl, node, ecc, argp, manom, mm);
        SCOPED_TRACE(c.tle.satno);
        EXPECT_NEAR(incl, c.tle.incl, 1e-4);
        EXPECT_NEAR(diff(node, c.tle.node), 0.0, 1e-4);
        EXPECT_NEAR(diff(argp + manom, c.tle.argp + c.tle.manom), 0.0, 1e-4);
        EXPECT_NEAR(c.tle.ecc > 0.01 ? diff(argp, c.tle.argp) : 0.0, 0.0, 1e-4);  // defined perigee
        EXPECT_NEAR(ecc, std::max(c.tle.ecc, 1e-6), 1e-6);  // SGP4 raises e below 1e-6
        EXPECT_NEAR(mm, c.tle.mm, 1e-7);
        ++checked;
    }
    EXPECT_EQ(checked, 9);  // 00005, 06251, 22312, 28057, 28350, 28872, 29141, 29238, 88888

    // The origin, a radial fall, escape speed, the propagators' error state: no NaN.
    const Vec3 bad[][2] = {{Vec3(), Vec3()}, {Vec3(7e6, 0, 0), Vec3(-100, 0, 0)},
                           {Vec3(0, 7e6, 0), Vec3(0, 0, 2e4)}, {Vec3(1e5, 0, 0), Vec3(0, 1e4, 0)}};
    for (const auto& s : bad) {
        double el[6];
        rv2el(s[0], s[1], el[0], el[1], el[2], el[3], el[4], el[5]);
        for (double x : el) EXPECT_TRUE(std::isfinite(x)) << s[0][0] << " " << s[1][2];
    }
}
