#include "astro/frames.h"

#include <cmath>

#include "astro/timescales.h"
#include "foundation/arith.h"
#include "foundation/units.h"

using angle_units::kArcsecToRad;
using angle_units::kDegToRad;
using angle_units::kTwoPi;

namespace {
// Aberration: Earth's orbital velocity in units of c projected on the equatorial axes
// (constant of aberration times 1, cos eps, sin eps).
constexpr double kAberrX = 9.934e-5;
constexpr double kAberrY = 9.125e-5;
constexpr double kAberrZ = 3.927e-5;
// Earth's mean heliocentric longitude in revolutions: value at J2000, rate per century.
constexpr double kEarthLon0 = 0.27908;
constexpr double kEarthLonRate = 100.00214;
}  // namespace

Vec3 eclequ(double T, const Vec3& v) { return mxvct(xrot(-eps(T)), v); }

Vec3 equecl(double T, const Vec3& v) { return mxvct(xrot(eps(T)), v); }

// Lieske et al. (1977) angles: Pi (longitude of the ecliptic node), pi_A, p_A.
Mat3 pmatecl(double T1, double T2)
{
    const double dt = T2 - T1;
    const double bigPi = 174.876383889 * kDegToRad
        + ((3289.4789 + 0.60622 * T1) * T1 + ((-869.8089 - 0.50491 * T1) + 0.03536 * dt) * dt)
              * kArcsecToRad;
    const double piA = ((47.0029 - (0.06603 - 0.000598 * T1) * T1)
                        + ((-0.03302 + 0.000598 * T1) + 0.000060 * dt) * dt) * dt * kArcsecToRad;
    const double pA = ((5029.0966 + (2.22226 - 0.000042 * T1) * T1)
                       + ((1.11113 - 0.000042 * T1) - 0.000006 * dt) * dt) * dt * kArcsecToRad;
    return zrot(-(bigPi + pA)) * xrot(piA) * zrot(bigPi);
}

// Lieske et al. (1977) equatorial precession angles zeta, z, theta.
Mat3 pmatequ(double T1, double T2)
{
    const double dt = T2 - T1;
    const double zeta = ((2306.2181 + (1.39656 - 0.000139 * T1) * T1)
                         + ((0.30188 - 0.000345 * T1) + 0.017998 * dt) * dt) * dt * kArcsecToRad;
    const double z = zeta + ((0.79280 + 0.000411 * T1) + 0.000205 * dt) * dt * dt * kArcsecToRad;
    const double theta = ((2004.3109 - (0.85330 + 0.000217 * T1) * T1)
                          - ((0.42665 + 0.000217 * T1) + 0.041833 * dt) * dt) * dt * kArcsecToRad;
    return zrot(-z) * yrot(theta) * zrot(-zeta);
}

Mat3 PoleMx(double xp, double yp)
{
    const double x = xp * kArcsecToRad;
    const double y = yp * kArcsecToRad;
    Mat3 m;
    m.assign(1.0, 0.0, x,
             0.0, 1.0, -y,
             -x, y, 1.0);
    return m;
}

Vec3 aberrat(double T, const Vec3& r)
{
    const double L = kTwoPi * frac(kEarthLon0 + kEarthLonRate * T);
    const double len = abs(r);
    return Vec3(r[0] - kAberrX * len * std::sin(L),
                r[1] + kAberrY * len * std::cos(L),
                r[2] + kAberrZ * len * std::cos(L));
}
