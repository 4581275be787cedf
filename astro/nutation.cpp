// Nutation in longitude and obliquity (short series and 50 terms of IAU 1980) and the
// nutation matrix.
#include <array>
#include <cmath>

#include "astro/frames.h"
#include "astro/timescales.h"
#include "foundation/arith.h"
#include "foundation/units.h"

using angle_units::kArcsecToRad;
using angle_units::kTwoPi;

namespace {
using angle_units::kTimeSecPerRad;
// Unit of the IAU 1980 amplitudes: 0.0001 arcsecond.
constexpr double kIau1980Unit = 1e-4;

// One term of the IAU 1980 series: multipliers of l, l', F, D, Omega and the amplitudes
// (0.0001") of sin in dpsi and cos in deps, with their rates per Julian century.
struct NutationTerm {
    int l, lp, f, d, om;
    double a, aT, b, bT;
};

// The 50 largest terms of the IAU 1980 nutation theory.
constexpr std::array<NutationTerm, 50> kIau1980Terms{{
    {0, 0, 0, 0, 1, -171996, -174.2, 92025, 8.9},
    {0, 0, 0, 0, 2, 2062, 0.2, -895, 0.5},
    {0, 0, 2, -2, 2, -13187, -1.6, 5736, -3.1},
    {0, 1, 0, 0, 0, 1426, -3.4, 54, -0.1},
    {0, 1, 2, -2, 2, -517, 1.2, 224, -0.6},
    {0, -1, 2, -2, 2, 217, -0.5, -95, 0.3},
    {0, 0, 2, -2, 1, 129, 0.1, -70, 0},
    {0, 2, 0, 0, 0, 17, -0.1, 0, 0},
    {0, 2, 2, -2, 2, -16, 0.1, 7, 0},
    {0, 0, 2, 0, 2, -2274, -0.2, 977, -0.5},
    {1, 0, 0, 0, 0, 712, 0.1, -7, 0},
    {0, 0, 2, 0, 1, -386, -0.4, 200, 0},
    {1, 0, 2, 0, 2, -301, 0, 129, -0.1},
    {1, 0, 0, 0, 1, 63, 0.1, -33, 0},
    {-1, 0, 0, 0, 1, -58, -0.1, 32, 0},
    {-2, 0, 2, 0, 1, 46, 0, -24, 0},
    {2, 0, -2, 0, 0, 11, 0, 0, 0},
    {-2, 0, 2, 0, 2, -3, 0, 1, 0},
    {1, -1, 0, -1, 0, -3, 0, 0, 0},
    {0, -2, 2, -2, 1, -2, 0, 1, 0},
    {2, 0, -2, 0, 1, 1, 0, 0, 0},
    {2, 0, 0, -2, 0, 48, 0, 1, 0},
    {0, 0, 2, -2, 0, -22, 0, 0, 0},
    {0, 1, 0, 0, 1, -15, 0, 9, 0},
    {0, -1, 0, 0, 1, -12, 0, 6, 0},
    {-2, 0, 0, 2, 1, -6, 0, 3, 0},
    {0, -1, 2, -2, 1, -5, 0, 3, 0},
    {2, 0, 0, -2, 1, 4, 0, -2, 0},
    {0, 1, 2, -2, 1, 4, 0, -2, 0},
    {1, 0, 0, -1, 0, -4, 0, 0, 0},
    {2, 1, 0, -2, 0, 1, 0, 0, 0},
    {0, 0, -2, 2, 1, 1, 0, 0, 0},
    {0, 1, -2, 2, 0, -1, 0, 0, 0},
    {0, 1, 0, 0, 2, 1, 0, 0, 0},
    {-1, 0, 0, 1, 1, 1, 0, 0, 0},
    {0, 1, 2, -2, 0, -1, 0, 0, 0},
    {1, 0, 0, -2, 0, -158, 0, -1, 0},
    {-1, 0, 2, 0, 2, 123, 0, -53, 0},
    {0, 0, 0, 2, 0, 63, 0, -2, 0},
    {-1, 0, 2, 2, 2, -59, 0, 26, 0},
    {1, 0, 2, 0, 1, -51, 0, 27, 0},
    {0, 0, 2, 2, 2, -38, 0, 16, 0},
    {2, 0, 0, 0, 0, 29, 0, -1, 0},
    {1, 0, 2, -2, 2, 29, 0, -12, 0},
    {2, 0, 2, 0, 2, -31, 0, 13, 0},
    {0, 0, 2, 0, 0, 26, 0, -1, 0},
    {-1, 0, 2, 0, 1, 21, 0, -10, 0},
    {-1, 0, 0, 2, 1, 16, 0, -8, 0},
    {1, 0, 0, -2, 1, -13, 0, 7, 0},
    {-1, 0, 2, 2, 1, -10, 0, 5, 0},
}};

// Cubic polynomial c0 + c1 T + c2 T^2 + c3 T^3 reduced modulo 2pi (radians).
double fundamentalArg(double T, double c0, double c1, double c2, double c3)
{
    return std::fmod(c0 + (c1 + (c2 + c3 * T) * T) * T, kTwoPi);
}

// dpsi, deps in arcseconds from the 50-term IAU 1980 series.
void nutationIau1980(double T, double& dpsi, double& deps)
{
    const double l = fundamentalArg(T, 2.355548393544, 8328.691422883903, 0.000151795164, 3.10281e-7);
    const double lp = fundamentalArg(T, 6.240035939326, 628.301956024185, -2.797375e-6, -5.8178e-8);
    const double F = fundamentalArg(T, 1.627901933972, 8433.466158318464, -6.427175e-5, 5.333e-8);
    const double D = fundamentalArg(T, 5.19846951358, 7771.37714617065, -3.3408511e-5, 9.2115e-8);
    const double om = fundamentalArg(T, 2.182438624361, -33.757045933754, 3.614286e-5, 3.8785e-8);
    double sumPsi = 0.0;
    double sumEps = 0.0;
    for (const NutationTerm& t : kIau1980Terms) {
        const double arg = t.l * l + t.lp * lp + t.f * F + t.d * D + t.om * om;
        sumPsi += (t.a + t.aT * T) * std::sin(arg);
        sumEps += (t.b + t.bT * T) * std::cos(arg);
    }
    dpsi = sumPsi * kIau1980Unit;
    deps = sumEps * kIau1980Unit;
}

// dpsi, deps in arcseconds from the short series (five terms in longitude, four in obliquity).
void nutationShort(double T, double& dpsi, double& deps)
{
    const double ls = kTwoPi * frac(0.993133 + 99.997306 * T);   // Sun's mean anomaly
    const double D = kTwoPi * frac(0.827362 + 1236.853087 * T);  // Moon's mean elongation
    const double F = kTwoPi * frac(0.259089 + 1342.227826 * T);  // Moon's argument of latitude
    const double N = kTwoPi * frac(0.347346 - 5.372447 * T);     // Moon's ascending node
    dpsi = -17.200 * std::sin(N) - 1.319 * std::sin(2.0 * (F - D + N))
           - 0.227 * std::sin(2.0 * (F + N)) + 0.206 * std::sin(2.0 * N) + 0.143 * std::sin(ls);
    deps = 9.203 * std::cos(N) + 0.574 * std::cos(2.0 * (F - D + N))
           + 0.098 * std::cos(2.0 * (F + N)) - 0.090 * std::cos(2.0 * N);
}
}  // namespace

void nutangles(double T, bool full, double& dpsi, double& deps)
{
    if (full)
        nutationIau1980(T, dpsi, deps);
    else
        nutationShort(T, dpsi, deps);
    dpsi *= kArcsecToRad;
    deps *= kArcsecToRad;
}

Mat3 nutmat(double T, double& eqeq, bool full)
{
    double dpsi, deps;
    nutangles(T, full, dpsi, deps);
    const double e = eps(T);
    eqeq = dpsi * std::cos(e + deps) * kTimeSecPerRad;
    return xrot(-(e + deps)) * zrot(-dpsi) * xrot(e);
}
