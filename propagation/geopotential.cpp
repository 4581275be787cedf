#include <algorithm>
#include <array>
#include <cmath>

#include "propagation/forcemodel.h"
#include "propagation/jgm3_table.h"

namespace {
// Recursion arrays hold degrees 0..kJgm3MaxDegree + 1 (one above the summed degree).
constexpr int kDim = kJgm3MaxDegree + 2;
using Harmonics = std::array<std::array<double, kDim>, kDim>;

// Reciprocals 1/k of the recursion divisors: a multiplication keeps the dependent chain short.
constexpr std::array<double, kDim + 1> reciprocals()
{
    std::array<double, kDim + 1> r{};
    for (int k = 1; k <= kDim; ++k) r[k] = 1.0 / k;
    return r;
}
constexpr std::array<double, kDim + 1> kInv = reciprocals();

// Un-normalised cosine coefficient C[n][m] of the field (C00 = 1, degree 1 zero).
double coefC(int n, int m)
{
    if (n < 2) return (n == 0 && m == 0) ? 1.0 : 0.0;
    return kJgm3C[jgm3Index(n, m)];
}

// Un-normalised sine coefficient S[n][m] of the field (zero below degree 2).
double coefS(int n, int m)
{
    return n < 2 ? 0.0 : kJgm3S[jgm3Index(n, m)];
}

// Cunningham's functions V[n][m], W[n][m] of the Earth-fixed position r to degree nmax
// (Montenbruck & Gill, "Satellite Orbits", 3.2.4).
void cunningham(const Vec3& r, int nmax, Harmonics& v, Harmonics& w)
{
    double r2 = dot(r, r);
    if (r2 < 1e-15) r2 = 1.0;
    const double rho = kEarthRadiusM * kEarthRadiusM / r2;
    const double x0 = kEarthRadiusM * r[0] / r2;
    const double y0 = kEarthRadiusM * r[1] / r2;
    const double z0 = kEarthRadiusM * r[2] / r2;

    v[0][0] = kEarthRadiusM / std::sqrt(r2);
    w[0][0] = 0.0;
    v[1][0] = z0 * v[0][0];
    w[1][0] = 0.0;
    for (int n = 2; n <= nmax; ++n) {
        v[n][0] = ((2 * n - 1) * z0 * v[n - 1][0] - (n - 1) * rho * v[n - 2][0]) * kInv[n];
        w[n][0] = 0.0;
    }
    for (int m = 1; m <= nmax; ++m) {
        v[m][m] = (2 * m - 1) * (x0 * v[m - 1][m - 1] - y0 * w[m - 1][m - 1]);
        w[m][m] = (2 * m - 1) * (x0 * w[m - 1][m - 1] + y0 * v[m - 1][m - 1]);
        if (m < nmax) {
            v[m + 1][m] = (2 * m + 1) * z0 * v[m][m];
            w[m + 1][m] = (2 * m + 1) * z0 * w[m][m];
        }
        for (int n = m + 2; n <= nmax; ++n) {
            const double a = (2 * n - 1) * z0, b = (n + m - 1) * rho, inv = kInv[n - m];
            v[n][m] = (a * v[n - 1][m] - b * v[n - 2][m]) * inv;
            w[n][m] = (a * w[n - 1][m] - b * w[n - 2][m]) * inv;
        }
    }
}
}  // namespace

Vec3 HarmAcc(const Vec3& r, int n)
{
    n = std::clamp(n, 0, kJgm3MaxDegree);
    Harmonics v, w;
    cunningham(r, n + 1, v, w);

    double ax = 0.0, ay = 0.0, az = 0.0;
    for (int deg = 0; deg <= n; ++deg) {
        const double c = coefC(deg, 0);
        ax -= c * v[deg + 1][1];
        ay -= c * w[deg + 1][1];
        az -= (deg + 1) * c * v[deg + 1][0];
    }
    for (int m = 1; m <= n; ++m) {
        for (int deg = m; deg <= n; ++deg) {
            const double c = coefC(deg, m), s = coefS(deg, m);
            const double fac = 0.5 * (deg - m + 1) * (deg - m + 2);
            const auto& vp = v[deg + 1];
            const auto& wp = w[deg + 1];
            ax += 0.5 * (-c * vp[m + 1] - s * wp[m + 1]) + fac * (c * vp[m - 1] + s * wp[m - 1]);
            ay += 0.5 * (-c * wp[m + 1] + s * vp[m + 1]) + fac * (-c * wp[m - 1] + s * vp[m - 1]);
            az += (deg - m + 1) * (-c * vp[m] - s * wp[m]);
        }
    }
    // GM / R^2 of the field's constants, m/s^2.
    constexpr double kSurfaceGravity = kEarthGM / (kEarthRadiusM * kEarthRadiusM);
    return kSurfaceGravity * Vec3(ax, ay, az);
}

Vec3 ThirdBody(double gm, const Vec3& r, const Vec3& s)
{
    const Vec3 d = s - r;
    const double dd = abs(d), ds = abs(s);
    if (dd < 1.0 || ds < 1.0) return Vec3();
    return gm * (d / (dd * dd * dd) - s / (ds * ds * ds));
}
