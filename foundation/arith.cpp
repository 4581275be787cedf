#include "foundation/arith.h"

#include <cmath>
#include <cstdlib>

#include "foundation/units.h"

using angle_units::kPi;
using angle_units::kTwoPi;

double frac(double x) { return std::fmod(x, 1.0); }

double FoldPositive(double a, double period)
{
    a = std::fmod(a, period);
    if (a < 0.0) a += period;
    if (a >= period) a -= period;
    return a;
}

double FoldPi(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a > kPi) a -= kTwoPi;
    if (a < -kPi) a += kTwoPi;
    return a;
}

double ddd(int d, int m, double s)
{
    const double sign = (d < 0 || m < 0 || s < 0) ? -1.0 : 1.0;
    return sign * (std::abs(d) + std::abs(m) / 60.0 + std::fabs(s) / 3600.0);
}

void dms(double x, int& d, int& m, double& s)
{
    const double y = std::fabs(x);
    d = static_cast<int>(y);
    const double minutes = (y - d) * 60.0;
    m = static_cast<int>(minutes);
    s = (minutes - m) * 60.0;
    if (x < 0) {
        if (d != 0) d = -d;
        else if (m != 0) m = -m;
        else s = -s;
    }
}
