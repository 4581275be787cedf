// Writing element sets as TLE lines: the field formatters of line 1 and line 2, the packed
// exponential fields and the checksum. Each line reads back through ParseTleLine1/2 to the
// same fields.
#pragma once

#include <string>

#include "core/tlefields.h"

// Characters of an element line; the checksum is the last one and covers the others.
constexpr int kTleLineChars = 69;
// Bytes of a packed exponential field written by cvtlef, terminator included.
constexpr int kPackedFieldBytes = 9;

// Packed exponential field of 8 characters: sign, five-digit mantissa with an assumed leading
// "0.", signed exponent digit (" 12345-3" for 0.00012345, " 00000+0" for 0).
void cvtlef(char* out, double x);

// TLE checksum digit ('0'..'9') over the first 68 characters of line.
char tcksum(const char* line);

// First-derivative field of 10 characters: " .00010666" or "-.00010666".
std::string TleDerivativeField(double ndot);

// Line 1 of f with classification, element set number and checksum (for a state-vector entry
// the revolution number, the marker and '1' in column 69). False when the catalogue number
// does not fit a TLE (above kLastAlpha5Number).
bool FormatTleLine1(const TleFields& f, std::string& line);
// Line 2 of f with the revolution number and checksum; false as for line 1.
bool FormatTleLine2(const TleFields& f, std::string& line);
