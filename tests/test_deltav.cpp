#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/deltav.h"
#include "core/meanmotion.h"
#include "core/satstate.h"
#include "test_site.h"

namespace {
constexpr double kGM = 2.9755364003e15 / (86400.0 * 86400.0);  // km^3/s^2 of the Keplerian model

// Position (km) and velocity (km/s) of the prime satellite at mjd, true equator of date.
void stateAt(WinpData* in, double mjd, Vec3& r, Vec3& v)
{
    auto sp = std::make_unique<SatPosData>();
    GetSatPos(mjd, in, sp.get(), in->prime, 0);
    r = sp->vec1, v = sp->vec2;
}

// The ISS 0.3 days after its epoch, as SGP4 elements or as a circular Keplerian orbit.
std::unique_ptr<WinpData> iss(bool kepler)
{
    auto in = IssSettings();
    in->mjd = in->elepoch[0] + 0.3;
    if (kepler) {
        in->elsma[0] = 6795.0, in->sgp4flg[0] = 0;
        in->elecc[0] = in->eladot[0] = in->elndot[0] = in->elnddot[0] = 0.0;
        in->elmm[0] = getn0(in->elsma[0], 0.0, in->elincl[0]);
    }
    return in;
}
}  // namespace

TEST(ExDeltaV, ImpulseAlongTheVelocityYawAndEscape)
{
    for (bool kepler : {false, true}) {
        SCOPED_TRACE(kepler);
        // No impulse: only the epoch moves; the refitted elements follow the old orbit.
        auto in = iss(kepler);
        Vec3 r0, v0, r1, v1, r, v;
        stateAt(in.get(), in->mjd, r0, v0);
        stateAt(in.get(), in->mjd + 0.0625, r1, v1);
        EXPECT_EQ(ExDeltaV(in.get(), 0.0, 0.0, 0.0), 0);
        EXPECT_TRUE(in->elepoch[0] == in->mjd && in->sgp4flg[0] == (kepler ? 0 : 1));
        stateAt(in.get(), in->mjd, r, v);
        EXPECT_LT(abs(r - r0) + abs(v - v0), 1e-4);
        stateAt(in.get(), in->mjd + 0.0625, r, v);
        EXPECT_LT(abs(r - r1), 0.01);
        // 10 m/s prograde from the circle: the burn point becomes perigee, apogee 2 a - r by vis-viva.
        auto burn = iss(kepler);
        EXPECT_EQ(ExDeltaV(burn.get(), 10.0, 0.0, 0.0), 0);
        stateAt(burn.get(), burn->mjd, r, v);
        EXPECT_LT(abs(r - r0) + abs(v - v0 - 0.01 * vnorm(v0)), 1e-4);
        const double a = 1.0 / (2.0 / abs(r0) - dot(v, v) / kGM);
        if (kepler) {
            EXPECT_NEAR(burn->elsma[0], a, 1e-4);
            EXPECT_NEAR(burn->elsma[0] * (1.0 + burn->elecc[0]), 2.0 * a - abs(r0), 1e-3);
            EXPECT_NEAR(2.0 * (a - abs(r0)), 4.0 * abs(r0) * 0.01 / abs(v0), 0.2);
        }
    }
    // 100 m/s of yaw 90 (to the south) at the ascending node lowers the inclination by dv / v.
    auto in = iss(true);
    in->elargp[0] = in->elmanom[0] = 0.0, in->elepoch[0] = in->mjd;
    const double incl = in->elincl[0], a = in->elsma[0];
    Vec3 r0, v0, r, v;
    stateAt(in.get(), in->mjd, r0, v0);
    EXPECT_EQ(ExDeltaV(in.get(), 100.0, 90.0, 0.0), 0);
    EXPECT_NEAR(in->elincl[0], incl - 0.1 / abs(v0) * 180 / M_PI, 0.01);
    EXPECT_NEAR(in->elsma[0], a, 2.0);
    // 5 km/s prograde escapes: a hyperbola with perigee distance in elmm and the burn as epoch.
    auto esc = iss(false);
    stateAt(esc.get(), esc->mjd, r0, v0);
    EXPECT_EQ(ExDeltaV(esc.get(), 5000.0, 0.0, 0.0), kDeltaVHyperbolic);
    EXPECT_TRUE(esc->sgp4flg[0] == 0 && esc->elecc[0] > 1.0);
    EXPECT_NEAR(esc->elmm[0], abs(r0), 1.0);
    EXPECT_NEAR(esc->elepoch[0], esc->mjd, 5.0 / 86400);
    stateAt(esc.get(), esc->mjd, r, v);
    EXPECT_LT(abs(r - r0), 1.0);
    EXPECT_NEAR(abs(v), abs(v0) + 5.0, 0.01);
    stateAt(esc.get(), esc->mjd + 1.0, r, v);
    EXPECT_GT(abs(r), 300000.0);
}
