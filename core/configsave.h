// Writing the settings at an orderly exit without losing what the user had stored.
#pragma once

#include "core/config.h"

// Suffix of the copy kept of a configuration file that could not be read.
constexpr const char* kConfigBackupSuffix = ".bak";

// Writes the settings of in to path like putcfg, keeping what the program could not use: a file
// at path that cannot be read is first copied to path + kConfigBackupSuffix, and when no
// satellite is selected because the stored TLE file still cannot be opened, the satellite names
// stored in path are written back. Returns false when nothing was written.
bool savecfg(const WinpData* in, const char* path = kConfigFile);
