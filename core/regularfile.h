// Opening an input file only when it is a regular file: a directory or a device named as a TLE
// file reads as nothing or never ends.
#pragma once

#include <cstdio>

// name opened for reading when it is a regular file; nullptr otherwise.
std::FILE* OpenRegularFile(const char* name);
