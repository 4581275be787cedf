#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "astro/timescales.h"
#include "cli_run.h"
#include "core/config.h"
#include "core/passpage.h"
#include "core/satstate.h"
#include "pass_reference.h"

namespace {
// Options of the reference computation at site A or B with the reference TLE file "ref.tle".
std::string referenceOptions(char site)
{
    auto in = referenceSettings(site);
    char opts[256];
    std::snprintf(opts, sizeof opts,
                  "--tle ref.tle --site %g,%g,%g --start \"2026-02-22 00:00:00\" --days 3 --min-elev 10 --max-sun 90 "
                  "--visible-only 0",
                  in->obslat, in->obslon, in->obshgt);
    return opts;
}

// Runs orbika-cli in the current directory after writing the reference TLE file there.
CliRun runHere(const std::string& args, const std::string& env = "")
{
    std::ofstream("ref.tle") << referenceTle(kIss) << referenceTle(kHst) << referenceTle(kTitan);
    return runCli(args, env);
}

// MJD of an ISO time "YYYY-MM-DDTHH:MM:SS.sssZ".
double isoMjd(const std::string& iso)
{
    int y, mo, d, h, mi;
    double s;
    EXPECT_EQ(std::sscanf(iso.c_str(), "%d-%d-%dT%d:%d:%lfZ", &y, &mo, &d, &h, &mi, &s), 6) << iso;
    return mjd(d, mo, y, h + mi / 60.0 + s / 3600.0);
}
}  // namespace

TEST(CliPasses, PassListIsThePageOfTheProgram)
{
    ScopedTempDir tmp;
    const CliRun run = runHere("passes " + referenceOptions('A') + " --sat iss");
    ASSERT_EQ(run.status, 0);
    std::string page;
    for (const std::string& line : passPage(referenceSelection('A', kIss).get(), stateRecord().get())) page += line + "\n";
    EXPECT_EQ(run.out, page);
    // Decimal-comma locales and time zones: points, and the times of the zone.
    const CliRun de = runHere("passes " + referenceOptions('A') + " --sat iss --tz 5.5", "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(de.status, 0);
    EXPECT_EQ(splitLines(de.out)[6], " Year: 2026  +++ Timezone: 5.5 +++");
    EXPECT_NE(de.out.find("\n.FEB 22   7:50:1"), std::string::npos) << de.out;  // 02:20:10.3 UT
    // Without --site, the site of orbika.cfg in the current directory.
    auto cfg = referenceSettings('B');
    std::snprintf(cfg->locname, sizeof cfg->locname, "Cape");
    ASSERT_TRUE(putcfg(cfg.get()));
    const std::vector<std::string> lines = splitLines(runHere("passes --tle ref.tle --sat iss --days 1").out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], " Geographic Location: Cape");
    EXPECT_EQ(lines[1], " Lat.: -33.9   Long.: 18.4   Height: 0");
}

TEST(CliPasses, JsonPassesAndStateColumns)
{
    ScopedTempDir tmp;
    const CliRun run = runHere("passes " + referenceOptions('B') + " --norad 26474 --json");
    ASSERT_EQ(run.status, 0);
    const std::regex event(R"re("(start|maximum|end)": \{"utc": "([^"]+)", "mjd": ([-0-9.e]+), "azimuth": [-0-9.e]+, "elevation": ([-0-9.e]+)\})re");
    const std::vector<std::smatch> events(std::sregex_iterator(run.out.begin(), run.out.end(), event),
                                          std::sregex_iterator());
    const std::vector<RefRow> ref = referenceRows("PASS", kTitan, 'B');
    ASSERT_EQ(events.size(), 3 * ref.size());
    for (const std::smatch& e : events) EXPECT_NEAR(isoMjd(e[2]), std::stod(e[3]), 0.0006 * kSecond) << e[0];
    EXPECT_NEAR(std::stod(events[0][3]), ref[0].rise, kSecond);
    EXPECT_NEAR(std::stod(events[1][4]), ref[0].culmEl, 0.01);
    EXPECT_NEAR(std::stod(events[2][3]), ref[0].set, kSecond);
    // One reference look angle through `state`: "2026-02-22T02:24:59.4Z" as "2026-02-22 02:24:59.4".
    const RefRow l = referenceRows("LOOK", kIss, 'A')[1];
    const std::string at = l.utc.substr(0, 10) + " " + l.utc.substr(11, l.utc.size() - 12);
    const CliRun state = runHere("state " + referenceOptions('A') + " --norad 25544 --at \"" + at + "\"");
    ASSERT_EQ(state.status, 0);
    std::vector<std::string> lines = splitLines(state.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "# utc mjd name lat lon height_km azim elev range_km rrate_kms ra dec sunlit sunelev mag");
    double t, az, el, range, rrate;
    ASSERT_EQ(std::sscanf(lines[1].c_str(), "%*s %lf %*s %*f %*f %*f %lf %lf %lf %lf", &t, &az, &el, &range, &rrate), 5);
    EXPECT_NEAR(isoMjd(lines[1]), l.rise, 1e-9);
    EXPECT_NEAR(t, l.rise, 1e-8);
    EXPECT_NEAR(az, l.az, 0.002);
    EXPECT_NEAR(el, l.el, 0.002);
    EXPECT_NEAR(range, l.range, 0.005);
    EXPECT_NEAR(rrate, l.rrate, 0.001);
    // Two satellites at three instants a minute apart, blanks of names as '_'; JSON by column names.
    lines = splitLines(
        runHere("state " + referenceOptions('A') + " --sat ISS --sat hst --at \"2026-02-22 02:20:00\" --count 3 --step 60").out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1].rfind("2026-02-22T02:20:00.000Z 61093.09722222 ISS_(ZARYA) ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[6].rfind("2026-02-22T02:22:00.000Z 61093.09861111 HST ", 0), 0u) << lines[6];
    const std::string json = runHere("state " + referenceOptions('A') + " --sat iss --at \"2026-02-22 02:20:00\" --json").out;
    EXPECT_EQ(json.rfind("[\n  {\"utc\": \"2026-02-22T02:20:00.000Z\", \"mjd\": 61093.097222222", 0), 0u) << json;
    EXPECT_NE(json.find("\"name\": \"ISS (ZARYA)\", \"lat\": "), std::string::npos) << json;
}

TEST(CliPasses, TrackAndAllPasses)
{
    ScopedTempDir tmp;
    // Local time two hours east: the start is local time, 22:00 UT the day before.
    const std::string track = "track " + referenceOptions('A') + " --tz 2 --sat iss --days 1 --step 60";
    const CliRun run = runHere(track);
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> lines = splitLines(run.out);
    ASSERT_EQ(lines.size(), 4u + 1440);
    EXPECT_EQ(lines[1], " Year: 2026  +++> Timezone 2 <+++");
    EXPECT_EQ(lines.back().substr(0, 16), "FEB 22  23:59:00");
    auto in = referenceSelection('A', kIss);
    auto sp = stateRecord();
    GetSatPos(kRefWindowStart - 2.0 / 24.0, in.get(), sp.get(), 0, 0);
    char first[80];
    std::snprintf(first, sizeof first, "FEB 22   0:00:00    %10.5f  %10.5f  %12.3f", sp->lon[0], sp->lat[0],
                  sp->height[0]);
    EXPECT_EQ(lines[4], first);
    EXPECT_EQ(runHere(track, "LC_ALL=de_DE.UTF-8").out, run.out);
    const CliRun all = runHere("allpasses " + referenceOptions('A') + " --out all.txt");
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(all.out, readFile("all.txt"));
    ASSERT_EQ(runHere("allpasses " + referenceOptions('B') + " --days 1").status, 0);
    EXPECT_NE(readFile("satsave.txt").find("   ISS (ZARYA)\n"), std::string::npos);
}

TEST(CliPasses, UnknownSatellitesBadOptionsAndFiles)
{
    ScopedTempDir tmp;
    const std::string opts = referenceOptions('A');
    CliRun run = runHere("passes " + opts + " --sat iss --sat NOSUCH 2>&1");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("no match found for NOSUCH"), std::string::npos) << run.out;
    EXPECT_EQ(runHere("state " + opts + " --norad 99999 --at \"2026-02-22 00:00:00\" 2>/dev/null").status, 1);
    const std::string iss = "passes " + opts + " --sat iss", at = " --sat iss --at \"2026-02-22 00:00:00\"";
    for (const std::string& args : std::vector<std::string>{
             iss + " --frobnicate", "passes " + opts, iss + " --site 48,11", iss + " --site 95,11,0",
             iss + " --start \"2026-02-30 00:00:00\"", iss + " --start 2026-02-22", iss + " --days -1",
             iss + " --visible-only 2", iss + " --tz 1,5", "passes " + opts + " --norad 12.5",
             "passes " + opts + " --sat", "passes --tle missing.tle --sat iss", iss + " --tle .",
             "state " + opts + " --sat iss", "state " + opts + at + " --count 0", "state " + opts + at + " --size -1",
             "track " + opts + " --sat iss --step 0", "allpasses --tle missing.tle",
             "allpasses " + opts + " --out no/dir/x.txt", "allpasses " + opts + " --threads 0",
             "allpasses " + opts + " --threads 1.5"}) {
        run = runHere(args + " 2>&1");
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(splitLines(run.out).size(), 1u) << args << "\n" << run.out;
    }
    EXPECT_NE(runHere("allpasses --tle . 2>&1").out.find("TLE file . is a directory"), std::string::npos);
    // The international designator finds the satellite too.
    EXPECT_EQ(runHere("state " + opts + " --designator 1998-067A --at \"2026-02-22 00:00:00\"").out,
              runHere("state " + opts + " --norad 25544 --at \"2026-02-22 00:00:00\"").out);
}

TEST(CliPasses, StateMagnitudesEclipsesAndDecayedSatellites)
{
    ScopedTempDir tmp;
    // The ISS in shadow at 02:23 shows "ecl.", sunlit at 05:37 a magnitude; without --size none.
    const std::string iss = "state " + referenceOptions('A') + " --sat iss --at \"2026-02-22 ";
    const auto magColumn = [&](const char* at, const std::string& more) {
        const std::vector<std::string> rows = splitLines(runHere(iss + at + "\"" + more).out);
        return rows.size() == 2 ? rows[1].substr(rows[1].rfind(' ') + 1) : "";
    };
    EXPECT_EQ(magColumn("02:23:27", " --size 20"), "ecl.");
    const std::string lit = magColumn("05:37:30", " --size 20");
    ASSERT_FALSE(lit.empty());
    EXPECT_TRUE(std::stod(lit) > -6.0 && std::stod(lit) < 8.0) << lit;
    EXPECT_EQ(runHere(iss + "05:37:30\" --json").out.find("\"mag\": -"), std::string::npos);
    // A decayed satellite: the word, JSON null and an error; status 3 when no satellite has a state.
    std::ofstream("decay.tle") << referenceTle(kIss)
                               << "LOW\n1 99002U 26001B   26040.00000000  .05000000  00000-0  50000-1 0  9992\n"
                                  "2 99002  51.6000 100.0000 0005000 100.0000 260.0000 16.30000000   100\n";
    const std::string decay = "state --tle decay.tle --site 48.1,11.6,500 --at \"2026-02-22 00:00:00\"";
    CliRun run = runCli(decay + " --sat LOW");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(splitLines(run.out).at(1), "2026-02-22T00:00:00.000Z 61093.00000000 LOW decayed");
    run = runCli(decay + " --sat LOW --sat iss --json");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"name\": \"LOW\", \"lat\": null,"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"mag\": null, \"error\": \"decayed\"}"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("nan"), std::string::npos) << run.out;
}
