#include "foundation/localmin.h"

#include <cmath>

namespace {
// Square of the inverse golden ratio, (3 - sqrt 5) / 2: the golden-section step.
constexpr double kGolden = 0.3819660112501051;

// The trial step from x by the parabola through (x, fx), (w, fw), (v, fv); NaN when the
// parabola has no minimum or it does not lie inside (a, b) within less than half the step e
// before last.
double parabolicStep(double x, double fx, double w, double fw, double v, double fv, double a, double b, double e)
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
}  // namespace

double LocalMinimum(const std::function<double(double)>& f, double a, double b, double x, double fx, double tol)
{
    double w = x, v = x, fw = fx, fv = fx;
    double d = 0.0, e = 0.0;  // the last step and the one before
    for (;;) {
        const double m = 0.5 * (a + b);
        if (std::fabs(x - m) <= 2.0 * tol - 0.5 * (b - a)) return x;
        const double golden = kGolden * (x < m ? b - x : a - x);
        const double parabolic = std::fabs(e) > tol ? parabolicStep(x, fx, w, fw, v, fv, a, b, e) : NAN;
        if (std::isnan(parabolic)) {
            e = golden / kGolden;
            d = golden;
        } else {
            e = d;
            d = parabolic;
            // Not closer than 2 tol to an end of the interval.
            if (x + d - a < 2.0 * tol || b - (x + d) < 2.0 * tol) d = x < m ? tol : -tol;
        }
        const double u = std::fmin(std::fmax(std::fabs(d) >= tol ? x + d : x + (d > 0.0 ? tol : -tol), a), b);
        const double fu = f(u);
        if (fu <= fx) {
            (u < x ? b : a) = x;
            v = w, fv = fw;
            w = x, fw = fx;
            x = u, fx = fu;
        } else {
            (u < x ? a : b) = u;
            if (fu <= fw || w == x) {
                v = w, fv = fw;
                w = u, fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u, fv = fu;
            }
        }
    }
}
