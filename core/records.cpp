#include "core/records.h"

// Value-initialised (zeroed) once; the start-up routine writes the defaults.
WinpData* const indata = new WinpData();
WoutData* const outdata = new WoutData();
SatPosData* const satps = new SatPosData();
SatPosData* const satpos = new SatPosData();
