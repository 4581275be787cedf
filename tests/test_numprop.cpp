#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "astro/frames.h"
#include "astro/moon200.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "astro/twobody.h"
#include "core/defaults.h"
#include "core/numslot.h"
#include "propagation/forcemodel.h"
#include "propagation/rkf45.h"

namespace {
constexpr double kGM = 398600.4415e9;
constexpr double kR = 6378137.0;
constexpr double kEpoch = 59000.0;  // 2020 May 31

// Two-body equations of motion for the bare integrator (SI units).
void pointMass(double, const double* y, double* dydx)
{
    const double r3 = std::pow(std::hypot(y[0], y[1], y[2]), 3);
    for (int i = 0; i < 3; ++i) dydx[i] = y[i + 3], dydx[i + 3] = -kGM * y[i] / r3;
}

// Sun and Moon in Earth radii, true equator of date, as the state computation supplies them.
void sunMoon(double mjd, Vec3& sun, Vec3& moon)
{
    const double T = julcent(mjd);
    double eqeq;
    const Mat3 n = nutmat(T, eqeq, false);
    sun = mxvct(n, eclequ(T, Sun200().position(T))) * (kAuM / kR);
    moon = mxvct(n, eclequ(T, Moon200().position(T)));
}

// Settings with one satellite in slot 0 whose epoch and current state are (r, v) at kEpoch.
std::unique_ptr<WinpData> settingsWith(const Vec3& r, const Vec3& v)
{
    auto ind = std::make_unique<WinpData>();
    SetDefaults(ind.get(), 0);
    ind->elepoch[0] = ind->stmjd[0] = kEpoch;
    for (int i = 0; i < 3; ++i) {
        ind->svpos[i][0] = ind->stpos[i][0] = r[i];
        ind->svvel[i][0] = ind->stvel[i][0] = v[i];
    }
    return ind;
}

// Circular orbit of height h (m) and inclination incl (degrees), ascending node on +x.
void circular(double h, double incl, Vec3& r, Vec3& v)
{
    const double a = kR + h, i = incl * M_PI / 180.0;
    r = Vec3(a, 0, 0);
    v = std::sqrt(kGM / a) * Vec3(0, std::cos(i), std::sin(i));
}

// Propagates slot 0 to mjd with the Sun and Moon of that instant.
void propagate(WinpData* ind, double mjd, Vec3& r, Vec3& v)
{
    Vec3 sun, moon;
    sunMoon(mjd, sun, moon);
    NumPropSlot(mjd, ind, 0, sun, moon, r, v);
}

// Acceleration (m/s^2) of the equations of motion for the state y of slot 0.
Vec3 acceleration(const WinpData* ind, const double* y)
{
    double d[6];
    RKfun(0.0, y, d, SlotContext(ind, 0));
    return Vec3(d[3], d[4], d[5]);
}
}  // namespace

TEST(OrbitIntegration, KeplerEllipseHeldToMetresOverADay)
{
    const double gm = kGM * 1e-9, a = 8000.0, e = 0.1;
    Vec3 r, v;
    kepler(gm, 0.0, 0.0, 10.0, a, e, 30.0, 40.0, 50.0, r, v);
    double y[6] = {r[0] * 1e3, r[1] * 1e3, r[2] * 1e3, v[0] * 1e3, v[1] * 1e3, v[2] * 1e3};
    RKF45 rk(6);
    rk.SetTolerance(1e-12, 1);
    for (double t = 0.0, h = 1200.0; t < 86400.0;) {
        double ynew[6];
        rk.RKF45Step(t, std::min(h, 86400.0 - t), y, pointMass, t, h, ynew);
        std::copy(ynew, ynew + 6, y);
        h = std::min(h, 1200.0);
    }
    kepler(gm, 0.0, 86400.0, 10.0, a, e, 30.0, 40.0, 50.0, r, v);
    EXPECT_LT(abs(Vec3(y[0], y[1], y[2]) - 1e3 * r), 1.0);
    EXPECT_LT(abs(Vec3(y[3], y[4], y[5]) - 1e3 * v), 1e-3);
}

TEST(NumProp, ContinuesForwardAndRestartsFromEpoch)
{
    Vec3 r0, v0, r, v, rs, vs;
    circular(500e3, 98.0, r0, v0);
    auto ind = settingsWith(r0, v0);
    // Two half-hour requests continue the same integration as one hour in one go.
    propagate(ind.get(), kEpoch + 1.0 / 48, r, v);
    EXPECT_NEAR(ind->stmjd[0], kEpoch + 1.0 / 48, 1e-3 / 86400);
    propagate(ind.get(), kEpoch + 1.0 / 24, r, v);
    auto single = settingsWith(r0, v0);
    propagate(single.get(), kEpoch + 1.0 / 24, rs, vs);
    EXPECT_LT(abs(r - rs), 1e-3);  // km
    EXPECT_NEAR(abs(r), 6878.137, 30.0);
    // With the current state ten days on, a request before the epoch restarts from the epoch.
    ind->stmjd[0] = kEpoch + 10;
    ind->stpos[0][0] = 4.2e7;
    propagate(ind.get(), kEpoch - 1, r, v);
    EXPECT_NEAR(ind->stmjd[0], kEpoch - 1, 1e-3 / 86400);
    propagate(single.get(), kEpoch - 1, rs, vs);
    EXPECT_LT(abs(r - rs), 1e-3);
    EXPECT_NEAR(abs(r), 6878.137, 30.0);
    EXPECT_TRUE(ind->elepoch[0] == kEpoch && ind->svpos[0][0] == r0[0]);  // the epoch is unchanged
}

TEST(NumProp, ReentryAndAnUnreachableToleranceStillArrive)
{
    // A suborbital arc from 100 km, minute by minute: the stall guard carries it past touchdown.
    const Vec3 r0(kR + 100e3, 0, 0), v0(0, 2000.0, 0);
    auto ind = settingsWith(r0, v0);
    Vec3 r, v, r2, v2;
    for (int minute = 1; minute <= 20; ++minute)
        propagate(ind.get(), kEpoch + minute / 1440.0, r, v);
    EXPECT_NEAR((ind->stmjd[0] - kEpoch) * 1440, 20.0, 1e-6);
    EXPECT_NEAR(abs(r), kR / 1000, 0.01);
    EXPECT_NEAR(abs(v), 0.465, 0.01);
    // On the ground it turns with the Earth: 10 minutes later, 10 minutes of rotation on.
    propagate(ind.get(), kEpoch + 30.0 / 1440, r2, v2);
    EXPECT_NEAR(abs(r2), abs(r), 0.01);
    EXPECT_NEAR(std::acos(dot(vnorm(r), vnorm(r2))), kEarthRotation * 600, 1e-5);
    // The equations of motion of a landed satellite: ground speed, no acceleration.
    double y[6] = {1e3 * r2[0], 1e3 * r2[1], 1e3 * r2[2], 0, 0, 0}, dydx[6];
    RKfun(0.0, y, dydx, SlotContext(ind.get(), 0));
    EXPECT_NEAR(abs(Vec3(dydx[0], dydx[1], dydx[2])), kEarthRotation * 1e3 * abs(r2), 0.05);
    EXPECT_EQ(abs(Vec3(dydx[3], dydx[4], dydx[5])), 0.0);
    // With an attempt limit the stall guard forces 0.1 s steps; without one the tolerance is raised.
    const double a = kR + 400e3, speed = std::sqrt(kGM / a);
    for (int limit : {3, 0}) {
        auto ind = settingsWith(Vec3(a, 0, 0), Vec3(0, speed, 0));
        ind->inttol = 1e-30;
        ind->maxiter = limit;
        propagate(ind.get(), kEpoch + 60.0 / 86400, r, v);
        EXPECT_NEAR((ind->stmjd[0] - kEpoch) * 86400, 60.0, 1e-3) << limit;
        EXPECT_NEAR(r[1], a / 1000 * std::sin(60 * speed / a), 0.05) << limit;
    }
}

TEST(NumProp, DragLiftAndThrust)
{
    Vec3 r0, v0, r, v, rf, vf;
    circular(300e3, 51.6, r0, v0);
    auto drag = settingsWith(r0, v0), free = settingsWith(r0, v0);
    drag->scam[0] = free->scam[0] = 0.05;
    free->sccd[0] = 0.0;
    propagate(drag.get(), kEpoch + 1, r, v);
    propagate(free.get(), kEpoch + 1, rf, vf);
    const auto axis = [](const Vec3& r, const Vec3& v) { return 1.0 / (2.0 / abs(r) - dot(v, v) / (kGM * 1e-9)); };
    const double loss = axis(rf, vf) - axis(r, v);  // km
    EXPECT_TRUE(loss > 3.0 && loss < 40.0) << loss;  // km per day at 300 km for 0.05 m^2/kg
    circular(80e3, 30.0, r0, v0);
    auto ind = settingsWith(r0, v0);
    propagate(ind.get(), kEpoch, r, v);  // sets up slot, Sun and Moon without moving
    const double y[6] = {r0[0], r0[1], r0[2], v0[0], v0[1], v0[2]};
    ind->liftdrag = 0.0;
    const Vec3 base = acceleration(ind.get(), y);
    // Below 90 km lift acts across the airflow, away from the Earth.
    ind->liftdrag = 0.5;
    const Vec3 lift = acceleration(ind.get(), y) - base;
    EXPECT_GT(abs(lift), 1e-3);
    EXPECT_GT(dot(lift, r0), 0.99 * abs(lift) * abs(r0));
    // Thrust along the velocity when yaw and pitch are 0; to the right with yaw 90.
    ind->liftdrag = 0.0;
    ind->thrflg[0] = true, ind->thrsun[0] = false, ind->thracc[0] = 0.01;
    EXPECT_LT(abs(acceleration(ind.get(), y) - base - 0.01 * vnorm(v0)), 1e-12);
    ind->thryaw[0] = 90.0;
    EXPECT_LT(abs(acceleration(ind.get(), y) - base - 0.01 * vnorm(v0 * r0)), 1e-12);
}

TEST(NumProp, SunAndMoonDistances)
{
    Vec3 r0, v0, r, v, sun, moon;
    circular(600e3, 60.0, r0, v0);
    auto ind = settingsWith(r0, v0);
    UpSunMoon(SlotContext(ind.get(), 0), 0.0, sun, moon);
    EXPECT_NEAR(abs(sun) / kAuM, 1.014, 0.002);  // early June, in metres
    EXPECT_TRUE(abs(moon) > 3.56e8 && abs(moon) < 4.07e8);
    propagate(ind.get(), kEpoch + 0.1, r, v);
    EXPECT_EQ(ind->moondist, 0.0);
    // 10000 km from the Moon the distance to it is reported.
    auto nearMoon = settingsWith(moon + Vec3(1e7, 0, 0), Vec3());
    propagate(nearMoon.get(), kEpoch + 60.0 / 86400, r, v);
    EXPECT_NEAR(nearMoon->moondist, 1e7, 2e5);
}
