#include "foundation/localmin.h"

double localmin_detail::parabolicStep(double x, double fx, double w, double fw, double v, double fv, double a,
                                      double b, double e)
{
    const double r = (x - w) * (fx - fv);
    double q = (x - v) * (fx - fw);
    double p = (x - v) * q - (x - w) * r;
    q = 2.0 * (q - r);
    if (q > 0.0) p = -p;
    q = std::fabs(q);
    const bool inside = q != 0.0 && std::fabs(p) < std::fabs(0.5 * q * e) && p > q * (a - x) && p < q * (b - x);
    return inside ? p / q : NAN;
}
