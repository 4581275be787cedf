// Locale-proof output of orbika-cli: numbers are always written with a decimal point.
#pragma once

// printf-style text to standard output, formatted with the C numeric conventions.
void emit(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Reports a one-line problem on standard error, formatted like emit.
void complain(const char* format, ...) __attribute__((format(printf, 1, 2)));
