#include <gtest/gtest.h>

#include <cmath>

#include "astro/twobody.h"

namespace {
constexpr double kDeg = M_PI / 180.0;
constexpr double kGmEarth = 398600.4418;   // km^3/s^2
constexpr double kGauss = 0.01720209895;   // Gaussian gravitational constant (AU, days)

struct Elements {
    double tp, m, a, e, node, argp, i;
};
Elements osculating(double gm, double t, const Vec3& r, const Vec3& v)
{
    Elements el;
    oscelm(gm, t, r, v, el.tp, el.m, el.a, el.e, el.node, el.argp, el.i);
    return el;
}

double angleDiff(double a, double b) { return std::remainder(a - b, 360.0); }

// The elements of r, v fed back into kepler reproduce r, v.
void expectReproduces(double gm, double t, const Vec3& r, const Vec3& v, double tol)
{
    const Elements el = osculating(gm, t, r, v);
    Vec3 r2, v2;
    kepler(gm, el.e < 1 ? t : el.tp, t, el.m, el.a, el.e, el.node, el.argp, el.i, r2, v2);
    EXPECT_NEAR(abs(r2 - r), 0.0, tol * abs(r));
    EXPECT_NEAR(abs(v2 - v), 0.0, tol * abs(v));
}
}  // namespace

TEST(TwoBody, KeplerEquationAndKnownOrbits)
{
    EXPECT_EQ(eccanom(0.0, 0.5), 0.0);
    EXPECT_EQ(eccanom(M_PI, 0.9), M_PI);
    EXPECT_NEAR(eccanom(5.0 * kDeg, 0.1) / kDeg, 5.554589, 1e-6);   // Meeus, example 30.a
    for (double e : {0.0, 0.5, 0.79, 0.8, 0.9, 0.97, 0.99})
        for (double M = -7.0; M <= 7.0; M += 0.01) {
            const double E = eccanom(M, e);
            ASSERT_NEAR(std::remainder(E - e * std::sin(E) - M, 2 * M_PI), 0.0, 1e-10) << e << " " << M;
            ASSERT_TRUE(E >= 0.0 && E <= 2 * M_PI);
        }
    for (double e : {1.001, 1.5, 3.0, 10.0})
        for (double M = -100.0; M <= 100.0; M += 0.37) {
            const double H = hypanom(M, e);
            ASSERT_NEAR(e * std::sinh(H) - H, M, 1e-10 * (1.0 + std::fabs(M))) << e << " " << M;
        }
    // Gaussian year: a = 1 AU about the Sun returns after 365.2568983 days.
    Vec3 r0, v0, r1, v1;
    kepler(kGauss * kGauss, 0.0, 0.0, 30.0, 1.0, 0.0167, 0.0, 102.9, 0.0, r0, v0);
    kepler(kGauss * kGauss, 0.0, 365.2568983, 30.0, 1.0, 0.0167, 0.0, 102.9, 0.0, r1, v1);
    EXPECT_NEAR(abs(r1 - r0), 0.0, 1e-9);
    // Geostationary radius 42164.17 km, speed 3.0747 km/s, one sidereal day per revolution.
    // Polar orbit with the node on +y: a quarter revolution after the node it is over the pole.
    const double quarterDay = 86164.0905 / 4;
    kepler(kGmEarth, 0.0, 0.0, 0.0, 42164.17, 0.0, 90.0, 0.0, 90.0, r0, v0);
    kepler(kGmEarth, 0.0, quarterDay, 0.0, 42164.17, 0.0, 90.0, 0.0, 90.0, r1, v1);
    EXPECT_NEAR(abs(r0 - Vec3(0.0, 42164.17, 0.0)), 0.0, 1e-8);
    EXPECT_NEAR(abs(r1 - Vec3(0.0, 0.0, 42164.17)), 0.0, 0.05);
    EXPECT_NEAR(abs(v0), 3.0747, 1e-4);
}

TEST(TwoBody, EllipticRoundTrips)
{
    const double a = 7200.0, node = 40.0, argp = 110.0, m = 77.0, t0 = 100.0, t = 2345.6;
    const double n = std::sqrt(kGmEarth / (a * a * a)) / kDeg;   // degrees per second
    for (double e : {0.0, 0.001, 0.3, 0.7, 0.95, 0.99}) {
        for (double inc : {0.0, 0.001, 51.6, 97.8, 179.999, 180.0}) {
            Vec3 r, v;
            kepler(kGmEarth, t0, t, m, a, e, node, argp, inc, r, v);
            expectReproduces(kGmEarth, t, r, v, 1e-9);
            const Elements el = osculating(kGmEarth, t, r, v);
            EXPECT_NEAR(el.a, a, 1e-7 * a);
            EXPECT_NEAR(el.e, e, 1e-10);
            EXPECT_NEAR(el.i, inc, 1e-7);
            EXPECT_TRUE(el.m >= 0.0 && el.m < 360.0);
            if (e == 0.0 || inc == 0.0 || inc == 180.0) continue;   // node or perigee undefined
            EXPECT_NEAR(angleDiff(el.node, node), 0.0, 1e-6) << e << " " << inc;
            EXPECT_NEAR(angleDiff(el.argp, argp), 0.0, 1e-6) << e << " " << inc;
            EXPECT_NEAR(angleDiff(el.m, m + n * (t - t0)), 0.0, 1e-6) << e << " " << inc;
            EXPECT_NEAR(std::remainder(el.tp - (t0 - m / n), 360.0 / n), 0.0, 1e-5);
        }
    }
}

TEST(TwoBody, HyperbolicRoundTripsAndTheParabolaOfBarkersEquation)
{
    const double a = 20000.0, tp = 50.0;
    for (double e : {1.5, 3.0}) {
        for (double dt : {-700.0, 0.0, 700.0, 90000.0}) {   // before perihelion m < 0: universal path
            Vec3 r, v;
            kepler(kGmEarth, tp, tp + dt, 0.0, a, e, 300.0, 20.0, 130.0, r, v);
            EXPECT_NEAR(dot(v, v), kGmEarth * (2 / abs(r) + 1 / a), 1e-10 * dot(v, v));   // vis-viva
            expectReproduces(kGmEarth, tp + dt, r, v, 1e-9);
            const Elements el = osculating(kGmEarth, tp + dt, r, v);
            EXPECT_NEAR(el.a, -a, 1e-7 * a);
            EXPECT_NEAR(el.e, e, 1e-10);
            EXPECT_NEAR(el.i, 130.0, 1e-8);
            EXPECT_NEAR(angleDiff(el.node, 300.0), 0.0, 1e-8);
            EXPECT_NEAR(angleDiff(el.argp, 20.0), 0.0, 1e-8);
            EXPECT_NEAR(el.tp, tp, 1e-6);
            EXPECT_NEAR(el.m, std::sqrt(kGmEarth / (a * a * a)) * dt / kDeg, 1e-8 * (1 + std::fabs(el.m)));
        }
    }
    // Perihelion distance 0.6 AU: true anomaly 90 deg (r = 2q) is reached sqrt(2 q^3 / gm) * 4/3
    // after perihelion, at escape speed.
    const double gm = kGauss * kGauss, q = 0.6, tq = 10.0;
    const double quarter = std::sqrt(2 * q * q * q / gm) * 4.0 / 3.0;
    Vec3 r, v;
    kepler(gm, tq, tq + quarter, 0.0, q, 1.0, 0.0, 0.0, 0.0, r, v);
    EXPECT_NEAR(abs(r - Vec3(0.0, 2 * q, 0.0)), 0.0, 1e-12);
    EXPECT_NEAR(dot(v, v), gm / q, 1e-15);
    const Elements el = osculating(gm, tq + quarter, r, v);
    EXPECT_EQ(el.e, 1.0);
    EXPECT_NEAR(el.a, q, 1e-12);
    EXPECT_NEAR(el.tp, tq, 1e-8);
    EXPECT_NEAR(el.m, 4.0 / 3.0 / kDeg, 1e-8);
}

TEST(TwoBody, DegenerateStatesStayFinite)
{
    // Circular equatorial orbit: e = 0 and i = 0 without division by zero.
    const double r0 = 6778.0;
    const Elements el = osculating(kGmEarth, 0.0, Vec3(r0, 0, 0), Vec3(0, std::sqrt(kGmEarth / r0), 0));
    EXPECT_NEAR(el.e, 0.0, 1e-12);
    EXPECT_EQ(el.i, 0.0);
    EXPECT_NEAR(el.a, r0, 1e-8);
    EXPECT_NEAR(angleDiff(el.node + el.argp + el.m, 0.0), 0.0, 1e-9);
    const Elements zero = osculating(-kGmEarth, 0.0, Vec3(), Vec3());  // zero state, negative gm
    for (double x : {zero.tp, zero.m, zero.a, zero.e, zero.node, zero.argp, zero.i}) EXPECT_TRUE(std::isfinite(x));
}
