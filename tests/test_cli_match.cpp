#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli_run.h"

namespace {
const std::string kVisual = std::string(ORBIKA_DATA_DIR) + "/tle/visual.txt";
// A minute before the ISS culminates 47 degrees high at the site.
const std::string kOptions = "--tle " + kVisual + " --site 48.1,11.6,500 --start \"2026-02-22 02:22:25\"";

// The number after "key": in text.
double jsonNumber(const std::string& text, const std::string& key)
{
    const size_t at = text.find("\"" + key + "\": ");
    return at == std::string::npos ? NAN : std::atof(text.c_str() + at + key.size() + 4);
}

// "match" around the place of key1, key2 where "state" puts the ISS.
std::string matchAround(const char* key1, const char* key2)
{
    const std::string state =
        runCli("state " + kOptions + " --sat \"ISS (ZARYA)\" --at \"2026-02-22 02:22:25\" --json").out;
    char centre[64];
    std::snprintf(centre, sizeof centre, "%.6f,%.6f", jsonNumber(state, key1), jsonNumber(state, key2));
    return "match " + kOptions + " --center " + centre;
}
}  // namespace

TEST(CliMatch, FindsTheSatelliteAtItsOwnPosition)
{
    const CliRun run = runCli(matchAround("azim", "elev") + " --max-dist 0.3 --window 1", "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind(" Possible matches on TLE-file:\n " + kVisual + "\n \n NORAD#:    25544  Int.Launch#: "
                            "1998-067A    ISS (ZARYA)\n Incl.:  51.6320   Perigee: ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\n Number of satellites checked: 149\n"), std::string::npos);

    const CliRun json = runCli(matchAround("ra", "dec") + " --radec --max-dist 0.3 --window 1 --bright --json");
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("{\"checked\": 149, \"more_possible\": false, \"matches\": [\n  {\"norad\": 25544, "
                             "\"designator\": \"1998-067A\", \"name\": \"ISS (ZARYA)\", \"inclination\": 51.6320, ", 0),
              0u) << json.out;
}

TEST(CliMatch, RejectsBadArguments)
{
    for (const std::string bad : {"--max-dist 1 --window 1", "--center 1,2 --max-dist 181 --window 1",
                                  "--center 1,2 --max-dist 1 --window -1", "--center 1,2,3 --max-dist 1 --window 1",
                                  "--center 30,10 --radec --max-dist 1 --window 1",
                                  "--center 1,2 --max-dist 1 --window 1 --direction x"}) {
        const CliRun run = runCli("match " + kOptions + " " + bad + " 2>/dev/null");
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_EQ(run.out, "") << bad;
    }
    const CliRun missing = runCli("match --tle /nonexistent/x.tle --center 10,20 --max-dist 1 --window 1");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, " *** Unable to open TLE file ***\n /nonexistent/x.tle\n Select a valid TLE file first.\n");
}
