// Numerical orbit propagation of one satellite slot under the full force model.
#pragma once
#include "core/records.h"
#include "foundation/vec3.h"

// Sun and Moon positions (m, mean equator and equinox of date) at t seconds after the
// stored state instant of slot.
void UpSunMoon(double t, const WinpData* ind, int slot, Vec3& sun, Vec3& moon);

// Equations of motion of the slot being propagated by NumProp: y = (position m, velocity
// m/s) in the mean equator of date at x seconds after its stored state; dydx receives
// (velocity, acceleration).
void RKfun(double x, const double* y, double* dydx, const WinpData* ind);
// RKfun with the settings record of the running NumProp call (the integrator's form).
void RKFun(double x, const double* y, double* dydx);

// Propagates slot from its stored state to the UT instant mjd. sun and moon are the
// caller's positions (Earth radii, true equator of date); r (km) and v (km/s) receive the
// state in the mean equator of date. Updates the slot's stored state and ind->moondist.
void NumProp(double mjd, WinpData* ind, int slot, const Vec3& sun, const Vec3& moon, Vec3& r,
             Vec3& v);
