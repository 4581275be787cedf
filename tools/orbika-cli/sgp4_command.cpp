#include "commands.h"

#include <cstdio>

int runSgp4(int, char**)
{
    std::fputs("orbika-cli: sgp4 is not available yet\n", stderr);
    return 2;
}
