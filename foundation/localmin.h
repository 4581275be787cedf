// Minimum of a function of one variable in an interval, by Brent's method.
#pragma once

#include <functional>

// Abscissa of a minimum of f in [a, b] (a <= b), found by Brent's method (golden section with
// parabolic steps, R. P. Brent, "Algorithms for Minimization without Derivatives", 1973, ch. 5),
// starting from x in [a, b] where f is fx. It lies within about 2 tol of the minimum of a
// unimodal f; f is called only within [a, b].
double LocalMinimum(const std::function<double(double)>& f, double a, double b, double x, double fx, double tol);
