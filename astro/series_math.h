// Shared arithmetic of the analytic Sun, Moon and planet series.
#pragma once
#include <array>
#include <cmath>

#include "astro/series_types.h"
#include "foundation/arith.h"
#include "foundation/units.h"

namespace series {

using angle_units::kTwoPi;
// Arcseconds per revolution.
constexpr double kArcsecPerRevolution = 1296000.0;

// Angle in [0, 2*pi) of x revolutions (radians).
inline double revolutionAngle(double x)
{
    return kTwoPi * (x - std::floor(x));
}

// Mean argument 2*pi*frac(a + b*T) in radians at T Julian centuries.
inline double meanArgument(const MeanArgument& m, double T)
{
    return revolutionAngle(m.a + m.b * T);
}

// Value amp*sin(2*pi*(a + b*T)) of a long-period wave at T Julian centuries.
inline double sineWave(const SineWave& w, double T)
{
    return w.amp * std::sin(kTwoPi * (w.a + w.b * T));
}

// Addition theorem: c + i*s = (c1 + i*s1) * (c2 + i*s2).
inline void addthe(double c1, double s1, double c2, double s2, double& c, double& s)
{
    c = c1 * c2 - s1 * s2;
    s = s1 * c2 + c1 * s2;
}

// Fills fac^|k| * (cos kx, sin kx) for k = -n..n into tables whose middle entry is k = 0;
// x in radians, n at most the tables' half-size.
template <std::size_t N>
void fillMultiples(double x, double fac, int n, std::array<double, N>& c, std::array<double, N>& s)
{
    static_assert(N % 2 == 1, "multiple tables are centred on k = 0");
    constexpr int mid = static_cast<int>(N / 2);
    c[mid] = 1.0;
    s[mid] = 0.0;
    if (n < 1) return;
    c[mid + 1] = fac * std::cos(x);
    s[mid + 1] = fac * std::sin(x);
    for (int k = 2; k <= n; ++k)
        addthe(c[mid + k - 1], s[mid + k - 1], c[mid + 1], s[mid + 1], c[mid + k], s[mid + k]);
    for (int k = 1; k <= n; ++k) {
        c[mid - k] = c[mid + k];
        s[mid - k] = -s[mid + k];
    }
}

}  // namespace series
