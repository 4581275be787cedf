// Default file names of the settings record.
#pragma once

#include <QString>

// Resolves a leading '*' of name (105 bytes, in place) to the directory of the current TLE file
// and returns the resolved name.
QString vsFileName(char* name);
