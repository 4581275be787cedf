// Number, angle and date text conversions, independent of the C library's locale.
#pragma once

// Replaces ',' by '.' up to the first '(' of s (in place).
void decdot(char* s);
// Replaces every ',' in s by '.' (in place).
void decdot0(char* s);
