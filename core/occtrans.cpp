#include "core/occtrans.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/timescales.h"
#include "core/geodesy.h"
#include "foundation/textconv.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kRadToDeg;
using angle_units::kTwoPi;
// z scale that turns the flattened Earth into a sphere for the intersection.
constexpr double kPolarScale = 0.996633;
// Ratio (1 - e^2) of the tangents of geocentric and geodetic latitude on the surface.
constexpr double kGeodeticRatio = 0.993305615;
// Radians per hour of sidereal time.
constexpr double kHourToRad = 0.261799387799;
using length_units::kMetresPerKm;
// Site heights (km) outside this range are left out of the sphere radius.
constexpr double kMinSiteHeight = -1.0;
constexpr double kMaxSiteHeight = 20.0;
// Refraction raise of the sphere: applied when the body stands lower than about 15 degrees at
// the point (sine of the elevation below kRefractionSine); R = A * e^B km, e in degrees, at least
// kMinRefractionElev.
constexpr double kRefractionSine = 0.26;
constexpr double kMinRefractionElev = 1.4;
constexpr double kRaiseA = 8.40429926257;
constexpr double kRaiseB = -2.01365949653;
// Below this the spherical distance counts as zero.
constexpr double kTinyArc = 1e-40;
// Excess of a cosine over 1 that is taken for rounding.
constexpr double kRoundingSlack = 1e-9;

// The flattened-Earth space made spherical and scaled to a sphere of radius kEarthRadiusKm + h.
Vec3 toSphere(const Vec3& v, double h)
{
    return Vec3(v[0], v[1], v[2] / kPolarScale) * (kEarthRadiusKm / (kEarthRadiusKm + h));
}

// Intersection of the line from r along u (unit) with the unit sphere: the near point q, and the
// sine of the line's angle to the horizon there. False when the line misses or the Earth lies
// behind the satellite.
bool hitSphere(const Vec3& r, const Vec3& u, Vec3& q, double& sine)
{
    const double b = -dot(u, r);
    const double rr = dot(r, r);
    const double closest2 = rr - b * b;
    if (closest2 < 0.0 || closest2 > 1.0) return false;
    const double d = b * b + 1.0 - rr;
    const double s = d > 0.0 ? b - std::sqrt(d) : b;
    if (s < 0.0) return false;
    q = r + u * s;
    sine = std::fabs(dot(u, q));
    return true;
}

// Centre-line point of the line from rsat toward the Earth on the sphere raised by h km: the
// geocentric point (flattening restored) and the sine of the body's elevation there.
bool centrePoint(const Vec3& rsat, const Vec3& dir, bool fixed, double h, Vec3& p, double& sine)
{
    const Vec3 r = toSphere(rsat, h);
    const Vec3 u = fixed ? -vnorm(toSphere(dir, h)) : vnorm(r - toSphere(dir, h));
    Vec3 q;
    if (!hitSphere(r, u, q, sine)) return false;
    p = Vec3(q[0], q[1], q[2] * kPolarScale);
    return true;
}

// Site height (km) counted in the sphere radius.
double sphereHeight(const WinpData* in)
{
    const double h = in->obshgt / kMetresPerKm;
    return h > kMinSiteHeight && h < kMaxSiteHeight ? h : 0.0;
}

// Raise (km) of the sphere for a body at the sine of elevation sine seen from the point.
double refractionRaise(double sine)
{
    const double e = std::max(std::asin(sine) * kRadToDeg, kMinRefractionElev);
    return kRaiseA * std::pow(e, kRaiseB);
}

// Great-circle distance (km) between two points given in degrees.
double surfaceDistance(double lat0, double lon0, double lat, double lon)
{
    lat0 *= kDegToRad;
    lat *= kDegToRad;
    const double c = std::sin(lat0) * std::sin(lat) + std::cos(lat0) * std::cos(lat) * std::cos((lon0 - lon) * kDegToRad);
    return kEarthRadiusKm * std::acos(std::clamp(c, -1.0, 1.0));
}

}  // namespace

void GetOccTrans(double mjd, WinpData* in, SatPosData* sp, int slot, double eqeq, const Vec3& rsat,
                 const Vec3& dir)
{
    const bool fixed = in->occmode == kFixedTarget;
    const double h = sphereHeight(in);
    Vec3 p;
    double sine;
    bool hit = centrePoint(rsat, dir, fixed, h, p, sine);
    if (hit && in->refract && sine < kRefractionSine)
        hit = centrePoint(rsat, dir, fixed, h + refractionRaise(sine), p, sine);
    if (!hit) {
        sp->ctrlat[slot] = kNoCentreLine;
        return;
    }
    const double lon = std::atan2(p[1], p[0]) - lsidtim(mjd, 0.0, eqeq) * kHourToRad;
    const double lat = std::atan2(p[2], kGeodeticRatio * std::hypot(p[0], p[1]));
    sp->ctrlat[slot] = lat * kRadToDeg;
    sp->ctrlon[slot] = FoldPi(lon) * kRadToDeg;
    if (slot == in->prime) sp->mag = surfaceDistance(in->obslat, in->obslon, sp->ctrlat[slot], sp->ctrlon[slot]);
}

void TransitGeometry(WinpData* in, SatPosData* sp, int slot, const EventScene& scene)
{
    Vec3 target;
    if (in->occmode == kSunTarget)
        target = scene.sun;
    else if (in->occmode == kMoonTarget)
        target = scene.moon;
    else
        target = mxvct(mxtrn(EpochMatrix(in, scene.f)), SkyDirection(in->flryaw, in->flrpitch));
    GetOccTrans(scene.f.trot, in, sp, slot, scene.f.eqeq, scene.r / kEarthRadiusKm, target);
}

void ADisDir(double lon1, double lat1, double lon2, double lat2, double& cosd, double& dir)
{
    cosd = std::cos(lat1) * std::cos(lat2) * std::cos(lon2 - lon1) + std::sin(lat1) * std::sin(lat2);
    const double s = std::cos(lat1) * std::sqrt(std::max(1.0 - cosd * cosd, 0.0));
    dir = 0.0;
    if (std::fabs(s) <= kTinyArc) return;
    // A cosine beyond 1 by rounding (due north or south) counts as 1.
    const double c = (std::sin(lat2) - std::sin(lat1) * cosd) / s;
    if (std::fabs(c) > 1.0 + kRoundingSlack) return;
    dir = std::acos(std::clamp(c, -1.0, 1.0));
    if (std::sin(lon2 - lon1) < 0.0) dir = kTwoPi - dir;
    dir *= kRadToDeg;
}
