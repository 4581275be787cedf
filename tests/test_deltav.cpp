#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/deltav.h"
#include "core/meanmotion.h"
#include "core/satstate.h"
#include "iss_settings.h"

namespace {
// GM (km^3/s^2) of the Keplerian model and the osculating elements.
constexpr double kGM = 2.9755364003e15 / (86400.0 * 86400.0);
constexpr double kMinute = 1.0 / 1440.0;

// Position (km) and velocity (km/s) of the prime satellite at mjd, true equator of date.
void stateAt(WinpData* in, double mjd, Vec3& r, Vec3& v)
{
    auto sp = std::make_unique<SatPosData>();
    GetSatPos(mjd, in, sp.get(), in->prime, 0);
    r = sp->vec1;
    v = sp->vec2;
}

// The ISS as in the shared settings, manoeuvring 0.3 days after its epoch; kepler turns its
// elements into an osculating Keplerian orbit first.
std::unique_ptr<WinpData> issAtBurn(bool kepler)
{
    auto in = IssSettings();
    in->mjd = in->elepoch[0] + 0.3;
    if (kepler) {
        in->elsma[0] = 6795.0;
        in->elecc[0] = 0.0;
        in->eladot[0] = in->elndot[0] = in->elnddot[0] = 0.0;
        in->sgp4flg[0] = 0;
        in->elmm[0] = getn0(in->elsma[0], 0.0, in->elincl[0]);
    }
    return in;
}
}  // namespace

TEST(ExDeltaV, ZeroImpulseOnlyMovesTheEpoch)
{
    for (bool kepler : {false, true}) {
        auto in = issAtBurn(kepler);
        Vec3 r0, v0, r1, v1, r, v;
        stateAt(in.get(), in->mjd, r0, v0);
        stateAt(in.get(), in->mjd + 90 * kMinute, r1, v1);
        EXPECT_EQ(ExDeltaV(in.get(), 0.0, 0.0, 0.0), 0);
        EXPECT_EQ(in->elepoch[0], in->mjd);
        EXPECT_EQ(in->sgp4flg[0], kepler ? 0 : 1);
        stateAt(in.get(), in->mjd, r, v);
        EXPECT_LT(abs(r - r0), 1e-4) << kepler;  // km
        EXPECT_LT(abs(v - v0), 1e-7) << kepler;  // km/s
        // The refitted element set follows the old one.
        stateAt(in.get(), in->mjd + 90 * kMinute, r, v);
        EXPECT_LT(abs(r - r1), 0.01) << kepler;
    }
}

TEST(ExDeltaV, ProgradeImpulseRaisesTheApogeeByVisViva)
{
    const double dv = 0.010;  // km/s
    auto in = issAtBurn(true);
    Vec3 r0, v0;
    stateAt(in.get(), in->mjd, r0, v0);
    EXPECT_EQ(ExDeltaV(in.get(), dv * 1000.0, 0.0, 0.0), 0);
    const double speed = abs(v0) + dv;
    const double a = 1.0 / (2.0 / abs(r0) - speed * speed / kGM);
    EXPECT_NEAR(in->elsma[0], a, 1e-4);
    // The burn point of the circular orbit becomes the perigee, the apogee is at 2 a - r: about
    // 4 r dv / v higher.
    EXPECT_NEAR(in->elsma[0] * (1.0 - in->elecc[0]), abs(r0), 1e-3);
    EXPECT_NEAR(in->elsma[0] * (1.0 + in->elecc[0]), 2.0 * a - abs(r0), 1e-3);
    EXPECT_NEAR(2.0 * a - 2.0 * abs(r0), 4.0 * abs(r0) * dv / abs(v0), 0.2);

    // An SGP4 satellite keeps its position and gains exactly the impulse at the burn.
    auto sgp = issAtBurn(false);
    Vec3 r, v;
    stateAt(sgp.get(), sgp->mjd, r0, v0);
    EXPECT_EQ(ExDeltaV(sgp.get(), dv * 1000.0, 0.0, 0.0), 0);
    stateAt(sgp.get(), sgp->mjd, r, v);
    EXPECT_LT(abs(r - r0), 1e-4);
    EXPECT_LT(abs(v - v0 - dv * vnorm(v0)), 1e-7);
    EXPECT_EQ(sgp->sgp4flg[0], 1);
    EXPECT_GT(sgp->elsma[0] - issAtBurn(false)->elsma[0], 15.0);
}

TEST(ExDeltaV, YawToTheRightTurnsTheOrbitPlane)
{
    // At the ascending node of a prograde orbit the right wing points south-down: a sideways
    // impulse there lowers the inclination by dv / v radians and leaves the size unchanged.
    auto in = issAtBurn(true);
    in->elargp[0] = in->elmanom[0] = 0.0;
    in->elepoch[0] = in->mjd;
    const double incl = in->elincl[0], a = in->elsma[0];
    Vec3 r0, v0;
    stateAt(in.get(), in->mjd, r0, v0);
    EXPECT_EQ(ExDeltaV(in.get(), 100.0, 90.0, 0.0), 0);
    EXPECT_NEAR(in->elincl[0], incl - 0.1 / abs(v0) * 180 / M_PI, 0.01);
    EXPECT_NEAR(in->elsma[0], a, 2.0);

    // Pitch 90 pushes away from the Earth: the size stays, the orbit becomes eccentric.
    auto up = issAtBurn(true);
    EXPECT_EQ(ExDeltaV(up.get(), 100.0, 0.0, 90.0), 0);
    EXPECT_NEAR(up->elincl[0], incl, 1e-6);
    EXPECT_NEAR(up->elecc[0], 0.1 / abs(v0), 1e-3);
}

TEST(ExDeltaV, EscapeLeavesAConsistentHyperbola)
{
    for (bool kepler : {false, true}) {
        auto in = issAtBurn(kepler);
        Vec3 r0, v0, r, v;
        stateAt(in.get(), in->mjd, r0, v0);
        EXPECT_EQ(ExDeltaV(in.get(), 5000.0, 0.0, 0.0), kDeltaVHyperbolic);
        EXPECT_EQ(in->sgp4flg[0], 0);
        EXPECT_GT(in->elecc[0], 1.0);
        // Burnt at the perigee: the mean-motion field holds the perigee distance, the epoch
        // is the perigee time, and the orbit passes through the burn point.
        EXPECT_NEAR(in->elmm[0], abs(r0), 1.0);
        EXPECT_NEAR(in->elepoch[0], in->mjd, 5.0 / 86400);
        stateAt(in.get(), in->mjd, r, v);
        EXPECT_LT(abs(r - r0), 1.0);
        EXPECT_NEAR(abs(v), abs(v0) + 5.0, 0.01);
        stateAt(in.get(), in->mjd + 1.0, r, v);
        EXPECT_GT(abs(r), 300000.0);  // leaving: a day at more than 3 km/s
    }
}
