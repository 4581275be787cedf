// Force model of the numerical orbit propagator: geopotential, third bodies, air density.
#pragma once
#include "astro/earth_constants.h"
#include "foundation/vec3.h"

// Earth constants of the force model (JGM-3 GM, IERS rotation rate); the Earth's radius and the
// astronomical unit are those of astro/earth_constants.h.
constexpr double kEarthGM = 398600.4415e9;        // m^3/s^2
constexpr double kEarthRotation = 7.292115e-5;    // rad/s
// Astronomical unit, m.
constexpr double kAuM = kAuKm * length_units::kMetresPerKm;

// Geopotential acceleration (m/s^2) at the Earth-fixed position r (m), JGM-3 to degree
// and order n (0 gives the point mass alone; n is limited to 0..20).
Vec3 HarmAcc(const Vec3& r, int n);

// Perturbing acceleration (m/s^2) of a body of gravitational parameter gm (m^3/s^2) at
// geocentric position s (m) on a satellite at r (m).
Vec3 ThirdBody(double gm, const Vec3& r, const Vec3& s);

// log10 of the Jacchia 1971 density (kg/m^3) from the bi-polynomial fit alone, at height
// z (km, raised to 90) and exospheric temperature t (1000 K, limited to 0.5..1.9).
double Jacc71LogDensity(double z, double t);

// Jacchia 1971 air density (kg/m^3) at UT mjd for the position r (m, true equator of date)
// with the Sun at sun (any length, same frame), daily and average F10.7 solar flux and
// the Kp index; h returns the geodetic height (km), 2500 when r is out of range.
double Jacc71(double mjd, const Vec3& r, const Vec3& sun, double f107, double f107avg,
              double kp, double& h);
