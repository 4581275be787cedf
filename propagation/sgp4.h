// SGP4/SDP4 analytic propagator for two-line element sets (Spacetrack Report #3, 2006 revision).
#pragma once

#include "propagation/sgp4rec.h"

// Julian Date of 1949 December 31 0h UT, the origin of the epoch given to sgp4init.
constexpr double kSgp4EpochJd = 2433281.5;

// Selector of the Earth constants used by the model.
enum gravconsttype { wgs72old = 0, wgs72 = 1, wgs84 = 2 };

// The record of the calling thread; the caller re-initialises it for each satellite it propagates.
extern thread_local elsetrec satrec;

// Earth constants of a selector: tumin (min), radius (km), xke (1/min), j2, j3, j4, j3/j2.
// An unknown selector leaves the outputs untouched.
void getgravconst(gravconsttype whichconst, double& tumin, double& radiusearthkm, double& xke,
                  double& j2, double& j3, double& j4, double& j3oj2);

// Greenwich mean sidereal time (radians, [0, 2pi)) of a Julian Date (UT1), IAU 1982.
double gstime(double jdut1);

// Initialises rec for the elements: epoch in days since 1949 Dec 31 0h UT, bstar (1/Earth radii),
// eccentricity, argument of perigee, inclination, mean anomaly (radians), Kozai mean motion
// (rad/min) and node (radians). Deep space is used only when deepspace is true and the period
// is at least 225 min. Returns the error code: 0 success, 5 perigee below the surface, or the
// code of the initial deep-space propagation. An unknown selector is taken as wgs72.
int sgp4init(gravconsttype whichconst, bool deepspace, double epoch, double xbstar, double xecco,
             double xargpo, double xinclo, double xmo, double xno, double xnodeo, elsetrec& rec);

// Error code of sgp4 for a state that is not finite; the codes 1 to 6 are the propagator's own.
constexpr int kSgp4NotFinite = 7;

// Position r (km) and velocity v (km/s) in the TEME frame tsince minutes after epoch.
// Returns the error code: 1 mean eccentricity or semi-major axis out of range (state still
// computed), 2 mean motion not positive, 3 perturbed eccentricity out of range (r, v untouched
// after both), 6 negative semi-latus rectum (r, v untouched) or radius below one Earth radius
// (r, v written), kSgp4NotFinite when r or v is not finite (elements or time NaN or infinite).
int sgp4(gravconsttype whichconst, elsetrec& rec, double tsince, double r[3], double v[3]);
