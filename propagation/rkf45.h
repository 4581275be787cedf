// Runge-Kutta-Fehlberg 4(5) integrator with adaptive step-size control.
#pragma once
#include <functional>
#include <vector>

// Derivative function of y' = f(x, y): writes the n derivatives of y at x into dydx. A callable,
// so that the caller's context travels with it rather than through globals.
using RKDerivFn = std::function<void(double x, const double* y, double* dydx)>;

// One adaptive Fehlberg 4(5) step at a time for a system of neq first-order equations.
class RKF45 {
public:
    // Allocates for n equations; tolerance 1e-6, relative error, no attempt limit.
    explicit RKF45(int n);
    virtual ~RKF45() = default;

    // Re-allocates the work storage for n equations.
    void ResetNeq(int n);
    // Tolerance |tol| (at least 1e-50); relative error when rel is non-zero, else absolute.
    void SetTolerance(double tol, int rel);
    // Maximum number of attempts per step, |n|; 0 means repeat until the tolerance is met.
    void SetMaxIter(int n);
    // 1 when the work storage was allocated, else 0.
    int GetConOk() const { return conok; }

    double GetTolerance() const { return tol; }
    int GetMaxIter() const { return maxiter; }
    int GetNeq() const { return neq; }

    // One step from (x, y) with trial step h: xnew = x + step used, hnew = proposed next
    // step, ynew = the neq new values. y is not modified.
    void RKF45Step(double x, double h, const double* y, const RKDerivFn& f, double& xnew,
                   double& hnew, double* ynew);

private:
    // One attempt with step h from (x, y) using k[0]; returns the error measure.
    double attempt(double x, double h, const double* y, const RKDerivFn& f, double* ynew);

    int neq = 0;
    double xs = 0.0;              // abscissa of the stage being evaluated
    std::vector<double> work;     // stage arguments
    std::vector<double> k;        // stage derivatives, stage j of equation i at j*neq + i
    std::vector<double> err;      // error estimates
    int conok = 0;
    int maxiter = 0;
    int relerr = 1;
    double tol = 1e-6;
    double hcur = 0.0;
};

// The integrator of the numerical orbit propagator (position and velocity), one per thread.
extern thread_local RKF45 rkf;
