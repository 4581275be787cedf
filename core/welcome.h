// Start-up routine: defaults, the configuration file, the welcome page and the stored selection.
#pragma once

#include <ctime>

#include "core/records.h"

// Sets every default of in for the instant now (seconds since 1970), reads the configuration file
// of the current directory, selects again the stored satellites from the stored TLE file and
// writes the welcome page into out (emptied first).
void swelcm(WinpData* in, WoutData* out, std::time_t now);
// The same for the current system time.
void swelcm(WinpData* in, WoutData* out);
