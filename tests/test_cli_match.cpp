#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli_run.h"

namespace {
const std::string kVisual = std::string(ORBIKA_DATA_DIR) + "/tle/visual.txt";
const std::string kOptions = "--tle " + kVisual + " --site 48.1,11.6,500";

// The ISS as orbika-cli sees it at the whole second of its first culmination after
// 2026-02-22 00:00 UT from the site: from "passes" the instant, from "state" the position.
struct IssView {
    std::string start;        // "YYYY-MM-DD HH:MM:SS", UT
    double az, el, ra, dec;   // degrees; h.mmss and d.mmss, equinox 2000
};

// The number after "key": in text.
double jsonNumber(const std::string& text, const std::string& key)
{
    const size_t at = text.find("\"" + key + "\": ");
    EXPECT_NE(at, std::string::npos) << key << " in " << text;
    return at == std::string::npos ? NAN : std::atof(text.c_str() + at + key.size() + 4);
}

IssView issView()
{
    const std::string sat = " --sat \"ISS (ZARYA)\"";
    const CliRun passes = runCli("passes " + kOptions + sat +
                                 " --start \"2026-02-22 00:00:00\" --days 1 --max-sun 90 --visible-only 0 --json");
    const std::string key = "\"maximum\": {\"utc\": \"";
    const size_t max = passes.out.find(key);
    EXPECT_NE(max, std::string::npos) << passes.out;
    std::string start = passes.out.substr(max + key.size(), 19);
    start[10] = ' ';
    const CliRun state = runCli("state " + kOptions + sat + " --at \"" + start + "\" --json");
    return {start, jsonNumber(state.out, "azim"), jsonNumber(state.out, "elev"), jsonNumber(state.out, "ra"),
            jsonNumber(state.out, "dec")};
}

std::string matchArgs(const IssView& v, const std::string& centre)
{
    return "match " + kOptions + " --start \"" + v.start + "\" --center " + centre;
}

std::string pair(double a, double b)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f,%.6f", a, b);
    return text;
}
}  // namespace

TEST(CliMatch, FindsTheSatelliteAtItsOwnPosition)
{
    const IssView v = issView();
    ASSERT_GT(v.el, 10.0);
    const CliRun run = runCli(matchArgs(v, pair(v.az, v.el)) + " --max-dist 0.3 --window 1", "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n', run.out.find('\n') + 1) + 1),
              " Possible matches on TLE-file:\n " + kVisual + "\n");
    EXPECT_NE(run.out.find("\n \n NORAD#: 25544  Int.Launch#: 1998-067A    ISS (ZARYA)\n Incl.:  51.6320   Perigee: "),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\n Number of satellites checked: 149\n Number of possible matches  : "), std::string::npos);

    // The direction of motion: of four directions 90 degrees apart, one or two are within 45 degrees.
    int found = 0;
    for (const char* dir : {"0", "90", "180", "-90"}) {
        const CliRun d = runCli(matchArgs(v, pair(v.az, v.el)) + " --max-dist 0.3 --window 1 --direction " + dir);
        found += d.out.find("NORAD#: 25544") != std::string::npos;
    }
    EXPECT_GE(found, 1);
    EXPECT_LE(found, 2);

    // R.A./Dec. and the brightness filter, as JSON.
    const CliRun json = runCli(matchArgs(v, pair(v.ra, v.dec)) + " --radec --max-dist 0.3 --window 1 --bright --json");
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("{\"checked\": 149, \"more_possible\": false, \"matches\": [", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("{\"norad\": 25544, \"designator\": \"1998-067A\", \"name\": \"ISS (ZARYA)\""),
              std::string::npos);

    // Elsewhere in the sky: no match.
    const CliRun none = runCli(matchArgs(v, pair(std::fmod(v.az + 180.0, 360.0), v.el)) + " --max-dist 0.3 --window 0.5");
    EXPECT_NE(none.out.find(" *** No matches found on TLE file ***\n " + kVisual + "\n"), std::string::npos) << none.out;
}

TEST(CliMatch, RejectsBadArguments)
{
    const IssView v = issView();
    for (const std::string& bad :
         {std::string("--max-dist 1 --window 1"), pair(v.az, v.el) + " --window 1",
          pair(v.az, v.el) + " --max-dist 1", pair(v.az, v.el) + " --max-dist 181 --window 1",
          pair(v.az, v.el) + " --max-dist 1 --window -1", pair(v.az, v.el) + " --max-dist 1 --window 1 --direction x",
          std::string("12 --max-dist 1 --window 1"), std::string("1,2,3 --max-dist 1 --window 1"),
          std::string("a,b --max-dist 1 --window 1"), std::string("30,10 --radec --max-dist 1 --window 1"),
          pair(v.az, v.el) + " --max-dist 1 --window 1 --frobnicate 2"}) {
        const std::string args = "match --tle " + kVisual + " --start \"" + v.start + "\"" +
                                 (bad.rfind("--", 0) == 0 ? " " : " --center ") + bad;
        const CliRun run = runCli(args + " 2>/dev/null");
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_EQ(run.out, "") << bad;
    }
    const CliRun missing =
        runCli("match --tle /nonexistent/x.tle --center 10,20 --max-dist 1 --window 1 --start \"" + v.start + "\"");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, " *** Unable to open TLE file ***\n /nonexistent/x.tle\n Select a valid TLE file first.\n");
}
