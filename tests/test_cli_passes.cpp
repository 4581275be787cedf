#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "astro/timescales.h"
#include "cli_run.h"
#include "core/config.h"
#include "core/passes.h"
#include "pass_reference.h"

namespace {
constexpr double kSecond = 1.0 / 86400.0;

// A temporary directory holding a TLE file of the three reference satellites.
class CliDir {
public:
    CliDir()
    {
        char pattern[] = "/tmp/orbika_cli_passes_XXXXXX";
        dir_ = mkdtemp(pattern);
        std::ofstream f(tle());
        for (const int satno : {kIss, kHst, kTitan}) {
            const std::vector<std::string> lines = referenceLines();
            char key[8];
            std::snprintf(key, sizeof key, "1 %05d", satno);
            for (size_t k = 0; k + 1 < lines.size(); ++k)
                if (lines[k][0] == '#' && lines[k].find(key) != std::string::npos)
                    f << std::left << std::setw(24) << referenceName(satno) << "\n" << lines[k].substr(6) << "\n" << lines[k + 1].substr(6) << "\n";
        }
    }
    ~CliDir() { std::system(("rm -rf " + dir_).c_str()); }
    std::string tle() const { return dir_ + "/ref.tle"; }
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
};

// Options of the reference computation at site A or B.
std::string referenceOptions(const CliDir& d, char site)
{
    const RefSite s = referenceSite(site);
    char opts[256];
    std::snprintf(opts, sizeof opts,
                  "--tle %s --site %g,%g,%g --start \"2026-02-22 00:00:00\" --days 3 --min-elev 10 --max-sun 90 "
                  "--visible-only 0",
                  d.tle().c_str(), s.lat, s.lon, s.height);
    return opts;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);) lines.push_back(line);
    return lines;
}

// MJD of an ISO time "YYYY-MM-DDTHH:MM:SS.sssZ" (any number of decimals).
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
    CliDir d;
    const CliRun run = runCli("passes " + referenceOptions(d, 'A') + " --sat iss");
    ASSERT_EQ(run.status, 0);
    auto in = referenceSettings('A');
    selectReference(in.get(), 0, kIss);
    auto out = std::make_unique<WoutData>();
    auto sp = stateRecord();
    aospass(in.get(), out.get(), sp.get());
    const std::vector<std::string> lines = splitLines(run.out);
    ASSERT_EQ(static_cast<int>(lines.size()), out->nlines);
    for (int k = 0; k < out->nlines; ++k) EXPECT_EQ(lines[k], std::string(out->lines[k], strnlen(out->lines[k], kTagByte)));

    // Decimal-comma locales and time zones: points, and times in the zone.
    const CliRun de = runCli("passes " + referenceOptions(d, 'A') + " --sat iss --tz 5.5", "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(de.status, 0);
    const std::vector<std::string> local = splitLines(de.out);
    EXPECT_EQ(local[1], " Lat.: 48.1   Long.: 11.6   Height: 500");
    EXPECT_EQ(local[6], " Year: 2026  +++ Timezone: 5.5 +++");
    // The first reference pass, 02:20:10.3 UT, lists 5.5 h later.
    EXPECT_NE(de.out.find("\n.FEB 22   7:50:1"), std::string::npos) << de.out;

    // The site of orbika.cfg in the current directory when no --site is given.
    auto cfg = referenceSettings('B');
    std::snprintf(cfg->locname, sizeof cfg->locname, "Cape");
    ASSERT_TRUE(putcfg(cfg.get(), (d.dir() + "/orbika.cfg").c_str()));
    const CliRun fromCfg = runCli("passes --tle " + d.tle() + " --sat iss --start \"2026-02-22 00:00:00\" --days 3", "cd " + d.dir() + " &&");
    ASSERT_EQ(fromCfg.status, 0);
    EXPECT_EQ(splitLines(fromCfg.out)[0], " Geographic Location: Cape");
    EXPECT_EQ(splitLines(fromCfg.out)[1], " Lat.: -33.9   Long.: 18.4   Height: 0");
}

TEST(CliPasses, JsonPassesMatchTheReference)
{
    CliDir d;
    for (const char site : {'A', 'B'}) {
        const CliRun run = runCli("passes " + referenceOptions(d, site) + " --norad 26474 --json");
        ASSERT_EQ(run.status, 0);
        const std::regex event(
            R"re("(start|maximum|end)": \{"utc": "([^"]+)", "mjd": ([-0-9.e]+), "azimuth": ([-0-9.e]+), "elevation": ([-0-9.e]+)\})re");
        std::vector<std::vector<double>> passes;
        for (auto it = std::sregex_iterator(run.out.begin(), run.out.end(), event); it != std::sregex_iterator(); ++it) {
            const std::smatch& m = *it;
            if (m[1] == "start") passes.emplace_back();
            const double t = std::stod(m[3]);
            EXPECT_NEAR(isoMjd(m[2]), t, 0.0006 * kSecond);
            passes.back().push_back(t);
            passes.back().push_back(std::stod(m[5]));
        }
        size_t expected = 0;
        for (const RefPass& r : referencePasses()) {
            if (r.satno != kTitan || r.site != site) continue;
            ASSERT_LT(expected, passes.size());
            const std::vector<double>& p = passes[expected++];
            ASSERT_EQ(p.size(), 6u);
            EXPECT_NEAR(p[0], r.rise, kSecond);
            EXPECT_NEAR(p[2], r.culm, 2 * kSecond);
            EXPECT_NEAR(p[3], r.culmEl, 0.01);
            EXPECT_NEAR(p[4], r.set, kSecond);
        }
        EXPECT_EQ(passes.size(), expected);
    }
}

TEST(CliPasses, StateMatchesTheReferenceLookAngles)
{
    CliDir d;
    for (const RefLook& l : referenceLooks()) {
        SCOPED_TRACE(l.utc);
        // "2026-02-22T02:23:27.6Z" as "2026-02-22 02:23:27.600".
        const std::string at = l.utc.substr(0, 10) + " " + l.utc.substr(11, l.utc.size() - 12);
        const CliRun run =
            runCli("state " + referenceOptions(d, l.site) + " --norad " + std::to_string(l.satno) + " --at \"" + at + "\"");
        ASSERT_EQ(run.status, 0);
        const std::vector<std::string> lines = splitLines(run.out);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "# utc mjd name lat lon height_km azim elev range_km rrate_kms ra dec sunlit sunelev mag");
        std::istringstream row(lines[1]);
        std::string utc, name;
        double t, lat, lon, height, az, el, range, rrate;
        ASSERT_TRUE(row >> utc >> t >> name >> lat >> lon >> height >> az >> el >> range >> rrate);
        EXPECT_NEAR(isoMjd(utc), l.mjd, 1e-9);
        EXPECT_NEAR(t, l.mjd, 1e-8);
        EXPECT_EQ(name.find(' '), std::string::npos);
        EXPECT_NEAR(az, l.az, 0.002);
        EXPECT_NEAR(el, l.el, 0.002);
        EXPECT_NEAR(range, l.range, 0.005);
        EXPECT_NEAR(rrate, l.rrate, 0.001);
    }

    // Two satellites over three instants a minute apart; JSON with the column names.
    const CliRun run = runCli("state " + referenceOptions(d, 'A')
                              + " --sat ISS --sat hst --at \"2026-02-22 02:20:00\" --count 3 --step 60");
    ASSERT_EQ(run.status, 0);
    const std::vector<std::string> lines = splitLines(run.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1].rfind("2026-02-22T02:20:00.000Z 61093.09722222 ISS_(ZARYA) ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("2026-02-22T02:20:00.000Z 61093.09722222 HST ", 0), 0u) << lines[2];
    EXPECT_EQ(lines[6].rfind("2026-02-22T02:22:00.000Z 61093.09861111 HST ", 0), 0u) << lines[6];
    const CliRun json = runCli("state " + referenceOptions(d, 'A') + " --sat iss --at \"2026-02-22 02:20:00\" --json");
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("[\n  {\"utc\": \"2026-02-22T02:20:00.000Z\", \"mjd\": 61093.097222222", 0), 0u) << json.out;
    for (const char* key : {"name\": \"ISS (ZARYA)\"", "\"lat\":", "\"lon\":", "\"height_km\":", "\"azim\":", "\"elev\":",
                            "\"range_km\":", "\"rrate_kms\":", "\"ra\":", "\"dec\":", "\"sunlit\":", "\"sunelev\":", "\"mag\": 99.00}"})
        EXPECT_NE(json.out.find(key), std::string::npos) << key;
}

TEST(CliPasses, TrackAndAllPasses)
{
    CliDir d;
    const CliRun track = runCli("track " + referenceOptions(d, 'A') + " --sat iss --days 1 --step 60");
    ASSERT_EQ(track.status, 0);
    const std::vector<std::string> lines = splitLines(track.out);
    ASSERT_EQ(lines.size(), 4u + 1440);
    EXPECT_EQ(lines[1], " Year: 2026  +++> Timezone 0 <+++");
    EXPECT_EQ(lines[4].substr(0, 16), "FEB 22   0:00:00");
    EXPECT_EQ(lines.back().substr(0, 16), "FEB 22  23:59:00");
    EXPECT_EQ(runCli("track " + referenceOptions(d, 'A') + " --sat iss --days 1 --step 60", "LC_ALL=de_DE.UTF-8").out, track.out);

    const CliRun all = runCli("allpasses " + referenceOptions(d, 'A') + " --out all.txt", "cd " + d.dir() + " &&");
    ASSERT_EQ(all.status, 0);
    std::ifstream f(d.dir() + "/all.txt");
    std::stringstream saved;
    saved << f.rdbuf();
    EXPECT_EQ(all.out, saved.str());
    const std::vector<std::string> out = splitLines(all.out);
    int iss = 0, titan = 0;
    for (const std::string& line : out) {
        iss += line.rfind("FEB", 0) == 0 && line.find("   ISS (ZARYA)") != std::string::npos;
        titan += line.rfind("FEB", 0) == 0 && line.find("   TITAN 4B R/B") != std::string::npos;
    }
    EXPECT_EQ(iss, 15);
    EXPECT_EQ(titan, 12);
    EXPECT_FALSE(std::ifstream(d.dir() + "/orbika.tmp").good());
    // The default save file is satsave.txt in the current directory.
    ASSERT_EQ(runCli("allpasses " + referenceOptions(d, 'B') + " --days 1", "cd " + d.dir() + " &&").status, 0);
    EXPECT_TRUE(std::ifstream(d.dir() + "/satsave.txt").good());
}

TEST(CliPasses, UnknownSatellitesBadOptionsAndFiles)
{
    CliDir d;
    const std::string opts = referenceOptions(d, 'A');
    CliRun run = runCli("passes " + opts + " --sat iss --sat NOSUCH 2>&1");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("no match found for NOSUCH"), std::string::npos) << run.out;
    EXPECT_EQ(runCli("state " + opts + " --norad 99999 --at \"2026-02-22 00:00:00\" 2>/dev/null").status, 1);

    const std::vector<std::string> bad = {
        "passes " + opts + " --sat iss --frobnicate 2>&1",
        "passes " + opts + " 2>&1",
        "passes " + opts + " --sat iss --site 48,11 2>&1",
        "passes " + opts + " --sat iss --site 95,11,0 2>&1",
        "passes " + opts + " --sat iss --start \"2026-02-30 00:00:00\" 2>&1",
        "passes " + opts + " --sat iss --start 2026-02-22 2>&1",
        "passes " + opts + " --sat iss --days -1 2>&1",
        "passes " + opts + " --sat iss --visible-only 2 2>&1",
        "passes " + opts + " --sat iss --tz 1,5 2>&1",
        "passes " + opts + " --norad 12.5 2>&1",
        "passes --tle " + d.dir() + "/missing.tle --sat iss 2>&1",
        "state " + opts + " --sat iss 2>&1",
        "state " + opts + " --sat iss --at \"2026-02-22 00:00:00\" --count 0 2>&1",
        "track " + opts + " --sat iss --step 0 2>&1",
        "allpasses --tle " + d.dir() + "/missing.tle --out " + d.dir() + "/x.txt 2>&1",
        "allpasses " + opts + " --out " + d.dir() + "/no/dir/x.txt 2>&1",
        "passes " + opts + " --sat 2>&1",
    };
    for (const std::string& args : bad) {
        run = runCli(args);
        EXPECT_EQ(run.status, 2) << args;
        // One line on standard error, nothing else.
        EXPECT_EQ(splitLines(run.out).size(), 1u) << args << "\n" << run.out;
    }
}
