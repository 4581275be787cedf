// Impulsive velocity change (delta-V manoeuvre) of the prime satellite.
#pragma once

#include "core/records.h"

// ExDeltaV result when the manoeuvre leaves an open orbit (eccentricity 1 or more).
constexpr int kDeltaVHyperbolic = 1;

// Adds the velocity change dv (m/s) to the prime satellite at the start instant mjd: along the
// velocity when yaw and pitch are both 0, else along the local attitude direction turned by yaw
// (degrees, positive to the right of the direction of flight) and then pitch (degrees, positive
// up). The new state becomes the slot's epoch and current state and its elements are derived
// from it: SGP4 mean elements for SGP4 slots, osculating elements otherwise; an open orbit
// becomes a Keplerian one with the perigee distance in elmm and, unless numerically propagated,
// the perigee time as its epoch. Returns kDeltaVHyperbolic for an open orbit, else 0 (also when
// no satellite is selected, which changes nothing).
int ExDeltaV(WinpData* in, double dv, double yaw, double pitch);
