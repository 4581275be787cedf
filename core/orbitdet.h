// Circular orbit of an unidentified satellite from two observations of one pass.
#pragma once

#include "core/records.h"
#include "foundation/mat3.h"
#include "foundation/vec3.h"

// The two observations as geometry: site positions (km) and unit directions, true equator of
// date, the time between them (days, negative when the second is earlier) and the nutation
// matrix of the first observation's date.
struct OdGeometry {
    Vec3 site1, site2;
    Vec3 dir1, dir2;
    double dt;
    Mat3 nut;
};

// Geometry of the observations in the settings: observation 1 in locaz, locel (azimuth and
// elevation in degrees, or with od1radec R.A. h.mmss and Dec. d.mmss) at mjd, observation 2 in
// locra, locdec (od2radec likewise) oddeltm seconds later, from the site obslat, obslon, obshgt;
// R.A./Dec. refer to the equinox epoch (0 = of date).
OdGeometry MakeOdGeometry(const WinpData* in);

// Points at geocentric distance a (km) along the two lines of sight (the point of a line of
// sight nearest the Earth's centre when it does not reach that distance).
void OdPoints(const OdGeometry& g, double a, Vec3& p1, Vec3& p2);

// Test function of the radius search: +1 when the angle between the two points at distance a
// (km) is smaller than the angle a circular orbit of that radius sweeps in the time between the
// observations, else -1.
int PhiDiff(const OdGeometry& g, double a);

// Radius (km) at which PhiDiff changes sign: a coarse search up from just above the Earth in
// steps of 100 km, then at most maxHalvings bisections. True when the bracket shrank below
// 0.001 km; a holds the last radius either way.
bool SolveRadius(const OdGeometry& g, int maxHalvings, double& a);

// Writes the circular orbit of radius a (km) through the two points as slot's Keplerian
// elements at epoch mjd, named "New", or "No Convergence" when converged is false.
void StoreCircularOrbit(WinpData* in, int slot, const OdGeometry& g, double a, bool converged);

// Determines the orbit from the observations in the settings and stores it as a new satellite
// (over the last one when kMaxSat are selected), which becomes the prime satellite, with its
// epoch state and default spacecraft values.
void OrbitDet(WinpData* in);
