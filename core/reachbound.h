// Where a satellite can be seen from the site: bounds that let the pass search step over samples
// whose outcome is already certain.
#pragma once

#include "core/records.h"
#include "foundation/vec3.h"

// Geocentric angles (rad) between the site and the satellite of one slot: beyond `visible` it is
// below the minimum elevation, within `shown` above it (none when `shown` is not positive);
// `rate` bounds how fast the angle changes (rad per day); `passRate`, larger, spaces the samples in
// a pass closely enough that they follow the elevation to its highest point. Not `valid` when the
// orbit gives no bound.
struct ReachBound {
    double visible = 0.0;
    double shown = 0.0;
    double rate = 0.0;
    double passRate = 0.0;
    double fastest = 0.0;  // bounds of the satellite's angular speed along its orbit (rad per day)
    double slowest = 0.0;
    double planeTurn = 0.0;  // bound of how fast the sine of a site's angle from the orbit's plane
                             // changes, for a site on the equator (rad per day)
    double perigee = 0.0, apogee = 0.0;  // bounds of the radius (km)
    double radialSpeed = 0.0;            // bound of the radius' rate of change (km per day)
    double momentum = 0.0;               // angular momentum (km^2/s)
    double inclination = 0.0;            // widened by its margin (rad)
    double lowest = 0.0;                 // elevation (rad) below which it counts as unseen
    bool valid = false;
};

// The bound for slot from its mean elements (semi-major axis, eccentricity), with margins that
// cover osculating against mean elements, refraction, the site's height and latitude.
ReachBound MakeReachBound(const WinpData* in, int slot);

// Geocentric angle (rad) between the site and a point seen at elevation elevDeg (deg) and range
// rangeKm (km).
double SiteAngle(double elevDeg, double rangeKm);

// Number of samples, spaced step days after one at site angle angle (rad) and radius rKm (km),
// that are certain to lie beyond the visible angle: the radius changes no faster than the orbit's
// radial speed, the angle no faster than the satellite turns at the least radius it can reach.
int SamplesOutOfReach(const ReachBound& b, double angle, double rKm, double step);
// Number of samples, spaced step days after one where the satellite is at r with velocity v seen
// from the site at site (any common frame whose z axis is the Earth's), that are certain to lie
// beyond `visible` because the site is that far from the orbit's plane, which turns with the
// Earth's rotation and the orbit's precession.
int SamplesOffPlane(const ReachBound& b, const Vec3& site, const Vec3& r, const Vec3& v, double step);

// Number of samples, spaced step days (negative: back in time) after one where the satellite is
// at r with velocity v, seen from the site at site (any common frame), that are certain to lie
// beyond `visible` because the satellite is still that far behind the site's point on its orbit
// (ahead of it back in time); 0 for orbits slower than the site's own motion across them.
int SamplesAlongTrack(const ReachBound& b, const Vec3& site, const Vec3& r, const Vec3& v, double step);

// Number of samples, spaced step days (negative: back in time) after one where the satellite is at
// r (km) with velocity v, seen from the site at site at elevation elevDeg (deg) and range rangeKm (km),
// that are certain to lie beyond `visible`: the most that any of the three bounds above allows.
int SamplesHidden(const ReachBound& b, const Vec3& site, const Vec3& r, const Vec3& v, double elevDeg, double rangeKm,
                  double step);

// Number of samples, spaced step days after one at site angle angle (rad), that are certain to
// lie within `shown`.
int SamplesInReach(const ReachBound& b, double angle, double step);
