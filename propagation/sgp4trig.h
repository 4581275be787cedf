// Angle helpers of the SGP4 propagation path: cheap reduction modulo 2 pi and the sine and
// cosine of an angle after a small correction, without further library calls.
#pragma once
#include <cmath>

#include "foundation/units.h"

namespace sgp4trig {

// Largest correction (rad) applied through the series; the first neglected terms are below
// 1e-18 there.
constexpr double kSmallAngle = 0.02;

// Sine and cosine of one angle; sums and differences of angles by the addition theorems.
struct SinCos {
    double s, c;
};
inline SinCos sincosof(double x) { return {std::sin(x), std::cos(x)}; }
inline SinCos operator+(const SinCos& a, const SinCos& b)
{
    return {a.s * b.c + a.c * b.s, a.c * b.c - a.s * b.s};
}
inline SinCos operator-(const SinCos& a, const SinCos& b)
{
    return {a.s * b.c - a.c * b.s, a.c * b.c + a.s * b.s};
}

// Remainder of x modulo 2 pi with the sign of x (fmod to within rounding).
inline double mod2pi(double x)
{
    using angle_units::kTwoPi;
    return x - kTwoPi * std::trunc(x / kTwoPi);
}

// Given s = sin(a) and c = cos(a), replaces them by sin(a + d) and cos(a + d).
inline void addangle(double d, double& s, double& c)
{
    double sind, cosd;
    if (std::fabs(d) < kSmallAngle) {
        // Taylor series to d^7 and d^8.
        const double d2 = d * d;
        sind = d * (1.0 - d2 * (1.0 / 6.0) * (1.0 - d2 * (1.0 / 20.0) * (1.0 - d2 * (1.0 / 42.0))));
        cosd = 1.0 - d2 * 0.5 *
                         (1.0 - d2 * (1.0 / 12.0) *
                                    (1.0 - d2 * (1.0 / 30.0) * (1.0 - d2 * (1.0 / 56.0))));
    } else {
        sind = std::sin(d);
        cosd = std::cos(d);
    }
    const double s0 = s;
    s = s0 * cosd + c * sind;
    c = c * cosd - s0 * sind;
}

}  // namespace sgp4trig
