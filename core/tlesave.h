// Writing the selected satellites to the TLE save file: TLE entries with the program's
// four-line state-vector entries, or GP data as OMM CSV when the file is named .csv.
#pragma once

#include <string>
#include <vector>

#include "core/records.h"
#include "core/tleformat.h"

// Results of SaveTle and WriteElementFile.
constexpr int kTleSaved = 0;
constexpr int kTleNoSatellite = 1;
constexpr int kTleFileError = 2;
// A catalogue number above kLastAlpha5Number for a TLE file: nothing written.
constexpr int kTleNumberTooLarge = 3;
// A state-vector entry for a CSV file, which holds mean elements only: nothing written.
constexpr int kTleStateVectorCsv = 4;

// True when path names a CSV file (extension .csv in any case).
bool IsCsvName(const std::string& path);
// path with its extension (if any) replaced by ".csv".
std::string CsvSaveName(const std::string& path);

// The lines of slot's TLE entry: the title (the name padded to 40 characters), line 1 and
// line 2, or the four lines of a state-vector entry. False when the catalogue number does not
// fit a TLE.
bool TleEntryLines(const WinpData* in, int slot, std::vector<std::string>& lines);

// Writes the entries of slots to path: replacing the file when replace is set, else appending
// (a CSV header only into an empty file). Returns kTleSaved, kTleFileError,
// kTleNumberTooLarge or kTleStateVectorCsv.
int WriteElementFile(const WinpData* in, const std::vector<int>& slots, const char* path, bool replace);

// Writes the selected satellites to the save file tlesave (a leading '*' = in the directory of
// the TLE file): replacing it when tlesvnmset is set (which is then cleared on success), else
// appending. Returns kTleNoSatellite when no satellite is selected, else as WriteElementFile.
int SaveTle(WinpData* in);
