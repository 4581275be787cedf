#include "core/meanmotion.h"

#include <algorithm>
#include <cmath>

#include "astro/earth_constants.h"
#include "foundation/units.h"

namespace {

using angle_units::kDegToRad;
using angle_units::kTwoPi;

// 1.5 J2 R^2 in km^2 (J2 = 1.08263e-3, R = 6378.137 km): the secular J2 term of the mean motion.
constexpr double kJ2Term = 66062.98622677659;

// Smallest mean motion (rev/day) and semi-major axis (km) used; largest mean motion (rev/day).
constexpr double kMinMeanMotion = 0.0001;
constexpr double kMinAxis = 0.001;
constexpr double kMaxMeanMotion = 1000.0;

// J2 factor (1 - e^2)^(-3/2) (1 - 1.5 sin^2 i) of inclination incl (degrees); 0 for e >= 1.
double j2factor(double e, double incl)
{
    const double oneminuse2 = 1.0 - e * e;
    if (oneminuse2 <= 0.0) return 0.0;
    const double s = std::sin(incl * kDegToRad);
    return (1.0 - 1.5 * s * s) / (oneminuse2 * std::sqrt(oneminuse2));
}

}  // namespace

double getsax(int sgp4, double n, double e, double incl)
{
    const double bign = kTwoPi * std::max(n, kMinMeanMotion);  // rad/day
    const double a1 = std::cbrt(kGmKmDay / (bign * bign));
    const double d = -kJ2Term / (a1 * a1) * j2factor(e, incl);
    double a;
    if (sgp4) {
        a = a1 * (1.0 + d * (1.0 - d) / 3.0);
    } else {
        const double n0 = bign / (1.0 - d);
        a = std::cbrt(kGmKmDay / (n0 * n0));
    }
    return std::max(a, kMinAxis);
}

double getn0(double a, double e, double incl)
{
    a = std::fabs(a);
    if (a == 0.0) a = 1.0;
    if (1.0 - e * e <= 0.0) return 1.0 / kTwoPi;
    const double n0 = std::sqrt(kGmKmDay / (a * a * a));  // rad/day
    const double n = n0 * (1.0 + kJ2Term / (a * a) * j2factor(e, incl)) / kTwoPi;
    return std::min(n, kMaxMeanMotion);
}
