// Reader of the sgp4 command's input: TLE entries, each optionally followed after column 69 of
// line 2 by a run of times (start, stop, step in minutes since epoch), as verification files are.
#pragma once

#include <istream>
#include <vector>

#include "core/tlefields.h"

// One element set of the file with the times to propagate (minutes since epoch).
struct Entry {
    TleFields tle{};
    std::vector<double> times;
};

// All well-formed entries of the stream; comment lines (#) and blank lines are ignored, title
// lines are optional, CR LF line ends are accepted. Malformed entries are reported and skipped.
std::vector<Entry> readEntries(std::istream& in);
