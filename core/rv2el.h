// SGP4 mean elements of a Cartesian state, by inverting the periodic terms of the near-Earth
// SGP4 model, and the rotation into the frame in which SGP4 elements are defined.
#pragma once

#include "core/records.h"
#include "foundation/mat3.h"
#include "foundation/vec3.h"

// SGP4 mean elements (WGS-72 constants) of the position r (m) and velocity v (m/s) in the SGP4
// frame: inclination incl, right ascension of the ascending node node, argument of perigee argp
// and mean anomaly manom (degrees; all but incl in [0, 360)), eccentricity ecc and the TLE
// (Kozai) mean motion mm (rev/day). Propagating them with SGP4 to their epoch gives r, v back.
void rv2el(const Vec3& r, const Vec3& v, double& incl, double& node, double& ecc, double& argp,
           double& manom, double& mm);

// Angle in degrees reduced to [0, 360), the range of the element angles.
double Reduce360(double deg);

// Stores the SGP4 mean elements of the state r (m), v (m/s) in the mean equator and equinox of
// date at the UT instant mjd into slot: elincl, elnode, elecc, elargp, elmanom, elmm and the
// semi-major axis elsma of that mean motion.
void StoreSgp4Elements(WinpData* in, int slot, double mjd, const Vec3& r, const Vec3& v);

// Rotation from the mean equator and equinox of date (the frame of the stored states stpos and
// svpos) to the SGP4 frame (true equator, mean equinox of date) at the UT instant mjd.
Mat3 Sgp4Frame(const WinpData* in, double mjd);
