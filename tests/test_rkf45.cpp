#include <gtest/gtest.h>

#include <cmath>

#include "propagation/rkf45.h"

namespace {
void growth(double, const double* y, double* dydx) { dydx[0] = y[0]; }
}  // namespace

TEST(RKF45, ExponentialStepsForwardAndBackward)
{
    RKF45 rk(1);
    ASSERT_EQ(rk.GetConOk(), 1);
    const double y0 = 1.0;
    double xnew, hnew, ynew;
    rk.RKF45Step(0.0, 0.1, &y0, growth, xnew, hnew, &ynew);
    EXPECT_DOUBLE_EQ(xnew, 0.1);
    EXPECT_NEAR(ynew, std::exp(0.1), 1e-9);
    EXPECT_GT(hnew, 0.1);
    rk.RKF45Step(0.0, -0.1, &y0, growth, xnew, hnew, &ynew);
    EXPECT_NEAR(ynew, std::exp(-0.1), 1e-9);
    EXPECT_LT(hnew, -0.1);
}

TEST(RKF45, AttemptLimitAndRejectedSteps)
{
    RKF45 rk(1);
    const double y0 = 1.0;
    double xnew, hnew, ynew;
    // One attempt only: the too-large step is returned as taken, with a smaller proposal.
    rk.SetTolerance(1e-30, 1);
    rk.SetMaxIter(1);
    rk.RKF45Step(0.0, 0.5, &y0, growth, xnew, hnew, &ynew);
    EXPECT_DOUBLE_EQ(xnew, 0.5);
    EXPECT_LT(hnew, 0.5);
    // No limit: the step shrinks until the tolerance is met, and the result honours it.
    rk.SetTolerance(1e-10, 1);
    rk.SetMaxIter(0);
    rk.RKF45Step(0.0, 1.5, &y0, growth, xnew, hnew, &ynew);
    EXPECT_LT(xnew, 1.5);
    EXPECT_GT(xnew, 0.0);
    EXPECT_NEAR(ynew / std::exp(xnew), 1.0, 1e-9);
}
