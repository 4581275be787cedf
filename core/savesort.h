// Time order of the all-satellite and flare save files.
#pragma once

#include <cstdio>

#include "core/records.h"

// Sorts the pass lines of the save file by their start instant, keeping its header lines first;
// each search's lines are dated in the year of its header, those past the year end in the next.
// Lines without a readable start go last. Replaces the file through a temporary file beside it.
// With added, the lines of that open file (read from its start) are sorted in after those of the
// save file as if they had been appended to it; without keep, the save file's own lines are left
// out (it need not exist). Returns true on success; on failure the save file is untouched.
bool SortAos(const WinpData* in, std::FILE* added = nullptr, bool keep = true);
