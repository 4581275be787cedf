// Brent's minimum search, on which the culmination of a pass rests.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "foundation/localmin.h"

// Smooth, kinked (a pass through the zenith) and end-point minima are found within the tolerance,
// with f called inside the interval only, and a smooth one with few calls.
TEST(LocalMinimum, FindsSmoothKinkedAndEndMinima)
{
    struct Case {
        std::function<double(double)> f;
        double a, b, x, expected;
        int maxCalls;
    };
    const double tol = 1e-3;
    const Case cases[] = {
        {[](double x) { return std::cos(x); }, 2.0, 4.0, 2.5, M_PI, 12},
        {[](double x) { return std::fabs(x - 17.3); }, -60.0, 60.0, 0.0, 17.3, 40},
        {[](double x) { return x; }, -1.0, 2.0, 1.0, -1.0, 40},
        {[](double x) { return -x; }, -1.0, 2.0, 1.0, 2.0, 40},
    };
    for (const Case& c : cases) {
        int calls = 0;
        bool inside = true;
        const auto f = [&](double x) {
            ++calls;
            inside = inside && x >= c.a && x <= c.b;
            return c.f(x);
        };
        const double found = LocalMinimum(f, c.a, c.b, c.x, c.f(c.x), tol);
        EXPECT_NEAR(found, c.expected, 3.0 * tol) << c.expected;
        EXPECT_TRUE(inside) << c.expected;
        EXPECT_LE(calls, c.maxCalls) << c.expected;
    }
}
