// Satellite states that are no states: a decayed satellite or elements no orbit can have.
#pragma once

#include "core/records.h"

enum class StateFault { kNone, kDecayed, kInvalidElements };

// Fault of the state of slot last computed into sp: invalid elements when its elements cannot
// describe an orbit (eccentricity outside 0..1, mean motion not positive, values not finite)
// or the state is not finite; decayed when the satellite lies below the ellipsoid (where the
// propagator also leaves a satellite it reports as decayed); none otherwise.
StateFault SlotFault(const WinpData* in, const SatPosData* sp, int slot);

// "decayed" or "invalid elements"; empty for no fault.
const char* FaultText(StateFault fault);
