// orbika-cli: headless access to the computation library.
#include <clocale>
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {
const char* const kUsage =
    "usage: orbika-cli sgp4 FILE [--wgs84] [--no-sdp4] [--json]\n"
    "       orbika-cli ephem --mjd MJD [--json]\n";
}

int main(int argc, char** argv)
{
    // Like the GUI, take the C locale from the environment; output repairs decimal commas.
    std::setlocale(LC_ALL, "");
    if (argc >= 2 && std::strcmp(argv[1], "sgp4") == 0) return runSgp4(argc - 2, argv + 2);
    if (argc >= 2 && std::strcmp(argv[1], "ephem") == 0) return runEphem(argc - 2, argv + 2);
    std::fputs(kUsage, stderr);
    return 2;
}
