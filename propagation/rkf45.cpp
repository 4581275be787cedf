#include "propagation/rkf45.h"

#include <algorithm>
#include <cmath>
#include <new>

thread_local RKF45 rkf(6);

namespace {
// Fehlberg 4(5) pair (E. Fehlberg, NASA TR R-315, 1969): nodes, stage coefficients,
// fifth-order solution weights and the error weights (fifth minus fourth order).
constexpr int kStages = 6;
constexpr double kC[kStages] = {0.0, 2.0 / 9.0, 1.0 / 3.0, 3.0 / 4.0, 1.0, 5.0 / 6.0};
constexpr double kA[kStages][kStages - 1] = {
    {0, 0, 0, 0, 0},
    {2.0 / 9.0, 0, 0, 0, 0},
    {1.0 / 12.0, 1.0 / 4.0, 0, 0, 0},
    {69.0 / 128.0, -243.0 / 128.0, 135.0 / 64.0, 0, 0},
    {-17.0 / 12.0, 27.0 / 4.0, -27.0 / 5.0, 16.0 / 15.0, 0},
    {65.0 / 432.0, -5.0 / 16.0, 13.0 / 16.0, 4.0 / 27.0, 5.0 / 144.0}};
constexpr double kB[kStages] = {47.0 / 450.0, 0.0, 12.0 / 25.0, 32.0 / 225.0, 1.0 / 30.0,
                                6.0 / 25.0};
constexpr double kE[kStages] = {-1.0 / 150.0, 0.0, 3.0 / 100.0, -16.0 / 75.0, -1.0 / 20.0,
                                6.0 / 25.0};
// Smallest tolerance, and the error floor relative to the tolerance.
constexpr double kMinTol = 1e-50;
constexpr double kErrFloor = 1e-15;
// Safety factor and exponent of the step-size update.
constexpr double kSafety = 0.9;
constexpr double kOrderExp = 0.2;
}  // namespace

RKF45::RKF45(int n)
{
    ResetNeq(n);
}

void RKF45::ResetNeq(int n)
{
    neq = std::max(n, 0);
    conok = 0;
    try {
        work.assign(neq, 0.0);
        k.assign(static_cast<size_t>(kStages) * neq, 0.0);
        err.assign(neq, 0.0);
        conok = 1;
    } catch (const std::bad_alloc&) {
        neq = 0;
        work.clear();
        k.clear();
        err.clear();
    }
}

void RKF45::SetTolerance(double t, int rel)
{
    tol = std::max(std::fabs(t), kMinTol);
    relerr = rel != 0 ? 1 : 0;
}

void RKF45::SetMaxIter(int n)
{
    maxiter = std::abs(n);
}

double RKF45::attempt(double x, double h, const double* y, const RKDerivFn& f, double* ynew)
{
    for (int s = 1; s < kStages; ++s) {
        for (int i = 0; i < neq; ++i) {
            double sum = 0.0;
            for (int j = 0; j < s; ++j) sum += kA[s][j] * k[j * neq + i];
            work[i] = y[i] + h * sum;
        }
        xs = x + kC[s] * h;
        f(xs, work.data(), &k[s * neq]);
    }
    double e = tol * kErrFloor;
    for (int i = 0; i < neq; ++i) {
        double sol = 0.0, est = 0.0;
        for (int j = 0; j < kStages; ++j) {
            sol += kB[j] * k[j * neq + i];
            est += kE[j] * k[j * neq + i];
        }
        ynew[i] = y[i] + h * sol;
        err[i] = std::fabs(h * est);
        const double scale = relerr ? std::max(std::fabs(ynew[i]), kMinTol) : 1.0;
        e = std::max(e, err[i] / scale);
    }
    return e;
}

void RKF45::RKF45Step(double x, double h, const double* y, const RKDerivFn& f, double& xnew,
                      double& hnew, double* ynew)
{
    if (!conok || neq == 0) {  // nothing to integrate
        xnew = x;
        hnew = h;
        return;
    }
    int attempts = maxiter > 0 ? maxiter : 1;
    hcur = h;
    xs = x;
    f(x, y, k.data());
    double used, e;
    do {
        e = attempt(x, hcur, y, f, ynew);
        used = hcur;
        hcur = kSafety * hcur * std::pow(tol / e, kOrderExp);
        if (maxiter > 0) --attempts;
    } while (attempts > 0 && e > tol);
    xnew = x + used;
    hnew = hcur;
}
