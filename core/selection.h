// Selection of satellites from the open TLE file: search, taking a found entry into the selection
// list, and the list's texts. The GUI wraps these with its own string type.
#pragma once

#include <string>

#include "core/elementreader.h"
#include "core/records.h"

// Rewinds r and searches from its start (vsReComp with more = 0).
void vsFindSat(WinpData* in, ElementReader& r, std::string& key, int& n, int kind, int low, int recent);

// Searches r for key (first 20 characters; kind 0 name, 1 NORAD number n, 2 designator) with the
// filters low and recent; n receives the tleread result (0, 1, 2), key the description text.
void vsReComp(WinpData* in, ElementReader& r, std::string& key, int& n, int kind, int more, int low,
              int recent);

// Takes the work slot into the selection (the last slot is overwritten when kMaxSat are
// selected) and marks the work slot's name with '#'.
void vsSatSel(WinpData* in);

// The last search key, key kind, NORAD number, selection count and filters.
void vsLastSat(const WinpData* in, std::string& key, int& kind, int& n, int& nsat, int& low,
               int& recent);

// Sets the filters for decaying low satellites and recent launches.
void vsLowRecent(WinpData* in, int low, int recent);

// Empties the selection: nsat = 0, prime = 0, sgpslot = kNoSgpSlot.
void vsResetSatList(WinpData* in);

// Name of selection slot i - 1 (i counts from 1); empty outside 1..kMaxSat.
std::string vsSatName(const WinpData* in, int i);

// "TLE filename:" with the file name and the list of selected satellites.
std::string vsSatList(const WinpData* in);

// Resolves a leading '*' of name (capacity 105 bytes, in place): the directory part of tlefile
// (up to its last '/') followed by the rest of name; '/' in place of '*' when tlefile has no '/'.
void vsFileName(const WinpData* in, char* name);
