#include "commands.h"

#include <cstdio>

int runEphem(int, char**)
{
    std::fputs("orbika-cli: ephem is not available yet\n", stderr);
    return 2;
}
