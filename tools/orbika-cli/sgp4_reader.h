// Reader of the sgp4 command's input: TLE entries, each optionally followed after column 69 of
// line 2 by a run of times (start, stop, step in minutes since epoch), as verification files are.
#pragma once

#include <vector>

#include "core/elementreader.h"

// One element set of the file with the times to propagate (minutes since epoch).
struct Entry {
    TleFields tle{};
    std::vector<double> times;
};

// The element set of e with its times: the run written after line 2 of a TLE entry, else the
// default times; false, reported, when the run is unusable.
bool makeEntry(const ElementEntry& e, Entry& entry);
