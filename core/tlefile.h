// Reading TLE files: searching an entry by name, NORAD number or international designator,
// parsing it into the work slot with its description text, and copying slots.
#pragma once

#include "core/elementreader.h"
#include "core/records.h"
#include "core/slotcopy.h"

// Bytes of a description or no-match text written by tleread, terminator included.
constexpr int kTleTextBytes = 1024;
// Bytes of the epoch text written by cnvepch, terminator included.
constexpr int kEpochTextBytes = 32;

// Search key kinds (srchmode): name prefix, NORAD number; 2 is the international designator.
constexpr int kSearchByName = 0;
constexpr int kSearchByNumber = 1;
constexpr int kSearchByDesignator = 2;  // international designator "YYYY-NNNP", matched as a prefix

// The element file kept open while the selection dialog runs; nullptr when none is open.
extern ElementReader* satfle;

// Searches r from its current position for the entry described by the work slot (key srchname,
// "*" = any entry; key kind srchmode, the NORAD number in satno; filters
// lowflt, recentflt) and parses it into the work slot. Returns 1 when found, 2 when a further
// matching entry follows, 0 with the no-match text; text (kTleTextBytes) gets the description.
// more = 1 continues a name search after a result of 2. Sets sgpslot to kNoSgpSlot.
int tleread(WinpData* in, ElementReader& r, char* text, int more);
// Takes the element set e into the work slot when it passes the filters of in, as a search of
// any entry does, for a pass search: without the description text and the state at epoch, which
// only the element display and the numerical propagation of an element set use. False when the
// filters reject it.
bool TakeSearchEntry(WinpData* in, const ElementEntry& e);

// International designator: toLong converts tlintl (YYNNNPPP) into cvintl (e.g. "1998-067A  ");
// otherwise cvintl is converted back into tlintl.
void convldsn(WinpData* in, bool toLong);

// Sets the work slot's epoch (MJD) from a two-digit TLE year (above 56: 19xx, else 20xx) and day
// of year with fraction, and writes its text "dd-MON-yyyy   hh:mm:ss" (kEpochTextBytes) to text.
void cnvepch(WinpData* in, int year, double day, char* text);
