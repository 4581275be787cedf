#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "astro/frames.h"
#include "core/dateframe.h"
#include "core/defaults.h"
#include "core/passes.h"
#include "core/satstate.h"
#include "core/textpage.h"
#include "core/tlefile.h"
#include "cli_run.h"
#include "iss_settings.h"
#include "scoped_env.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
constexpr double kRe = 6378.137;
constexpr double kSecond = 1.0 / 86400.0;
// Apparent radius of the Sun, degrees (0.00462516 rad).
constexpr double kSunRadius = 0.265;
const std::string kData = ORBIKA_DATA_DIR;
const std::string kSite = " --site 48.1,11.6,500";

// One event of the JSON output.
struct JsonEvent {
    double mjd, az, el, value;
    int norad;
    std::string utc, name, label;
};

std::vector<JsonEvent> parseEvents(const std::string& json)
{
    const std::regex object(
        R"re(\{"utc": "([^"]+)", "mjd": ([-0-9.e]+), "norad": (\d+), "name": "([^"]*)", "azimuth": ([-0-9.e]+), )re"
        R"re("elevation": ([-0-9.e]+), "value": ([-0-9.e]+), "label": "([^"]*)"\})re");
    std::vector<JsonEvent> events;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), object); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        events.push_back({std::stod(m[2]), std::stod(m[5]), std::stod(m[6]), std::stod(m[7]), std::stoi(m[3]), m[1],
                          m[4], m[8]});
    }
    return events;
}

// Runs orbika-cli in the temporary directory dir.
CliRun runIn(const ScopedTempDir& dir, const std::string& args)
{
    return runCli(args, "cd " + dir.path().string() + " &&");
}

// Settings of the command line defaults with the satellite satno of the TLE file in slot 0.
std::unique_ptr<WinpData> cliSettings(const std::string& tle, int satno)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->obslat = 48.1;
    in->obslon = 11.6;
    in->obshgt = 500.0;
    std::FILE* f = std::fopen(tle.c_str(), "r");
    EXPECT_NE(f, nullptr);
    std::vector<char> text(kTleTextBytes);
    in->srchmode = 1;
    in->satno[kWorkSlot] = satno;
    EXPECT_EQ(tleread(in.get(), f, text.data(), 0), 1) << satno;
    in->srchmode = 0;
    std::fclose(f);
    ShiftElm(in.get(), 0, kWorkSlot);
    in->nsat = 1;
    return in;
}
}  // namespace

TEST(CliEvents, SunTransitsOfTheIssLineUpWithTheSun)
{
    // Sun transits of the ISS within 100 km of the site over 30 days: from the centre-line point
    // at the listed instant the ISS stands in front of the Sun's disc.
    ScopedTempDir dir;
    std::vector<JsonEvent> events;
    for (const auto& [start, days] : {std::pair<const char*, int>{"2026-03-10", 14}, {"2026-03-24", 14}, {"2026-04-07", 2}}) {
        const CliRun run = runIn(dir, "transits --tle " + kData + "/tle/visual.txt --norad 25544 --body sun" + kSite +
                                          " --start \"" + start + " 00:00:00\" --days " + std::to_string(days) +
                                          " --max-dist 100 --json");
        ASSERT_EQ(run.status, 0);
        for (const JsonEvent& e : parseEvents(run.out)) events.push_back(e);
    }
    ASSERT_GE(events.size(), 4u);
    auto in = cliSettings(kData + "/tle/visual.txt", 25544);
    auto sp = std::make_unique<SatPosData>();
    int checked = 0;
    for (const JsonEvent& e : events) {
        EXPECT_EQ(e.name, "ISS (ZARYA)");
        EXPECT_LE(e.value, 100.0);
        in->occmode = 1;
        GetSatPos(e.mjd, in.get(), sp.get(), 0, 0);
        ASSERT_LT(sp->ctrlat[0], kNoCentreLine) << e.utc;
        EXPECT_NEAR(e.az, sp->azim[0], 1e-6);
        const DateFrame f = MakeDateFrame(in.get(), e.mjd);
        const Vec3 p = GeoPos(f.trot, f.eqeq, sp->ctrlat[0] * kDeg, sp->ctrlon[0] * kDeg, in->obshgt) * kRe;
        const Vec3 toIss = vnorm(sp->vec1 - p), toSun = vnorm(SunOfDate(f) * kRe - p);
        // Low Suns are left out: there the centre line allows for refraction.
        if (std::asin(dot(toSun, vnorm(p))) < 16.0 * kDeg) continue;
        ++checked;
        EXPECT_LT(std::acos(std::min(1.0, dot(toIss, toSun))) / kDeg, kSunRadius) << e.utc;
    }
    EXPECT_GE(checked, 3);

    // The page lists the same transits with their remarks; the default zone rule keeps only
    // those whose zone covers the site.
    const std::string opts = "transits --tle " + kData + "/tle/visual.txt --norad 25544 --body sun" + kSite +
                             " --start \"2026-03-10 00:00:00\" --days 14";
    const CliRun page = runIn(dir, opts + " --max-dist 100");
    EXPECT_NE(page.out.find(" >>> Sun Transit\n"), std::string::npos);
    EXPECT_NE(page.out.find("     Event Time (Azim.,Elev.)   Distance\n"), std::string::npos);
    for (const JsonEvent& e : events) {
        if (e.mjd < 61123.0) {
            EXPECT_NE(page.out.find(e.label), std::string::npos) << e.label;
        }
    }
    for (const JsonEvent& e : parseEvents(runIn(dir, opts + " --max-dist 0 --json").out))
        EXPECT_GE(std::atof(e.label.c_str()), e.value) << e.label;
}

TEST(CliEvents, IridiumFlaresFallInPassesWithinTheMagnitudeRange)
{
    ScopedTempDir dir;
    const std::string tle = kData + "/tle/IRIDIUM.TXT";
    const std::string opts = "flares --tle " + tle + kSite + " --start \"2014-06-21 00:00:00\" --days 2";
    const CliRun run = runIn(dir, opts + " --json");
    ASSERT_EQ(run.status, 0);
    const std::vector<JsonEvent> events = parseEvents(run.out);
    ASSERT_GE(events.size(), 4u);
    for (const JsonEvent& e : events) {
        auto in = cliSettings(tle, e.norad);
        auto sp = std::make_unique<SatPosData>();
        // The flare happens during a visible pass of the same satellite.
        bool inside = false;
        for (const PassEvent& p : FindPasses(in.get(), 0, 56829.0, 56831.0, sp.get()))
            inside = inside || (e.mjd >= p.tm[0] - kSecond && e.mjd <= p.tm[2] + kSecond);
        EXPECT_TRUE(inside) << e.name << " " << e.utc;
        // No brighter than a flare in the centre, fully lit, at the orbit's lowest height; no
        // fainter than the listed limit.
        const double lowest = in->elsma[0] * (1.0 - in->elecc[0]) - kRe - in->obshgt / 1000.0;
        EXPECT_GE(e.value, 5.0 * std::log10(lowest) - 14.4 - 8.9) << e.name;
        EXPECT_LE(e.value, 1.0) << e.name;
        EXPECT_GE(e.el, 10.0);
        EXPECT_TRUE(std::regex_match(e.label, std::regex("(Front|Left|Right) +->[NS]"))) << e.label;
    }
    // The flare page lists them with their times, mirrors and satellites.
    const CliRun page = runIn(dir, opts);
    ASSERT_EQ(page.status, 0);
    EXPECT_EQ(page.out.rfind(" \n *** Iridium Flares *** \n \n Year: 2014  +++ Timezone: 0 +++\n", 0), 0u);
    for (const JsonEvent& e : events) {
        char cell[kAosTextBytes];
        aosstr(e.mjd, e.az, e.el, cell, 0);
        EXPECT_NE(page.out.find(std::string(cell) + "   " + e.label.substr(0, 7)), std::string::npos) << cell;
        EXPECT_NE(page.out.find(e.name), std::string::npos);
    }
    // Solar panel flares come on top of the antenna flares.
    const std::vector<JsonEvent> panels = parseEvents(runIn(dir, opts + " --panels --min-mag 4 --json").out);
    const std::vector<JsonEvent> antennas = parseEvents(runIn(dir, opts + " --min-mag 4 --json").out);
    size_t solar = 0;
    for (const JsonEvent& e : panels) solar += e.label.rfind("Solar", 0) == 0;
    EXPECT_GT(solar, 0u);
    EXPECT_EQ(panels.size(), antennas.size() + solar);
    EXPECT_FALSE(std::ifstream(dir.path() / "satird.tmp").good());
}

TEST(CliEvents, BadInput)
{
    ScopedTempDir dir;
    const std::string iridium = "flares --tle " + kData + "/tle/IRIDIUM.TXT" + kSite + " --start \"2014-06-21 00:00:00\"";
    // A magnitude limit above 29 is refused.
    CliRun run = runIn(dir, iridium + " --min-mag 29.5 2>&1");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("--min-mag above 29 is refused"), std::string::npos) << run.out;
    EXPECT_EQ(runIn(dir, iridium + " --min-mag nine").status, 2);
    // A missing element file gives the titles only.
    run = runIn(dir, "flares --tle missing/IRIDIUM.TXT" + kSite + " --start \"2014-06-21 00:00:00\"");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, " \n *** Iridium Flares *** \n \n Year: 2014  +++ Timezone: 0 +++\n");
    EXPECT_EQ(runIn(dir, "flares --tle missing/IRIDIUM.TXT --json").out, "[]\n");
    // Occultations need a distance; unknown bodies and missing targets are refused.
    const std::string iss = "transits --tle " + kData + "/tle/visual.txt --norad 25544" + kSite;
    run = runIn(dir, iss + " --body star --ra 6.4509 --dec -16.4258 --max-dist 0");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, " *** Need distance > 0 for occultations or flares ***\n *** except for Sun or Moon Transits ***\n");
    EXPECT_EQ(runIn(dir, iss + " --body jupiter").status, 2);
    EXPECT_EQ(runIn(dir, iss + " --body star --ra 6.45").status, 2);
    EXPECT_EQ(runIn(dir, iss + " --body sun --max-dist -5").status, 2);
    EXPECT_EQ(runIn(dir, iss).status, 2);
    EXPECT_EQ(runIn(dir, "transits --tle " + kData + "/tle/visual.txt --body sun").status, 2);
}
