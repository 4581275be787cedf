// Number, angle and date text conversions, independent of the C library's locale.
#pragma once

#include <cstdio>

// Replaces ',' by '.' up to the first '(' of s (in place).
void decdot(char* s);
// Replaces every ',' in s by '.' (in place).
void decdot0(char* s);

// Number in s (decimal point only, surrounding white space ignored); 0 when s is not entirely a number.
double Atof(const char* s);

// Reads one line of f and stores its first n blank-separated numbers in v.
// Returns 1 when n numbers were stored, 0 at end of file, on an empty line, on fewer tokens or
// on a line too long to be a line of numbers (over 4096 characters).
int Fscanf(FILE* f, int n, double* v);

// Case-insensitive prefix match of names: 0 when a and b agree in their first n characters (both
// at least n long, or both of the same non-zero length and equal), else 1; n <= 0 gives 1.
int Strncmpi(const char* a, const char* b, int n);

// Writes the three-letter month abbreviation ("JAN" ... "DEC", else "ERR") to out (4 bytes).
void GetMonth(int month, char* out);
// Month number (1-12) of the three-letter abbreviation that s starts with (at least 3 bytes), else 0.
int MonthNumber(const char* s);

// Writes value right-aligned in width characters to out, as printf's "%*i" does with fill ' ' and
// "%0*i" with fill '0'. Returns the end of the written text (not terminated).
char* PutInt(char* out, int value, int width, char fill);
// Writes x rounded to a whole number (half to even) right-aligned in width characters to out, as
// printf's "%*.0f" does (width at most 300). Returns the end of the written text (not terminated).
char* PutWhole(char* out, double x, int width);

// Decimal hours (or degrees) x to the form h.mm, minutes rounded.
double hdfdms(double x);
// Decimal degrees x to the form d.mmss, seconds rounded to the minute from 59.5 s.
double DegFDms(double x);
// Form d.mmss (or h.mmss) x to decimal degrees (hours).
double DmsDegF(double x);

// Writes one angle field to out (at least 13 bytes): mode 0 decimal degrees; mode > 0 decimal
// degrees shown as d.mm (d.mmss with digits4) with a degree sign; mode -1 x already d.mmss,
// degree sign; mode <= -2 x already h.mmss, 'h' instead of the point.
void prpang(char* out, int digits4, int mode, double x);
