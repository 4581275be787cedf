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
// Margins over the mean orbit: radius factors for perigee and apogee (the short-period terms move
// the osculating radius by tens of km), a further perigee margin (km) for decay, and the angle
// margin (rad) of the spacing of the samples in a pass.
constexpr double kPerigeeFactor = 0.97;
constexpr double kApogeeFactor = 1.01;
constexpr double kDecayKm = 20.0;
constexpr double kAngleMargin = 3.0 * kDegToRad;
// Elevation margin (rad) of the visible angle: the elevations are geometric, above the geodetic
// horizon, which is at most 0.19 deg from the geocentric one.
constexpr double kVerticalMargin = 0.5 * kDegToRad;
// Rate factors: over the perigee angular speed for the bounds, larger for the spacing in a pass.
constexpr double kRateFactor = 1.05;
constexpr double kPassRateFactor = 1.2;
// Margin (km/s) over the Keplerian radial speed for the short-period terms of the osculating
// radius (tens of km at twice the orbital rate).
constexpr double kRadialMargin = 0.1;
// Orbits whose apogee bound is less than this times the perigee bound use the bound over the
// whole orbit outside passes, which costs less to evaluate.
constexpr double kNarrowOrbit = 1.3;
// Turning of the orbit that the elements' angular speed leaves out (rad per day): nodal and apsidal
// precession, the drift of a near-synchronous orbit and the resonances, all well below it.
constexpr double kDriftRate = 10.0 * kDegToRad;
// Widening of the inclination (rad) for the osculating against the mean orbit plane.
constexpr double kInclinationMargin = 1.0 * kDegToRad;
// Fastest turn of a site about the Earth's axis relative to an orbit's plane (rad per day): the
// Earth's rotation plus the fastest nodal precession (10 deg per day, above that of a 300 km orbit
// of low inclination); and the drift of the inclination itself (rad per day), far above the
// luni-solar one.
constexpr double kSiteTurnRate = kEarthRotation * time_units::kSecondsPerDay + 10.0 * kDegToRad;
constexpr double kInclinationDrift = 1.0 * kDegToRad;
// Margin (rad) for the wobble of the osculating plane about the mean one (a few hundredths of a
// degree).
constexpr double kPlaneMargin = 0.5 * kDegToRad;
// Along-track bound: longest stretch it covers (days), and the largest angle (rad) between the
// site and the orbit's plane over it; the site's point on the orbit moves at most at the site's
// turn divided by the cosine of that angle.
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

// Bound (per day) of how fast the sine of the angle between the site at the unit vector s (frame
// of the true equator) and the orbit's plane changes: the site's turn times the cosine of its
// latitude and the sine of the inclination, plus the inclination's own drift.
double planeRate(const ReachBound& b, const Vec3& s)
{
    return b.planeTurn * std::hypot(s[0], s[1]) + kInclinationDrift;
}

// Bound (rad per day) of how fast the site angle changes while the radius stays between lo and hi
// (km): the angular speed h / r^2 lies between its values there, and the relative rate, convex in
// it, is largest at one of them.
double rateBetween(const ReachBound& b, double lo, double hi)
{
    const double fast = b.momentum / (lo * lo), slow = b.momentum / (hi * hi);
    const double turn = std::max(relativeRate(fast, b.inclination), relativeRate(slow, b.inclination));
    return turn * kRateFactor * time_units::kSecondsPerDay + kDriftRate;
}

// Days for which a satellite at site angle angle (rad) and radius rKm (km) stays beyond the
// visible angle when its radius may change for span days (negative: none).
double daysOutOfReach(const ReachBound& b, double angle, double rKm, double span)
{
    const double lo = std::max(b.perigee, rKm - b.radialSpeed * span);
    const double hi = std::min(b.apogee, rKm + b.radialSpeed * span);
    return (angle - angleAt(b.lowest, hi, kLeastSiteKm)) / rateBetween(b, lo, hi);
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
    b.visible = angleAt(minElev - kVerticalMargin, apogee, kLeastSiteKm);  // the widest, at apogee
    b.shown = angleAt(minElev, perigee, kGreatestSiteKm) - kAngleMargin;
    const double h = std::sqrt(kMuKm3s2 * a * (1.0 - e * e));
    const double incl = std::min(std::fabs(in->elincl[slot]) * kDegToRad + kInclinationMargin, angle_units::kPi);
    b.perigee = perigee;
    b.apogee = apogee;
    b.radialSpeed = (kMuKm3s2 / h * e * kRateFactor + kRadialMargin) * time_units::kSecondsPerDay;
    b.momentum = h;
    b.inclination = incl;
    b.lowest = minElev - kVerticalMargin;
    b.rate = rateBetween(b, perigee, apogee);
    b.passRate = (h / (perigee * perigee) + kEarthRotation) * kPassRateFactor * time_units::kSecondsPerDay;
    // The largest sine of an inclination within the margin of the elements' one.
    const double tilt = std::min(incl, angle_units::kPi - incl + 2.0 * kInclinationMargin);
    b.planeTurn = kSiteTurnRate * std::sin(std::min(tilt, angle_units::kPi / 2.0));
    b.fastest = h / (perigee * perigee) * kRateFactor * time_units::kSecondsPerDay;
    b.slowest = h / (apogee * apogee) / kRateFactor * time_units::kSecondsPerDay;
    b.valid = std::isfinite(b.visible) && std::isfinite(b.shown) && std::isfinite(b.passRate) &&
              std::isfinite(b.rate) && h > 0.0;
    return b;
}

double SiteAngle(double elevDeg, double rangeKm)
{
    const double e = elevDeg * kDegToRad;
    return std::atan2(rangeKm * std::cos(e), kEarthRadiusKm + rangeKm * std::sin(e));
}

int SamplesOutOfReach(const ReachBound& b, double angle, double rKm, double step)
{
    if (!b.valid || !(rKm >= b.perigee && rKm <= b.apogee)) return 0;
    const bool narrow = b.apogee < kNarrowOrbit * b.perigee;  // the bound over the whole orbit is as good
    const double first = narrow ? (angle - b.visible) / b.rate : daysOutOfReach(b, angle, rKm, 0.0);
    // The days shrink as the span grows, so those for the span of the first estimate hold over
    // themselves.
    const double days = narrow || !(first > 0.0) ? first : daysOutOfReach(b, angle, rKm, first);
    return days > 0.0 ? static_cast<int>(days / step) : 0;
}

int SamplesInReach(const ReachBound& b, double angle, double step)
{
    if (!b.valid) return 0;
    const double room = b.shown - angle;
    return room > 0.0 ? static_cast<int>(room / (b.passRate * step)) : 0;
}

int SamplesAlongTrack(const ReachBound& b, const Vec3& site, const Vec3& r, const Vec3& v, double step)
{
    if (!b.valid) return 0;
    const Vec3 n = vnorm(r * v), s = vnorm(site), u = vnorm(r);
    const double offPlane = dot(s, n);
    const double widest = std::asin(std::min(std::fabs(offPlane) + planeRate(b, s) * kTrackHorizon, 1.0));
    if (!(widest < kTrackPlaneLimit)) return 0;
    const double siteRate = kSiteTurnRate * std::hypot(s[0], s[1]) / std::cos(widest);
    if (!(b.slowest > siteRate)) return 0;
    // The angle from the satellite forward along its orbit to the site's point on it; the angle
    // between site and satellite is never smaller, and it shrinks while the satellite catches up.
    const Vec3 p = s - n * offPlane;
    double ahead = std::atan2(dot(p, n * u), dot(p, u));
    if (ahead < 0.0) ahead += angle_units::kTwoPi;
    if (step < 0.0) ahead = angle_units::kTwoPi - ahead;  // back in time it moves back along its orbit
    const double room = ahead - b.visible - kPlaneMargin;
    if (!(room > 0.0 && ahead < angle_units::kTwoPi - b.visible)) return 0;
    return static_cast<int>(std::min(room / (b.fastest + siteRate), kTrackHorizon) / std::fabs(step));
}

int SamplesOffPlane(const ReachBound& b, const Vec3& site, const Vec3& r, const Vec3& v, double step)
{
    const double edge = b.visible + kPlaneMargin;
    if (!b.valid || !(edge < angle_units::kPi / 2.0)) return 0;
    const Vec3 s = vnorm(site);
    const double room = std::fabs(dot(s, vnorm(r * v))) - std::sin(edge);  // in the angle's sine
    return room > 0.0 ? static_cast<int>(room / (planeRate(b, s) * std::fabs(step))) : 0;
}

int SamplesHidden(const ReachBound& b, const Vec3& site, const Vec3& r, const Vec3& v, double elevDeg, double rangeKm,
                  double step)
{
    if (!b.valid) return 0;
    return std::max({SamplesOutOfReach(b, SiteAngle(elevDeg, rangeKm), abs(r), std::fabs(step)),
                     SamplesOffPlane(b, site, r, v, step), SamplesAlongTrack(b, site, r, v, step)});
}
