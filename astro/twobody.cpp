#include "astro/twobody.h"

#include <algorithm>
#include <cmath>

#include "foundation/mat3.h"
#include "foundation/units.h"

using angle_units::kDegToRad;
using angle_units::kPi;
using angle_units::kRadToDeg;
using angle_units::kTwoPi;

namespace {
// Kepler's equation: residual tolerance (radians) and iteration limit.
constexpr double kKeplerTol = 1e-11;
constexpr int kKeplerMaxIter = 15;
// Eccentricity from which the elliptic iteration starts at E = pi.
constexpr double kHighEccentricity = 0.8;
// Universal-variable iteration: tolerance on successive values and iteration limit.
constexpr double kParabTol = 1e-9;
constexpr int kParabMaxIter = 15;
// Stumpff series: last-term tolerance and a term limit that stops runaway sums.
constexpr double kStumpffTol = 1e-12;
constexpr int kStumpffMaxTerms = 500;
// Floors that replace vanishing lengths, cubes of lengths and gm in divisions.
constexpr double kTinyLength = 1e-40;
constexpr double kTinyCube = 1e-60;
// |e - 1| below which osculating elements are taken as parabolic (e set to 1).
constexpr double kParabolicBand = 1e-10;

// x raised to at least lo (guards divisions by vanishing positive quantities).
double atLeast(double x, double lo) { return std::max(x, lo); }

// Angle reduced to [0, 2pi).
double mod2pi(double x)
{
    const double y = std::fmod(x, kTwoPi);
    return y < 0.0 ? y + kTwoPi : y;
}

// Angle in radians as degrees in [0, 360).
double degrees360(double x)
{
    const double d = mod2pi(x) * kRadToDeg;
    return d < 360.0 ? d : 0.0;
}

// Mean motion (radians per time unit) on a conic with |semi-major axis| a.
double meanMotion(double gm, double a)
{
    return std::sqrt(gm / atLeast(a * a * a, kTinyCube));
}

// Mean anomaly (radians) on a conic of eccentricity e at true anomaly nu; parabolic
// (Barker) when e == 1.
double meanFromTrue(double nu, double e)
{
    if (e == 1.0) {
        const double d = std::tan(nu / 2.0);
        return d + d * d * d / 3.0;
    }
    const double c = std::cos(nu);
    const double s = std::sin(nu);
    if (e < 1.0) {
        const double E = std::atan2(std::sqrt(1.0 - e * e) * s, e + c);
        return mod2pi(E - e * std::sin(E));
    }
    const double H = std::asinh(std::sqrt(e * e - 1.0) * s / (1.0 + e * c));
    return e * std::sinh(H) - H;
}
}  // namespace

double eccanom(double M, double e)
{
    const double m = mod2pi(M);
    double E = e < kHighEccentricity ? m : kPi;
    double f = E - e * std::sin(E) - m;
    for (int it = 0; std::fabs(f) > kKeplerTol && it < kKeplerMaxIter; ++it) {
        E -= f / (1.0 - e * std::cos(E));
        f = E - e * std::sin(E) - m;
    }
    return E;
}

double hypanom(double M, double e)
{
    double H = std::log(2.0 * std::fabs(M) / e + 1.8);
    if (M < 0.0) H = -H;
    double f = e * std::sinh(H) - H - M;
    for (int it = 0; std::fabs(f) > kKeplerTol * (1.0 + std::fabs(H + M)) && it < kKeplerMaxIter; ++it) {
        H -= f / (e * std::cosh(H) - 1.0);
        f = e * std::sinh(H) - H - M;
    }
    return H;
}

void ellip(double gm, double M, double a, double e, Vec3& r, Vec3& v)
{
    a = atLeast(a, kTinyLength);
    const double k = std::sqrt(gm / a);
    const double E = eccanom(M, e);
    const double c = std::cos(E);
    const double s = std::sin(E);
    const double fac = std::sqrt((1.0 - e) * (1.0 + e));
    const double rho = 1.0 - e * c;
    r.assign(a * (c - e), a * fac * s, 0.0);
    v.assign(-k * s / rho, k * fac * c / rho, 0.0);
}

void hyperb(double gm, double t0, double t, double a, double e, Vec3& r, Vec3& v)
{
    a = atLeast(std::fabs(a), kTinyLength);
    const double k = std::sqrt(gm / a);
    const double H = hypanom(k * (t - t0) / a, e);
    const double ch = std::cosh(H);
    const double sh = std::sinh(H);
    const double fac = std::sqrt((e + 1.0) * (e - 1.0));
    const double rho = e * ch - 1.0;
    r.assign(a * (e - ch), a * fac * sh, 0.0);
    v.assign(-k * sh / rho, k * fac * ch / rho, 0.0);
}

// Solves Kepler's equation in Barker form u + u^3/3 = sqrt(fac/q^3) tau, with fac = 3 e c3(E^2)
// and E^2 = u^2 (1 - e)/fac iterated to convergence.
void parab(double gm, double t0, double t, double q, double e, Vec3& r, Vec3& v)
{
    q = atLeast(q, kTinyLength);
    const double k = std::sqrt(gm / atLeast(q * (1.0 + e), kTinyLength));
    const double tau = std::sqrt(gm) * (t - t0);
    const double q3 = atLeast(q * q * q, kTinyCube);
    double e2 = 0.0;
    double fac = atLeast(0.5 * e, kTinyLength);
    double u2 = 0.0, u = 0.0, c1 = 1.0, c2 = 0.5, c3 = 1.0 / 6.0;
    for (int it = 0; it <= kParabMaxIter; ++it) {
        const double e20 = e2;
        const double A = 1.5 * std::sqrt(fac / q3) * tau;
        u = 2.0 * std::sinh(std::asinh(A) / 3.0);   // root of u^3 + 3u = 2A
        u2 = u * u;
        e2 = u2 * (1.0 - e) / fac;
        stumpff(e2, c1, c2, c3);
        fac = atLeast(3.0 * e * c3, kTinyLength);
        if (std::fabs(e2 - e20) < kParabTol) break;
    }
    const double rad = atLeast(q * (1.0 + u2 * c2 * e / fac), kTinyLength);
    r.assign(q * (1.0 - u2 * c2 / fac), q * std::sqrt((1.0 + e) / fac) * u * c1, 0.0);
    v.assign(-k * r[1] / rad, k * (r[0] / rad + e), 0.0);
}

void stumpff(double e2, double& c1, double& c2, double& c3)
{
    c1 = c2 = c3 = 0.0;
    double add = 1.0;
    for (int n = 1; n <= kStumpffMaxTerms; ++n) {
        c1 += add;
        add /= 2.0 * n;
        c2 += add;
        add /= 2.0 * n + 1.0;
        c3 += add;
        add *= -e2;
        if (std::fabs(add) <= kStumpffTol || !std::isfinite(add)) break;
    }
}

void kepler(double gm, double t0, double t, double m, double a, double e, double node,
            double argp, double i, Vec3& r, Vec3& v)
{
    Vec3 rp, vp;
    if (e == 1.0 || m < 0.0) {
        const double q = e == 1.0 ? a : std::fabs(a) * std::fabs(1.0 - e);
        parab(gm, t0, t, q, e, rp, vp);
    } else if (e < 1.0) {
        ellip(gm, m * kDegToRad + meanMotion(gm, a) * (t - t0), a, e, rp, vp);
    } else {
        hyperb(gm, t0, t, a, e, rp, vp);
    }
    const Mat3 pqr = zrot(-node * kDegToRad) * xrot(-i * kDegToRad) * zrot(-argp * kDegToRad);
    r = mxvct(pqr, rp);
    v = mxvct(pqr, vp);
}

void oscelm(double gm, double t, const Vec3& r, const Vec3& v, double& tp, double& m, double& a,
            double& e, double& node, double& argp, double& i)
{
    gm = atLeast(std::fabs(gm), kTinyCube);
    const Vec3 h = r * v;
    const double hLen = atLeast(abs(h), kTinyLength);
    const double rLen = atLeast(abs(r), kTinyLength);
    const double p = hLen * hLen / gm;

    const double nodeRad = atan20(h[0], -h[1]);
    const double incRad = std::acos(std::clamp(h[2] / hLen, -1.0, 1.0));
    // Argument of latitude: angle of r from the ascending node in the orbital plane.
    const Vec3 inPlane = mxvct(xrot(incRad) * zrot(nodeRad), r);
    const double u = atan20(inPlane[1], inPlane[0]);

    // e cos(nu) and e sin(nu) from the conic equation and the radial velocity.
    const double eCosNu = p / rLen - 1.0;
    const double eSinNu = dot(r, v) * std::sqrt(p / gm) / rLen;
    const double nu = atan20(eSinNu, eCosNu);
    e = std::hypot(eCosNu, eSinNu);

    double n;
    if (std::fabs(e - 1.0) < kParabolicBand) {
        e = 1.0;
        a = p / 2.0;
        n = std::sqrt(gm / (2.0 * atLeast(a * a * a, kTinyCube)));
    } else {
        a = p / (1.0 - e * e);
        n = meanMotion(gm, std::fabs(a));
    }
    const double M = meanFromTrue(nu, e);
    tp = t - M / n;
    m = e < 1.0 ? degrees360(M) : M * kRadToDeg;
    node = degrees360(nodeRad);
    argp = degrees360(u - nu);
    i = incRad * kRadToDeg;
}
