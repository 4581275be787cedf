#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "astro/timescales.h"
#include "cli_run.h"
#include "core/config.h"
#include "core/illumination.h"
#include "core/passpage.h"
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

// Runs orbika-cli in the current directory, which holds the reference TLE file.
CliRun runHere(const std::string& args, const std::string& env = "")
{
    std::ofstream("ref.tle") << referenceTle(kIss) << referenceTle(kHst) << referenceTle(kTitan);
    char* cwd = getcwd(nullptr, 0);
    const std::string dir = cwd ? cwd : ".";
    std::free(cwd);
    return runCli(args, "cd " + dir + " && " + env);
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
    auto in = referenceSettings('A');
    selectReference(in.get(), 0, kIss);
    auto out = std::make_unique<WoutData>();
    auto sp = stateRecord();
    aospass(in.get(), out.get(), sp.get());
    std::string page;
    for (const std::string& line : pageLines(out.get())) page += line + "\n";
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

TEST(CliPasses, JsonPassesAndStatesMatchTheReference)
{
    ScopedTempDir tmp;
    const CliRun run = runHere("passes " + referenceOptions('B') + " --norad 26474 --json");
    ASSERT_EQ(run.status, 0);
    const std::regex event(R"re("(start|maximum|end)": \{"utc": "([^"]+)", "mjd": ([-0-9.e]+), "azimuth": [-0-9.e]+, "elevation": ([-0-9.e]+)\})re");
    std::vector<double> values;  // per pass: start, maximum, its elevation, end
    for (auto it = std::sregex_iterator(run.out.begin(), run.out.end(), event); it != std::sregex_iterator(); ++it) {
        EXPECT_NEAR(isoMjd((*it)[2]), std::stod((*it)[3]), 0.0006 * kSecond);
        values.push_back(std::stod((*it)[3]));
        if ((*it)[1] == "maximum") values.push_back(std::stod((*it)[4]));
    }
    const std::vector<RefRow> ref = referenceRows("PASS", kTitan, 'B');
    ASSERT_EQ(values.size(), 4 * ref.size());
    for (size_t k = 0; k < ref.size(); ++k) {
        EXPECT_NEAR(values[4 * k], ref[k].rise, kSecond);
        EXPECT_NEAR(values[4 * k + 1], ref[k].culm, 2 * kSecond);
        EXPECT_NEAR(values[4 * k + 2], ref[k].culmEl, 0.01);
        EXPECT_NEAR(values[4 * k + 3], ref[k].set, kSecond);
    }

    for (const RefRow& l : referenceRows("LOOK")) {
        // "2026-02-22T02:23:27.6Z" as "2026-02-22 02:23:27.6".
        const std::string at = l.utc.substr(0, 10) + " " + l.utc.substr(11, l.utc.size() - 12);
        const CliRun state = runHere("state " + referenceOptions(l.site) + " --norad " + std::to_string(l.satno)
                                     + " --at \"" + at + "\"");
        ASSERT_EQ(state.status, 0);
        const std::vector<std::string> lines = splitLines(state.out);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "# utc mjd name lat lon height_km azim elev range_km rrate_kms ra dec sunlit sunelev mag");
        std::istringstream row(lines[1]);
        std::string utc, name;
        double t, lat, lon, height, az, el, range, rrate;
        ASSERT_TRUE(row >> utc >> t >> name >> lat >> lon >> height >> az >> el >> range >> rrate);
        EXPECT_NEAR(isoMjd(utc), l.rise, 1e-9) << l.utc;
        EXPECT_NEAR(az, l.az, 0.002) << l.utc;
        EXPECT_NEAR(el, l.el, 0.002) << l.utc;
        EXPECT_NEAR(range, l.range, 0.005) << l.utc;
        EXPECT_NEAR(rrate, l.rrate, 0.001) << l.utc;
    }

    // Two satellites at three instants a minute apart, blanks of names as '_'; JSON by column names.
    const std::vector<std::string> lines = splitLines(
        runHere("state " + referenceOptions('A') + " --sat ISS --sat hst --at \"2026-02-22 02:20:00\" --count 3 --step 60").out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1].rfind("2026-02-22T02:20:00.000Z 61093.09722222 ISS_(ZARYA) ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[6].rfind("2026-02-22T02:22:00.000Z 61093.09861111 HST ", 0), 0u) << lines[6];
    const std::string json = runHere("state " + referenceOptions('A') + " --sat iss --at \"2026-02-22 02:20:00\" --json").out;
    EXPECT_EQ(json.rfind("[\n  {\"utc\": \"2026-02-22T02:20:00.000Z\", \"mjd\": 61093.097222222", 0), 0u) << json;
    EXPECT_NE(json.find("\"name\": \"ISS (ZARYA)\", \"lat\": "), std::string::npos) << json;
    EXPECT_NE(json.find("\"sunlit\": "), std::string::npos) << json;
}

TEST(CliPasses, TrackAndAllPasses)
{
    ScopedTempDir tmp;
    const CliRun track = runHere("track " + referenceOptions('A') + " --sat iss --days 1 --step 60");
    ASSERT_EQ(track.status, 0);
    const std::vector<std::string> lines = splitLines(track.out);
    ASSERT_EQ(lines.size(), 4u + 1440);
    EXPECT_EQ(lines[4].substr(0, 16), "FEB 22   0:00:00");
    EXPECT_EQ(lines.back().substr(0, 16), "FEB 22  23:59:00");
    EXPECT_EQ(runHere("track " + referenceOptions('A') + " --sat iss --days 1 --step 60", "LC_ALL=de_DE.UTF-8").out,
              track.out);

    const CliRun all = runHere("allpasses " + referenceOptions('A') + " --out all.txt");
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(all.out, readFile("all.txt"));
    EXPECT_EQ(splitLines(all.out).size(), 6u + 28 + 6);
    EXPECT_FALSE(std::ifstream("all.txt.tmp").good());
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

    for (const std::string& args : std::vector<std::string>{
             "passes " + opts + " --sat iss --frobnicate 2>&1", "passes " + opts + " 2>&1",
             "passes " + opts + " --sat iss --site 48,11 2>&1", "passes " + opts + " --sat iss --site 95,11,0 2>&1",
             "passes " + opts + " --sat iss --start \"2026-02-30 00:00:00\" 2>&1",
             "passes " + opts + " --sat iss --start 2026-02-22 2>&1", "passes " + opts + " --sat iss --days -1 2>&1",
             "passes " + opts + " --sat iss --visible-only 2 2>&1", "passes " + opts + " --sat iss --tz 1,5 2>&1",
             "passes " + opts + " --norad 12.5 2>&1", "passes " + opts + " --sat 2>&1",
             "passes --tle missing.tle --sat iss 2>&1", "state " + opts + " --sat iss 2>&1",
             "state " + opts + " --sat iss --at \"2026-02-22 00:00:00\" --count 0 2>&1",
             "track " + opts + " --sat iss --step 0 2>&1", "allpasses --tle missing.tle 2>&1",
             "allpasses " + opts + " --out no/dir/x.txt 2>&1", "allpasses " + opts + " --threads 0 2>&1",
             "allpasses " + opts + " --threads 1.5 2>&1", "passes " + opts + " --tle . --sat iss 2>&1",
             "state " + opts + " --sat iss --at \"2026-02-22 00:00:00\" --size -1 2>&1"}) {
        run = runHere(args);
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
    // A worked case of the magnitude formula: 1000 km away, 10 m, the Sun at 90 degrees from the
    // observer seen from the satellite (k = 0.5): -26.74 + 25 + 0.753 + 0.74 = -0.247.
    EXPECT_NEAR(SatMagnitude(Vec3(2, 0, 0), Vec3(1, 0, 0), Vec3(2, 1e4, 0), -26.74, 1000.0, 10.0, 0.0), -0.247, 1e-3);

    // ISS rows of two passes, a minute apart: sunlit rows carry a plausible magnitude, rows in the
    // Earth's shadow "ecl."; without --size no row has one.
    int lit = 0, dark = 0;
    for (const char* start : {"02:20:30", "05:34:30"}) {
        const std::string at = std::string(" --sat iss --at \"2026-02-22 ") + start + "\" --count 6 --step 60";
        for (const std::string& row : splitLines(runHere("state " + referenceOptions('A') + at + " --size 20").out)) {
            if (row[0] == '#') continue;
            std::istringstream s(row);
            std::string utc, name, mag;
            double t, v[11];
            ASSERT_TRUE(s >> utc >> t >> name);
            for (double& x : v) s >> x;
            s >> mag;
            if (v[9] < 0.0) {
                EXPECT_EQ(mag, "ecl.") << row;
                ++dark;
            } else {
                EXPECT_TRUE(std::stod(mag) > -6.0 && std::stod(mag) < 8.0) << row;
                ++lit;
            }
        }
        EXPECT_EQ(runHere("state " + referenceOptions('A') + at + " --json").out.find("\"mag\": -"), std::string::npos);
    }
    EXPECT_GT(lit, 0);
    EXPECT_GT(dark, 0);

    // A satellite that has come down: no state but the word, JSON null and an error; the status
    // says so when no other satellite has a state.
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
