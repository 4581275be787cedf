// Time order of the all-satellite and flare save files.
#pragma once

#include "core/records.h"

// Sorts the pass lines of the save file by their start instant, keeping its header lines first;
// each search's lines are dated in the year of its header, those past the year end in the next.
// Lines without a readable start go last. Replaces the file through a temporary file beside it.
// Returns true on success.
bool SortAos(const WinpData* in);
