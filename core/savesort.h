// Time order of the all-satellite and flare save files.
#pragma once

#include "core/records.h"

// Sorts the pass lines of the save file by month, day and time, keeping its header lines first;
// replaces it through a temporary file beside it. Returns true on success.
bool SortAos(const WinpData* in);
