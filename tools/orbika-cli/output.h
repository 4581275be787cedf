// Locale-proof output of orbika-cli: every formatted line has its decimal commas turned into points.
#pragma once

// printf-style text to standard output, passed through decdot0.
void emit(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Reports a one-line problem on standard error.
void complain(const char* format, ...) __attribute__((format(printf, 1, 2)));
