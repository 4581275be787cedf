#include "propagation/numprop.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/frames.h"
#include "astro/moon200.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "foundation/units.h"
#include "propagation/attitude.h"
#include "propagation/forcemodel.h"
#include "propagation/rkf45.h"

namespace {
using angle_units::kPi;
using time_units::kSecondsPerDay;
// Gravitational parameters of the Sun and the Moon (m^3/s^2, IERS / DE405).
constexpr double kSunGM = 1.32712440018e20;
constexpr double kMoonGM = 4.902801e12;
// Solar radiation pressure at 1 AU (N/m^2).
constexpr double kSolarPressure = 4.56e-6;
// Height (km) below which aerodynamic lift acts.
constexpr double kLiftHeight = 90.0;

// Integration controls (s): largest step, interval above which the Sun and Moon are
// refreshed, stalled step size, landing accuracy and number of landing attempts.
constexpr double kMaxStep = 1200.0;
constexpr double kRefreshInterval = 600.0;
constexpr double kStallStep = 0.1;
constexpr double kLandingTolerance = 0.001;
constexpr int kLandingSteps = 4;
// Finest relative tolerance used: under the relative error measure a state component that
// is exactly or nearly zero cannot meet finer ones, and without an attempt limit the steps
// would shrink without end.
constexpr double kMinTolerance = 1e-12;
// Smallest squared distance from the geocentre (m^2) accepted as a start position, and the
// x coordinate (m) that replaces a start position closer than that.
constexpr double kMinRadius2 = 100.0;
constexpr double kCentreOffset = 100.0;

// Geopotential degree and order for the geocentric distance r (m): the full field within
// 1000 km of the surface, fewer terms farther out where they fade as (R/r)^n.
int geopotentialDegree(double r)
{
    if (r < kEarthRadiusM + 1.0e6) return 20;
    if (r < 1.0e7) return 15;
    if (r < kEarthRadiusM + 1.0e7) return 10;
    return 6;
}

// True when r lies in the Earth's cylindrical shadow for the Sun at s.
bool inShadow(const Vec3& r, const Vec3& s)
{
    const Vec3 u = vnorm(s);
    const double d = dot(r, u);
    return d < 0.0 && abs(r - d * u) < kEarthRadiusM;
}

// First axis of the local attitude frame for r, v turned by yaw and pitch (degrees).
Vec3 attitudeAxis(const Vec3& r, const Vec3& v, double yaw, double pitch)
{
    const Mat3 m = GetRVMat(r, v, yaw, pitch, 1);
    return Vec3(m.at(0, 0), m.at(0, 1), m.at(0, 2));
}

// Earth-fixed rotation (true equator, sidereal time, polar motion) of the frame of date,
// and the nutation matrix n, at UT1 mjd.
Mat3 earthFixed(const ForceParams& p, double mjd, Mat3& n)
{
    double eqeq = 0.0;
    n = nutmat(julcent(mjd), eqeq, p.iers);
    Mat3 e = zrot(lsidtim(mjd, 0.0, eqeq) * kPi / 12.0) * n;
    if (p.polex != 0.0 || p.poley != 0.0) e = PoleMx(p.polex, p.poley) * e;
    return e;
}

// Acceleration of radiation pressure (m/s^2) on a sunlit satellite at r.
Vec3 radiationPressure(const ForceParams& p, const Vec3& r, const Vec3& sun)
{
    const Vec3 d = r - sun;
    const double dd = abs(d);
    if (dd < 1.0) return Vec3();
    return kSolarPressure * p.cr * p.areamass * kAuM *
           kAuM / (dd * dd * dd) * d;
}

// Continuous thrust acceleration (m/s^2) along the thrust direction of p.
Vec3 thrust(const ForceParams& p, const Vec3& r, const Vec3& v)
{
    const double yaw = p.thrustYaw, pitch = p.thrustPitch;
    const Vec3 dir = (yaw == 0.0 && pitch == 0.0) ? vnorm(v) : attitudeAxis(r, v, yaw, pitch);
    return p.thrustAcc * dir;
}

// True when all six state values are finite.
bool finiteState(const double* y)
{
    return std::all_of(y, y + 6, [](double c) { return std::isfinite(c); });
}

// The integrated state: position (m) and velocity (m/s).
using State6 = std::array<double, 6>;

// One integrator step of y from t with step h; false (nothing changed) when the step made no
// progress or produced non-finite numbers.
bool step(const RKDerivFn& f, State6& y, double& t, double& h)
{
    State6 ynew;
    double tnew, hnew;
    rkf.RKF45Step(t, h, y.data(), f, tnew, hnew, ynew.data());
    if (!(std::isfinite(tnew) && std::isfinite(hnew) && tnew != t && finiteState(ynew.data())))
        return false;
    y = ynew;
    t = tnew;
    h = hnew;
    return true;
}

// Integrates y from 0 to dt seconds after c.mjd0 and returns the instant reached (on dt unless
// the integration failed); the Sun and Moon of c are refreshed on long intervals or near the Moon.
double integrate(ForceContext& c, State6& y, double dt, bool nearMoon)
{
    const RKDerivFn f = [&c](double x, const double* s, double* dsdx) { RKfun(x, s, dsdx, c); };
    const double h0 = std::clamp(dt, -kMaxStep, kMaxStep);
    const bool refresh = std::fabs(dt) > kRefreshInterval;
    const double stall = std::min(kStallStep, kStallStep * std::fabs(h0));
    double t = 0.0, h = h0;
    bool forced = false;
    while (dt > 0.0 ? t < dt : t > dt) {
        if (refresh || nearMoon) UpSunMoon(c, t, c.sun, c.moon);
        if (!step(f, y, t, h)) break;
        h = std::clamp(h, -std::fabs(h0), std::fabs(h0));
        if (c.p.maxIter != 0 && std::fabs(h) < stall) {
            // A collapsing step alternates between single attempts and the normal limit.
            h = std::copysign(stall, h0);
            forced = !forced;
            rkf.SetMaxIter(forced ? 1 : c.p.maxIter);
        }
    }
    for (int i = 0; i < kLandingSteps && std::fabs(dt - t) > kLandingTolerance; ++i) {
        double hl = dt - t;
        if (!step(f, y, t, hl)) break;
    }
    return t;
}
}  // namespace

void UpSunMoon(const ForceContext& c, double t, Vec3& sun, Vec3& moon)
{
    const double T = julcent(c.mjd0 + (t + c.p.ttut) / kSecondsPerDay);
    sun = kAuM * aberrat(T, eclequ(T, Sun200().position(T)));
    moon = kEarthRadiusM * eclequ(T, Moon200().position(T));
}

void RKfun(double x, const double* y, double* dydx, const ForceContext& c)
{
    const ForceParams& p = c.p;
    const Vec3 r(y[0], y[1], y[2]), v(y[3], y[4], y[5]);
    double mjd = c.mjd0 + x / kSecondsPerDay;
    if (p.iers) mjd += p.ut1utc / kSecondsPerDay;

    Mat3 n;
    const Mat3 e = earthFixed(p, mjd, n);
    const Mat3 nt = mxtrn(n);
    Vec3 a = mxvct(mxtrn(e), HarmAcc(mxvct(e, r), geopotentialDegree(abs(r))));
    if (p.sunPert) a += ThirdBody(kSunGM, r, c.sun);
    if (p.moonPert) a += ThirdBody(kMoonGM, r, c.moon);
    const bool shadow = inShadow(r, c.sun);
    if (!shadow) a += radiationPressure(p, r, c.sun);

    // Drag in the rotating atmosphere, evaluated in the true equator of date.
    const Vec3 w(0.0, 0.0, kEarthRotation);
    const Vec3 rt = mxvct(n, r);
    const Vec3 vrel = mxvct(n, v) - w * rt;
    double h = 0.0;
    const double rho = Jacc71(mjd, rt, c.sun, p.f107, p.f107avg, p.kp, h);
    const double k = -0.5 * p.cd * p.areamass * rho * abs(vrel);
    a += mxvct(nt, k * vrel);

    if (h <= 0.0) {
        // Landed: carried along by the Earth's rotation, without acceleration.
        Vec3 ground = mxvct(nt, w) * r;
        ground[2] = 0.0;
        for (int i = 0; i < 3; ++i) {
            dydx[i] = ground[i];
            dydx[i + 3] = 0.0;
        }
        return;
    }
    if (h < kLiftHeight)
        a += abs(vrel) * std::fabs(k) * p.liftDrag * attitudeAxis(r, mxvct(nt, vrel), 0, 90);
    if (p.thrust && !(p.thrustSunlit && shadow)) a += thrust(p, r, v);

    for (int i = 0; i < 3; ++i) {
        dydx[i] = v[i];
        dydx[i + 3] = a[i];
    }
}

bool NumProp(double mjd, const ForceParams& p, const OrbitState& epoch, OrbitState& state,
             const Vec3& sun, const Vec3& moon, double& moondist)
{
    double dt = (mjd - state.mjd) * kSecondsPerDay;
    const double fromEpoch = (mjd - epoch.mjd) * kSecondsPerDay;
    if (std::fabs(dt) > kMaxStep && std::fabs(fromEpoch) < std::fabs(dt)) {
        // The epoch is nearer than the current state: start again from there.
        state = epoch;
        dt = fromEpoch;
    }
    Vec3 r0 = state.r;
    if (dot(r0, r0) < kMinRadius2) r0[0] = kCentreOffset;
    State6 y = {r0[0], r0[1], r0[2], state.v[0], state.v[1], state.v[2]};

    double eqeq = 0.0;
    const Mat3 meanOfTrue = mxtrn(nutmat(julcent(mjd), eqeq, p.iers));
    ForceContext c{p, state.mjd, mxvct(meanOfTrue, kEarthRadiusM * sun),
                   mxvct(meanOfTrue, kEarthRadiusM * moon)};
    const bool nearMoon = abs(r0 - c.moon) < abs(r0);

    rkf.SetTolerance(std::max(std::fabs(p.tolerance), kMinTolerance), 1);
    rkf.SetMaxIter(p.maxIter);
    if (dt != 0.0) {
        const double t = integrate(c, y, dt, nearMoon);
        state.mjd += t / kSecondsPerDay;
        state.r = Vec3(y[0], y[1], y[2]);
        state.v = Vec3(y[3], y[4], y[5]);
    }
    moondist = nearMoon ? abs(state.r - c.moon) : 0.0;
    return dt != 0.0;
}
