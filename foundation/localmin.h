// Minimum of a function of one variable in an interval, by Brent's method.
#pragma once

#include <cmath>

namespace localmin_detail {
// Square of the inverse golden ratio, (3 - sqrt 5) / 2: the golden-section step.
constexpr double kGolden = 0.3819660112501051;

// The trial step from x by the parabola through (x, fx), (w, fw), (v, fv); NaN when the
// parabola has no minimum or it does not lie inside (a, b) within less than half the step e
// before last.
double parabolicStep(double x, double fx, double w, double fw, double v, double fv, double a, double b, double e);
}  // namespace localmin_detail

// Abscissa of a minimum of f (any callable double(double)) in [a, b] (a <= b), found by Brent's
// method (golden section with parabolic steps, R. P. Brent, "Algorithms for Minimization without
// Derivatives", 1973, ch. 5), starting from x in [a, b] where f is fx. It lies within about
// 2 tol of the minimum of a unimodal f; f is called only within [a, b].
template <class F>
double LocalMinimum(F&& f, double a, double b, double x, double fx, double tol)
{
    using localmin_detail::kGolden;
    double w = x, v = x, fw = fx, fv = fx;
    double d = 0.0, e = 0.0;  // the last step and the one before
    for (;;) {
        const double m = 0.5 * (a + b);
        if (std::fabs(x - m) <= 2.0 * tol - 0.5 * (b - a)) return x;
        const double golden = kGolden * (x < m ? b - x : a - x);
        const double parabolic =
            std::fabs(e) > tol ? localmin_detail::parabolicStep(x, fx, w, fw, v, fv, a, b, e) : NAN;
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
