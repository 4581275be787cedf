// Writing element sets as GP data in the CSV form of the Orbit Mean-elements Message: a header
// line naming the columns, then one line per element set, with the units and derivative
// conventions of a TLE. The project's element reader and other tools read the lines back.
#pragma once

#include <string>

#include "core/tlefields.h"

// The header line (column names), without a line end.
std::string OmmCsvHeader();

// The CSV line of an element set (name, international designator "1998-067A" or "", and the
// fields), without a line end. Numbers are written with the fewest digits that read back to
// the same value; the epoch to the microsecond.
std::string OmmCsvLine(const std::string& name, const std::string& objectId, const TleFields& f);

// ISO 8601 UTC text "2026-02-22T01:30:13.971744" of a TLE epoch (two-digit year, day of year
// with fraction).
std::string IsoEpochText(int year2, double day);
