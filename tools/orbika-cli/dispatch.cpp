// The subcommand table of orbika-cli and the usage text.
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {
const char* const kUsage =
    "usage: orbika-cli sgp4 FILE [--wgs84] [--no-sdp4] [--strict] [--json]\n"
    "       orbika-cli ephem --mjd MJD [--json]\n"
    "       orbika-cli passes    SAT... [options] [--json]\n"
    "       orbika-cli allpasses [--out FILE] [--threads N] [options]\n"
    "       orbika-cli state     SAT... --at \"YYYY-MM-DD HH:MM:SS.sss\"\n"
    "                            [--step SECONDS --count N] [--size METRES] [options] [--json]\n"
    "       orbika-cli track     SAT [--step SECONDS] [options]\n"
    "       orbika-cli match     --center AZ,EL|RA,DEC [--radec] --max-dist DEG --window MIN\n"
    "                            [--direction DEG] [--bright] [options] [--json]\n"
    "       orbika-cli flares    [--min-mag M] [--panels] [--out FILE] [options] [--json]\n"
    "       orbika-cli transits  SAT --body sun|moon|star [--ra H.MMSS --dec D.MMSS]\n"
    "                            [--max-dist KM] [options] [--json]\n"
    "       orbika-cli orbdet    --obs1 AZ,EL|RA,DEC [--radec1] --obs2 AZ,EL|RA,DEC [--radec2] --dt SECONDS\n"
    "                            [--epoch YEAR] [--out FILE.tle|FILE.csv] [options] [--json]\n"
    "       orbika-cli launch    --launch-site NAME|LAT,LON --incl DEG --perigee KM --apogee KM [--south]\n"
    "                            [--cutoff MIN] [SAT [--rdv-time DAYS]] [--out FILE.tle|FILE.csv]\n"
    "                            [options] [--json]\n"
    "options: --tle FILE  --site LAT,LON,HEIGHT_M  --start \"YYYY-MM-DD HH:MM:SS\"  --tz H  --days D\n"
    "         (--start is read in the zone --tz, hours east of UTC, default 0)\n"
    "         --min-elev E  --max-sun E  --visible-only 0|1  --wgs84\n"
    "         --strict (refuse element sets with a bad TLE checksum)\n"
    "SAT:     --sat NAME | --norad N | --designator YYYY-NNNP (international designator)\n";

// A subcommand and its entry.
struct Command {
    const char* name;
    int (*run)(int, char**);
};
const Command kCommands[] = {{"sgp4", runSgp4},     {"ephem", runEphem}, {"passes", runPasses},
                             {"allpasses", runAllPasses}, {"state", runState}, {"track", runTrack},
                             {"match", runMatch}, {"flares", runFlares}, {"transits", runTransits},
                             {"orbdet", runOrbdet}, {"launch", runLaunch}};
}  // namespace

int runCommand(int argc, char** argv)
{
    for (const Command& c : kCommands)
        if (argc >= 1 && std::strcmp(argv[0], c.name) == 0) return c.run(argc - 1, argv + 1);
    std::fputs(kUsage, stderr);
    return 2;
}
