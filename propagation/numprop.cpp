#include "propagation/numprop.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/angle_units.h"
#include "astro/frames.h"
#include "astro/moon200.h"
#include "astro/sun200.h"
#include "astro/time_units.h"
#include "astro/timescales.h"
#include "astro/twobody.h"
#include "core/attitude.h"
#include "core/meanmotion.h"
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
// Earth's gravitational parameter in km^3/s^2 for the osculating elements.
constexpr double kEarthGMkm = kEarthGM * 1e-9;
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

// The propagation in progress: its settings, slot, integrated state and third bodies; one per
// thread, so that satellites can be propagated in parallel.
thread_local const WinpData* context = nullptr;
thread_local int nmrksx = 0;
thread_local std::array<double, 6> smy{};
thread_local Vec3 spos, mpos;

// The slot's entry of a per-slot vector field (x, y, z arrays).
Vec3 slotVec(const double (&a)[3][kSlots], int slot)
{
    return Vec3(a[0][slot], a[1][slot], a[2][slot]);
}

// Stores v as the slot's entry of a per-slot vector field.
void setSlotVec(double (&a)[3][kSlots], int slot, const Vec3& v)
{
    for (int i = 0; i < 3; ++i) a[i][slot] = v[i];
}

// Geopotential degree and order for the geocentric distance r (m): the full field within
// 1000 km of the surface, fewer terms farther out where they fade as (R/r)^n.
int geopotentialDegree(double r)
{
    if (r < kEarthRadius + 1.0e6) return 20;
    if (r < 1.0e7) return 15;
    if (r < kEarthRadius + 1.0e7) return 10;
    return 6;
}

// True when r lies in the Earth's cylindrical shadow for the Sun at s.
bool inShadow(const Vec3& r, const Vec3& s)
{
    const Vec3 u = vnorm(s);
    const double d = dot(r, u);
    return d < 0.0 && abs(r - d * u) < kEarthRadius;
}

// First axis of the local attitude frame for r, v turned by yaw and pitch (degrees).
Vec3 attitudeAxis(const Vec3& r, const Vec3& v, double yaw, double pitch)
{
    const Mat3 m = GetRVMat(r, v, yaw, pitch, 1);
    return Vec3(m.at(0, 0), m.at(0, 1), m.at(0, 2));
}

// Earth-fixed rotation (true equator, sidereal time, polar motion) of the frame of date,
// and the nutation matrix n, at UT1 mjd.
Mat3 earthFixed(const WinpData* ind, double mjd, Mat3& n)
{
    double eqeq = 0.0;
    n = nutmat(julcent(mjd), eqeq, ind->iersflg);
    Mat3 e = zrot(lsidtim(mjd, 0.0, eqeq) * kPi / 12.0) * n;
    if (ind->polex != 0.0 || ind->poley != 0.0) e = PoleMx(ind->polex, ind->poley) * e;
    return e;
}

// Acceleration of radiation pressure (m/s^2) on a sunlit satellite at r.
Vec3 radiationPressure(const WinpData* ind, int slot, const Vec3& r, const Vec3& sun)
{
    const Vec3 d = r - sun;
    const double dd = abs(d);
    if (dd < 1.0) return Vec3();
    return kSolarPressure * ind->sccr[slot] * ind->scam[slot] * kAstronomicalUnit *
           kAstronomicalUnit / (dd * dd * dd) * d;
}

// Continuous thrust acceleration (m/s^2) along the slot's thrust direction.
Vec3 thrust(const WinpData* ind, int slot, const Vec3& r, const Vec3& v)
{
    const double yaw = ind->thryaw[slot], pitch = ind->thrpitch[slot];
    const Vec3 dir = (yaw == 0.0 && pitch == 0.0) ? vnorm(v) : attitudeAxis(r, v, yaw, pitch);
    return ind->thracc[slot] * dir;
}

// True when all six state values are finite.
bool finiteState(const double* y)
{
    return std::all_of(y, y + 6, [](double c) { return std::isfinite(c); });
}

// One integrator step of the state smy from t with step h; false (nothing changed) when
// the step made no progress or produced non-finite numbers.
bool step(double& t, double& h)
{
    std::array<double, 6> ynew;
    double tnew, hnew;
    rkf.RKF45Step(t, h, smy.data(), RKFun, tnew, hnew, ynew.data());
    if (!(std::isfinite(tnew) && std::isfinite(hnew) && tnew != t && finiteState(ynew.data())))
        return false;
    smy = ynew;
    t = tnew;
    h = hnew;
    return true;
}

// Integrates smy from 0 to dt seconds and returns the instant reached (on dt unless the
// integration failed); the Sun and Moon are refreshed on long intervals or near the Moon.
double integrate(WinpData* ind, int slot, double dt, bool nearMoon)
{
    const double h0 = std::clamp(dt, -kMaxStep, kMaxStep);
    const bool refresh = std::fabs(dt) > kRefreshInterval;
    const double stall = std::min(kStallStep, kStallStep * std::fabs(h0));
    double t = 0.0, h = h0;
    bool forced = false;
    while (dt > 0.0 ? t < dt : t > dt) {
        if (refresh || nearMoon) UpSunMoon(t, ind, slot, spos, mpos);
        if (!step(t, h)) break;
        h = std::clamp(h, -std::fabs(h0), std::fabs(h0));
        if (ind->maxiter != 0 && std::fabs(h) < stall) {
            // A collapsing step alternates between single attempts and the normal limit.
            h = std::copysign(stall, h0);
            forced = !forced;
            rkf.SetMaxIter(forced ? 1 : ind->maxiter);
        }
    }
    for (int i = 0; i < kLandingSteps && std::fabs(dt - t) > kLandingTolerance; ++i) {
        double hl = dt - t;
        if (!step(t, hl)) break;
    }
    return t;
}

// Replaces the slot's epoch state and elements by the current (osculating) state.
void makeEpochState(WinpData* ind, int slot, const Vec3& rkm, const Vec3& vkm)
{
    ind->elepoch[slot] = ind->stmjd[slot];
    setSlotVec(ind->svpos, slot, slotVec(ind->stpos, slot));
    setSlotVec(ind->svvel, slot, slotVec(ind->stvel, slot));
    double tp, m, a, e, node, argp, incl;
    oscelm(kEarthGMkm, 0.0, rkm, vkm, tp, m, a, e, node, argp, incl);
    ind->elmanom[slot] = m;
    ind->elsma[slot] = a;
    ind->elecc[slot] = e;
    ind->elnode[slot] = node;
    ind->elargp[slot] = argp;
    ind->elincl[slot] = incl;
    if (e < 1.0)
        ind->elmm[slot] = getn0(a, e, incl);
    else
        ind->elmm[slot] = e == 1.0 ? a : a * (1.0 - e);
}
}  // namespace

void UpSunMoon(double t, const WinpData* ind, int slot, Vec3& sun, Vec3& moon)
{
    const double T = julcent(ind->stmjd[slot] + (t + ind->ttut) / kSecondsPerDay);
    sun = kAstronomicalUnit * aberrat(T, eclequ(T, Sun200().position(T)));
    moon = kEarthRadius * eclequ(T, Moon200().position(T));
}

void RKfun(double x, const double* y, double* dydx, const WinpData* ind)
{
    const int slot = nmrksx;
    const Vec3 r(y[0], y[1], y[2]), v(y[3], y[4], y[5]);
    double mjd = ind->stmjd[slot] + x / kSecondsPerDay;
    if (ind->iersflg) mjd += ind->ut1utc / kSecondsPerDay;

    Mat3 n;
    const Mat3 e = earthFixed(ind, mjd, n);
    const Mat3 nt = mxtrn(n);
    Vec3 a = mxvct(mxtrn(e), HarmAcc(mxvct(e, r), geopotentialDegree(abs(r))));
    if (ind->sunpert) a += ThirdBody(kSunGM, r, spos);
    if (ind->moonpert) a += ThirdBody(kMoonGM, r, mpos);
    const bool shadow = inShadow(r, spos);
    if (!shadow) a += radiationPressure(ind, slot, r, spos);

    // Drag in the rotating atmosphere, evaluated in the true equator of date.
    const Vec3 w(0.0, 0.0, kEarthRotation);
    const Vec3 rt = mxvct(n, r);
    const Vec3 vrel = mxvct(n, v) - w * rt;
    double h = 0.0;
    const double rho = Jacc71(mjd, rt, spos, ind->scf107[slot], ind->scf107avg[slot],
                              ind->sckp[slot], h);
    const double k = -0.5 * ind->sccd[slot] * ind->scam[slot] * rho * abs(vrel);
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
        a += abs(vrel) * std::fabs(k) * ind->liftdrag * attitudeAxis(r, mxvct(nt, vrel), 0, 90);
    if (ind->thrflg[slot] && !(ind->thrsun[slot] && shadow)) a += thrust(ind, slot, r, v);

    for (int i = 0; i < 3; ++i) {
        dydx[i] = v[i];
        dydx[i + 3] = a[i];
    }
}

void RKFun(double x, const double* y, double* dydx)
{
    RKfun(x, y, dydx, context ? context : indata);
}

void NumProp(double mjd, WinpData* ind, int slot, const Vec3& sun, const Vec3& moon, Vec3& r,
             Vec3& v)
{
    if (slot < 0 || slot >= kSlots) {
        r = v = Vec3();
        return;
    }
    double dt = (mjd - ind->stmjd[slot]) * kSecondsPerDay;
    const double fromEpoch = (mjd - ind->elepoch[slot]) * kSecondsPerDay;
    if (std::fabs(dt) > kMaxStep && std::fabs(fromEpoch) < std::fabs(dt)) {
        // The epoch is nearer than the current state: start again from there.
        ind->stmjd[slot] = ind->elepoch[slot];
        setSlotVec(ind->stpos, slot, slotVec(ind->svpos, slot));
        setSlotVec(ind->stvel, slot, slotVec(ind->svvel, slot));
        dt = fromEpoch;
    }
    context = ind;
    nmrksx = slot;
    Vec3 r0 = slotVec(ind->stpos, slot);
    if (dot(r0, r0) < kMinRadius2) r0[0] = kCentreOffset;
    const Vec3 v0 = slotVec(ind->stvel, slot);
    smy = {r0[0], r0[1], r0[2], v0[0], v0[1], v0[2]};

    double eqeq = 0.0;
    const Mat3 meanOfTrue = mxtrn(nutmat(julcent(mjd), eqeq, ind->iersflg));
    spos = mxvct(meanOfTrue, kEarthRadius * sun);
    mpos = mxvct(meanOfTrue, kEarthRadius * moon);
    const bool nearMoon = abs(r0 - mpos) < abs(r0);

    rkf.SetTolerance(std::max(std::fabs(ind->inttol), kMinTolerance), 1);
    rkf.SetMaxIter(ind->maxiter);
    if (dt != 0.0) {
        const double t = integrate(ind, slot, dt, nearMoon);
        ind->stmjd[slot] += t / kSecondsPerDay;
        setSlotVec(ind->stpos, slot, Vec3(smy[0], smy[1], smy[2]));
        setSlotVec(ind->stvel, slot, Vec3(smy[3], smy[4], smy[5]));
    }
    const Vec3 rm = slotVec(ind->stpos, slot);
    r = rm / 1000.0;
    v = slotVec(ind->stvel, slot) / 1000.0;
    ind->moondist = nearMoon ? abs(rm - mpos) : 0.0;
    if (dt != 0.0 && ind->thrupd[slot]) makeEpochState(ind, slot, r, v);
}
