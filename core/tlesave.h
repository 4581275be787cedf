// Writing the selected satellites to the TLE save file, with the packed fields and checksums of
// the TLE format and the program's four-line state-vector entries.
#pragma once

#include "core/records.h"

// Bytes of a packed exponential field written by cvtlef, terminator included.
constexpr int kPackedFieldBytes = 9;

// Writes the selected satellites to the TLE save file tlesave (a leading '*' = in the directory of
// the TLE file): truncating when tlesvnmset is set (which is then cleared), else appending.
// Returns 1 when no satellite is selected, 2 when the file cannot be opened, 0 on success.
int SaveTle(WinpData* in);

// Packed exponential field of 8 characters (" 12345-3" for 0.00012345) of x.
void cvtlef(char* out, double x);

// TLE checksum digit ('0'..'9') over the first 68 characters of line.
char tcksum(const char* line);

// Copies n characters of in starting at column col (1-based) to out and terminates it.
void tlecpy(char* out, const char* in, int col, int n);
// Puts n characters of in into line at 0-based position col.
void chcpy(char* line, const char* in, int col, int n);
