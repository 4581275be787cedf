// Numerical propagation of a satellite slot of the settings record.
#pragma once
#include "core/records.h"
#include "foundation/vec3.h"
#include "propagation/numprop.h"

// The force parameters of slot under the settings in.
ForceParams SlotForces(const WinpData* in, int slot);

// The equations of motion's context of slot at its stored state instant, with the Sun and Moon
// of that instant.
ForceContext SlotContext(const WinpData* in, int slot);

// Propagates slot from its stored state to the UT instant mjd. sun and moon are the caller's
// positions (Earth radii, true equator of date); r (km) and v (km/s) receive the state in the
// mean equator of date. Updates the slot's stored state and in->moondist, and with thrupd set
// replaces the epoch state and elements by the new state.
void NumPropSlot(double mjd, WinpData* in, int slot, const Vec3& sun, const Vec3& moon, Vec3& r,
                 Vec3& v);
