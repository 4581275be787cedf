// The configuration file: persistent settings read at start and written at an orderly exit.
#pragma once

#include "core/records.h"

// Name of the configuration file, relative to the current (program) directory.
constexpr const char* kConfigFile = "orbika.cfg";

// getcfg results.
constexpr int kCfgReadFailed = 0;  // unreadable, truncated or malformed: nothing applied
constexpr int kCfgRead = 1;        // every line read and applied
constexpr int kCfgMissing = 2;     // the file cannot be opened: nothing changed

// Reads the settings stored in path into in, with the stored satellite names as search names of
// slots 0 ... nsat-1. Returns kCfgRead, kCfgReadFailed or kCfgMissing.
int getcfg(WinpData* in, const char* path = kConfigFile);

// Writes the settings of in to path (the names of the selected satellites as found in the TLE
// file). The old file is replaced only when the new one was written completely.
// Returns true on success; on failure nothing is changed.
bool putcfg(const WinpData* in, const char* path = kConfigFile);
