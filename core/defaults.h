// Start-up values of the settings and state records, written before the configuration is read.
#pragma once

#include <ctime>

#include "core/records.h"

// Writes every start-up default into in; date, time and time zone are the local time of the
// instant now (seconds since 1970), mjd the same instant in UT.
void SetDefaults(WinpData* in, std::time_t now);
// The same for the current system time.
void SetDefaults(WinpData* in);
// Empties a state record: no centre-line points, no magnitude, kCirclePoints circle points.
void SetDefaults(SatPosData* sp);
