// SGP4/SDP4 propagation of a slot of the settings record through the process-wide SGP4 record.
#pragma once

#include "core/records.h"
#include "foundation/vec3.h"

// Position r (km) and velocity v (km/s, TEME frame) of the satellite in slot, dt days after its
// element epoch. Initialises the thread's SGP4 record when it holds another record's or slot's
// elements or sgpslot was reset (sgpslot = slot after success, kNoSgpSlot after failure); WGS-84
// constants when gravflg is set, deep space allowed by sgpmode. Returns the propagator's error
// code (0 = success, -1 = slot outside the record); on an error r = (100, 0, 0) km and
// v = (0, 10, 0) km/s.
int Sgp4(WinpData* in, double dt, int slot, Vec3& r, Vec3& v);
