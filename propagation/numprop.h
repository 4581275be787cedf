// Numerical orbit propagation of one satellite under the full force model.
#pragma once
#include "foundation/vec3.h"

// What the force model needs of one satellite and of the Earth model.
struct ForceParams {
    double areamass = 0;                    // area-to-mass ratio, m^2/kg
    double cd = 0, cr = 0;                  // drag and radiation pressure coefficients
    double f107 = 0, f107avg = 0, kp = 0;   // daily and average solar flux, geomagnetic index
    bool thrust = false;                    // continuous thrust on
    bool thrustSunlit = false;              // thrust only while in sunlight
    double thrustAcc = 0;                   // thrust acceleration, m/s^2
    double thrustYaw = 0, thrustPitch = 0;  // thrust direction, degrees (both 0: along velocity)
    bool sunPert = false, moonPert = false; // third-body attraction of the Sun and the Moon
    double liftDrag = 0;                    // lift-to-drag ratio below the lift height
    int iers = 0;                           // non-zero: IERS nutation model and UT1 - UTC
    double ut1utc = 0;                      // UT1 - UTC, s
    double ttut = 0;                        // TT - UT, s
    double polex = 0, poley = 0;            // pole coordinates, arcseconds
    double tolerance = 0;                   // relative integration tolerance
    int maxIter = 0;                        // attempts per step, 0 = until the tolerance is met
};

// A state: the UT instant (MJD) with position (m) and velocity (m/s), mean equator of date.
struct OrbitState {
    double mjd = 0;
    Vec3 r, v;
};

// Context of the equations of motion: the forces, the UT instant mjd0 (MJD) from which their
// time argument counts, and the Sun and Moon (m, mean equator of date).
struct ForceContext {
    ForceParams p;
    double mjd0 = 0;
    Vec3 sun, moon;
};

// Sun and Moon positions (m, mean equator and equinox of date) t seconds after c.mjd0.
void UpSunMoon(const ForceContext& c, double t, Vec3& sun, Vec3& moon);

// Equations of motion: y = (position m, velocity m/s) in the mean equator of date x seconds
// after c.mjd0; dydx receives (velocity, acceleration).
void RKfun(double x, const double* y, double* dydx, const ForceContext& c);

// Propagates state to the UT instant mjd, starting again from epoch when that is nearer.
// sun and moon are the caller's positions (Earth radii, true equator of date); moondist receives
// the distance from the Moon (m) when the start lay nearer the Moon than the Earth, else 0.
// Returns false when state was already at mjd and nothing was integrated.
bool NumProp(double mjd, const ForceParams& p, const OrbitState& epoch, OrbitState& state,
             const Vec3& sun, const Vec3& moon, double& moondist);
