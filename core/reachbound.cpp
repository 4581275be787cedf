#include "core/reachbound.h"

#include <algorithm>
#include <cmath>

#include "astro/earth_constants.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
// Earth's gravitational parameter, km^3/s^2 (WGS-72, as the mean elements).
constexpr double kMuKm3s2 = 398600.8;
// Earth's rotation rate, rad/s (WGS-84).
constexpr double kEarthRotation = 7.292115e-5;
// Site radii bounding every site (km): the polar radius, and the equatorial radius plus the
// highest mountain.
constexpr double kLeastSiteKm = 6356.752;
constexpr double kGreatestSiteKm = kEarthRadiusKm + 9.0;
// Margins over the mean orbit: radius factors for perigee and apogee, a further perigee margin
// (km) for decay, a rate factor, and an angle margin (rad) for refraction and the geodetic
// against the geocentric vertical.
constexpr double kPerigeeFactor = 0.97;
constexpr double kApogeeFactor = 1.05;
constexpr double kDecayKm = 20.0;
constexpr double kRateFactor = 1.2;
// Turning of the orbit that the elements' angular speed leaves out (rad per day): nodal and apsidal
// precession, the drift of a near-synchronous orbit and the resonances, all well below it.
constexpr double kDriftRate = 10.0 * kDegToRad;
// Widening of the inclination (rad) for the osculating against the mean orbit plane.
constexpr double kInclinationMargin = 1.0 * kDegToRad;
constexpr double kAngleMargin = 3.0 * kDegToRad;
// How fast the site can move away from or towards an orbit's plane (rad per day): the Earth's
// rotation widened by kRateFactor, plus the fastest nodal precession (10 deg per day, above that of
// a 300 km orbit of low inclination); and the margin (rad) for the wobble of the osculating plane.
constexpr double kPlaneRate = kEarthRotation * time_units::kSecondsPerDay * kRateFactor + 10.0 * kDegToRad;
constexpr double kPlaneMargin = 1.0 * kDegToRad;
// Along-track bound: longest stretch it covers (days), and the largest angle (rad) between the
// site and the orbit's plane over it; the site's point on the orbit moves at most at twice the
// plane rate divided by the cosine of that angle.
constexpr double kTrackHorizon = 1.0 / 24.0;
constexpr double kTrackPlaneLimit = 70.0 * kDegToRad;

// Geocentric angle (rad) at which a satellite at radius r (km) is seen at elevation elev (rad)
// from a site at radius site (km).
double angleAt(double elev, double r, double site) { return std::acos(site * std::cos(elev) / r) - elev; }

// Angular speed (rad/s) of the satellite's direction relative to the rotating Earth when it turns
// at w (rad/s) about an orbit normal inclined by incl (rad) to the Earth's axis: |w n - Earth's
// rotation|, which also bounds how fast its geocentric angle from a site changes.
double relativeRate(double w, double incl)
{
    return std::sqrt(w * w + kEarthRotation * kEarthRotation - 2.0 * w * kEarthRotation * std::cos(incl));
}
}  // namespace

ReachBound MakeReachBound(const WinpData* in, int slot)
{
    const double a = in->elsma[slot], e = in->elecc[slot];
    ReachBound b;
    if (!(a > 0.0 && e >= 0.0 && e < 1.0 && std::isfinite(a))) return b;
    const double perigee = a * (1.0 - e) * kPerigeeFactor - kDecayKm, apogee = a * (1.0 + e) * kApogeeFactor;
    const double minElev = in->minsatelev * kDegToRad;
    if (!(perigee > kGreatestSiteKm && apogee * std::cos(minElev) > kLeastSiteKm)) return b;
    b.visible = angleAt(minElev, apogee, kLeastSiteKm) + kAngleMargin;
    b.shown = angleAt(minElev, perigee, kGreatestSiteKm) - kAngleMargin;
    // The angular speed h / r^2 lies between its values at perigee and apogee, and the relative
    // rate, convex in it, is largest at one of them.
    const double h = std::sqrt(kMuKm3s2 * a * (1.0 - e * e));
    const double incl = std::min(std::fabs(in->elincl[slot]) * kDegToRad + kInclinationMargin, angle_units::kPi);
    const double fastest = std::max(relativeRate(h / (perigee * perigee), incl), relativeRate(h / (apogee * apogee), incl));
    b.rate = fastest * kRateFactor * time_units::kSecondsPerDay + kDriftRate;
    b.passRate = (h / (perigee * perigee) + kEarthRotation) * kRateFactor * time_units::kSecondsPerDay;
    b.fastest = h / (perigee * perigee) * kRateFactor * time_units::kSecondsPerDay;
    b.slowest = h / (apogee * apogee) / kRateFactor * time_units::kSecondsPerDay;
    b.valid = std::isfinite(b.visible) && std::isfinite(b.shown) && std::isfinite(b.rate) && b.rate > 0.0 &&
              std::isfinite(b.passRate);
    return b;
}

double SiteAngle(double elevDeg, double rangeKm)
{
    const double e = elevDeg * kDegToRad;
    return std::atan2(rangeKm * std::cos(e), kEarthRadiusKm + rangeKm * std::sin(e));
}

int SamplesOutOfReach(const ReachBound& b, double angle, double step)
{
    if (!b.valid) return 0;
    const double room = angle - b.visible;
    return room > 0.0 ? static_cast<int>(room / (b.rate * step)) : 0;
}

int SamplesInReach(const ReachBound& b, double angle, double step)
{
    if (!b.valid) return 0;
    const double room = b.shown - angle;
    return room > 0.0 ? static_cast<int>(room / (b.passRate * step)) : 0;
}

double PlaneAngle(const Vec3& site, const Vec3& r, const Vec3& v)
{
    return std::asin(dot(vnorm(site), vnorm(r * v)));
}

int SamplesAlongTrack(const ReachBound& b, const Vec3& site, const Vec3& r, const Vec3& v, double step)
{
    if (!b.valid) return 0;
    const Vec3 n = vnorm(r * v), s = vnorm(site), u = vnorm(r);
    const double offPlane = dot(s, n);
    const double widest = std::asin(std::clamp(std::fabs(offPlane), 0.0, 1.0)) + kPlaneRate * kTrackHorizon;
    if (!(widest < kTrackPlaneLimit)) return 0;
    const double siteRate = 2.0 * kPlaneRate / std::cos(widest);
    if (!(b.slowest > siteRate)) return 0;
    // The angle from the satellite forward along its orbit to the site's point on it; the angle
    // between site and satellite is never smaller, and it shrinks while the satellite catches up.
    const Vec3 p = s - n * offPlane;
    double ahead = std::atan2(dot(p, n * u), dot(p, u));
    if (ahead < 0.0) ahead += angle_units::kTwoPi;
    if (step < 0.0) ahead = angle_units::kTwoPi - ahead;  // back in time it moves back along its orbit
    const double room = ahead - b.visible;
    if (!(room > 0.0 && ahead < angle_units::kTwoPi - b.visible)) return 0;
    return static_cast<int>(std::min(room / (b.fastest + siteRate), kTrackHorizon) / std::fabs(step));
}

int SamplesOffPlane(const ReachBound& b, double plane, double step)
{
    if (!b.valid) return 0;
    const double room = std::fabs(plane) - b.visible - kPlaneMargin;
    return room > 0.0 ? static_cast<int>(room / (kPlaneRate * step)) : 0;
}
