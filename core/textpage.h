// Appending lines to the text page and formatting the entries of a pass list.
#pragma once

#include "core/records.h"

// Appends text as the next page line: decimal commas before the first '(' become points (in text
// itself), at most 76 characters are kept. A full page drops the line silently.
void PutNxtLn(WoutData* out, char* text);
// The same, and marks the line as a selectable pass line (kLineTag in its tag byte).
void PutNxtLnT(WoutData* out, char* text);
// Appends n lines that hold a single blank.
void PutSpace(WoutData* out, int n);

// Bytes that aosstr may write, terminator included.
constexpr int kAosTextBytes = 32;
// Writes one pass-list entry of the instant mjd to text: "MON dd " (only " " with timeonly), then
// " hh:mm:ss (azi,ele)" with azimuth and elevation in whole degrees; seconds rounded up from 0.5001.
void aosstr(double mjd, double azim, double elev, char* text, int timeonly);
