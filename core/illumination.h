// Light on a satellite: the source's height above the Earth's limb, the solar eclipse by the
// Moon, and the apparent magnitude. Vectors are geocentric, Earth radii, frame of date.
#pragma once

#include "foundation/vec3.h"

// Elevation (radians) of the body above the Earth's limb as seen from a satellite at the
// geocentric distance dist (Earth radii), given the body's elevation elev (radians) in the
// satellite's local horizon: elev plus the limb's depression (0 when dist <= 1).
double AboveLimb(double elev, double dist);

// Apparent semidiameter (degrees) of the Moon at the distance d (Earth radii) from the observer.
double MoonSemidiameter(double d);

// Solar eclipse by the Moon as seen from a satellite.
struct SolarEclipse {
    int type = 0;        // 0 none, 1 partial, 2 total, 3 annular
    double mag = 0.0;    // eclipse magnitude
    double dist = 0.0;   // angular distance of the Sun and Moon centres, radians
    double power = 1.0;  // remaining fraction of sunlight
    double term = 0.0;   // magnitude term of the dimming (20 for no light)
};
// Eclipse seen from the satellite at sat with the Sun at sun and the Moon at moon.
SolarEclipse EclipseAt(const Vec3& sat, const Vec3& sun, const Vec3& moon);

// Source magnitude of the Moon lighting the satellite at sat: its distance and phase law.
double MoonSourceMagnitude(const Vec3& sat, const Vec3& sun, const Vec3& moon);

// Apparent magnitude of a satellite of characteristic length charlen (m, > 0) at sat seen
// from obs at range km, lit by a source of magnitude srcmag at src; ecl is the eclipse term.
double SatMagnitude(const Vec3& sat, const Vec3& obs, const Vec3& src, double srcmag, double range,
                    double charlen, double ecl);
// Extinction (magnitudes) at the elevation elev (degrees); 0 outside 0.01 < elev < 33.
double Extinction(double elev);
