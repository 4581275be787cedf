#include "core/orbitdet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/frames.h"
#include "core/dateframe.h"
#include "core/epochstate.h"
#include "core/geodesy.h"
#include "core/meanmotion.h"
#include "core/rv2el.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kPi;
using angle_units::kRadToDeg;
using angle_units::kTwoPi;

using time_units::kSecondsPerDay;
// Radius search (km): start 100 km above the Earth's surface, coarse step, upper end, and the
// bracket size that counts as converged.
constexpr double kStartRadius = 6478.14;
constexpr double kCoarseStep = 100.0;
constexpr double kMaxRadius = 300000.0;
constexpr double kRadiusTolerance = 0.001;
// Most bisections of the bracket.
constexpr int kMaxHalvings = 300;

// Unit direction (true equator of date) of an observation at t (UT1 MJD): R.A. (h.mmss) and
// Dec. (d.mmss) of the equinox of toDate when radec is set, else azimuth and elevation (degrees).
Vec3 direction(const WinpData* in, bool radec, double x, double y, double t, const Mat3& toDate)
{
    if (radec) return mxvct(toDate, SkyDirection(x, y));
    double ra, dec;
    AppRADec(t, 0.0, in->obslat * kDegToRad, in->obslon * kDegToRad, x * kDegToRad, y * kDegToRad,
             ra, dec);
    return polcar(Vec3(1.0, ra, dec));
}

// Point at geocentric distance a (km) on the line of sight dir from the site.
Vec3 pointAt(const Vec3& site, const Vec3& dir, double a)
{
    const double b = -dot(site, dir);
    const double c = b * b - dot(site, site) + a * a;
    const double rho = c > 0.0 ? b + std::sqrt(c) : b;
    return site + rho * dir;
}

// Unit normal of the orbit plane through p1 and p2, oriented by the sense of motion.
Vec3 orbitNormal(const OdGeometry& g, const Vec3& p1, const Vec3& p2)
{
    return vnorm(g.dt >= 0.0 ? p1 * p2 : p2 * p1);
}
}  // namespace

OdGeometry MakeOdGeometry(const WinpData* in)
{
    const DateFrame f = MakeDateFrame(in, in->mjd);
    OdGeometry g;
    g.dt = in->oddeltm / kSecondsPerDay;
    g.nut = f.nut;
    const double t1 = f.trot, t2 = f.trot + g.dt;
    const Mat3 toDate = mxtrn(EpochMatrix(in, f));
    g.dir1 = direction(in, in->od1radec != 0, in->locaz, in->locel, t1, toDate);
    g.dir2 = direction(in, in->od2radec != 0, in->locra, in->locdec, t2, toDate);
    const double lat = in->obslat * kDegToRad, lon = in->obslon * kDegToRad;
    g.site1 = GeoPos(t1, 0.0, lat, lon, in->obshgt) * kEarthRadiusKm;
    g.site2 = GeoPos(t2, 0.0, lat, lon, in->obshgt) * kEarthRadiusKm;
    return g;
}

void OdPoints(const OdGeometry& g, double a, Vec3& p1, Vec3& p2)
{
    p1 = pointAt(g.site1, g.dir1, a);
    p2 = pointAt(g.site2, g.dir2, a);
}

int PhiDiff(const OdGeometry& g, double a)
{
    Vec3 p1, p2;
    OdPoints(g, a, p1, p2);
    const double hz = orbitNormal(g, p1, p2)[2];
    const double incl = std::fabs(hz) > 1.0 ? 0.5 * kPi : std::acos(hz);
    const double phi = std::acos(std::clamp(dot(vnorm(p1), vnorm(p2)), -1.0, 1.0));
    const double sweep = kTwoPi * getn0(a, 0.0, incl * kRadToDeg) * std::fabs(g.dt);
    return phi < sweep ? 1 : -1;
}

bool SolveRadius(const OdGeometry& g, int maxHalvings, double& a)
{
    a = kStartRadius;
    const int s0 = PhiDiff(g, a);
    while (PhiDiff(g, a) == s0 && a < kMaxRadius) a += kCoarseStep;
    double lo = a - kCoarseStep, hi = a;
    for (int k = 0; k < maxHalvings && hi - lo >= kRadiusTolerance; ++k) {
        const double mid = 0.5 * (lo + hi);
        (PhiDiff(g, mid) == s0 ? lo : hi) = mid;
    }
    a = hi;
    return hi - lo < kRadiusTolerance;
}

void StoreCircularOrbit(WinpData* in, int slot, const OdGeometry& g, double a, bool converged)
{
    Vec3 p1, p2;
    OdPoints(g, a, p1, p2);
    const Mat3 toMean = mxtrn(g.nut);
    p1 = mxvct(toMean, p1);
    p2 = mxvct(toMean, p2);
    const Vec3 h = orbitNormal(g, p1, p2);
    const double incl = std::acos(std::clamp(h[2], -1.0, 1.0)) * kRadToDeg;
    const double node = Reduce360(atan20(h[0], -h[1]) * kRadToDeg);
    // Argument of latitude of the first point: with e = 0 and M = 0 the satellite is there at epoch.
    const Vec3 ascending(std::cos(node * kDegToRad), std::sin(node * kDegToRad), 0.0);
    const double u = atan20(dot(p1, h * ascending), dot(p1, ascending)) * kRadToDeg;

    std::snprintf(in->satname[slot], sizeof in->satname[slot], "%s",
                  converged ? "New" : "No Convergence");
    // A new object has no catalogue number or designator yet.
    in->satno[slot] = 0;
    in->elsetno[slot] = 0;
    in->elrevno[slot] = 0;
    std::snprintf(in->intldsn[slot], sizeof in->intldsn[slot], "%11s", "");
    in->elepoch[slot] = in->mjd;
    in->elsma[slot] = a;
    in->elincl[slot] = incl;
    in->elnode[slot] = node;
    in->elargp[slot] = Reduce360(u);
    in->elecc[slot] = 0.0;
    in->elmanom[slot] = 0.0;
    in->elmm[slot] = getn0(a, 0.0, incl);
    in->elbstar[slot] = in->elndot[slot] = in->elnddot[slot] = in->eladot[slot] = 0.0;
    in->sgp4flg[slot] = 0;
    in->numflg[slot] = 0;
    in->sgpslot = kNoSgpSlot;
}

void OrbitDet(WinpData* in)
{
    const OdGeometry g = MakeOdGeometry(in);
    const int nsat = std::clamp(in->nsat, 0, kMaxSat);
    const int slot = nsat < kMaxSat ? nsat : kMaxSat - 1;
    in->nsat = std::min(nsat + 1, kMaxSat);
    in->prime = slot;
    double a;
    const bool converged = SolveRadius(g, kMaxHalvings, a);
    StoreCircularOrbit(in, slot, g, a, converged);
    EpochState(in, slot, true);
}
