#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "cli_run.h"
#include "core/satstate.h"
#include "core/textpage.h"
#include "scoped_env.h"
#include "test_site.h"
#include "test_text.h"

namespace {
const std::string kTle = std::string(ORBIKA_DATA_DIR) + "/tle/";
const std::string kSite = " --site 48.1,11.6,500";

// One event of the JSON output.
struct JsonEvent { double mjd, az, el, value; std::string utc, name, label; };

std::vector<JsonEvent> parseEvents(const std::string& json)
{
    const std::regex object(R"re(\{"utc": "([^"]+)", "mjd": ([-0-9.e]+), "norad": \d+, "name": "([^"]*)", )re"
                            R"re("azimuth": ([-0-9.e]+), "elevation": ([-0-9.e]+), "value": ([-0-9.e]+), "label": "([^"]*)"\})re");
    std::vector<JsonEvent> events;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), object); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        events.push_back({std::stod(m[2]), std::stod(m[4]), std::stod(m[5]), std::stod(m[6]), m[1], m[3], m[7]});
    }
    return events;
}
}  // namespace

TEST(CliEvents, SunTransitsOfTheIss)
{
    // Each listed transit is the ISS's, within the distance, at the azimuth of its state then.
    ScopedTempDir dir;
    const CliRun run = runCli("transits --tle " + kTle + "visual.txt --norad 25544 --body sun" + kSite +
                                      " --start \"2026-03-24 00:00:00\" --days 14 --max-dist 100 --json");
    ASSERT_EQ(run.status, 0);
    const std::vector<JsonEvent> events = parseEvents(run.out);
    ASSERT_GE(events.size(), 4u);
    auto in = IssSettings();
    in->refract = true;  // as the command line's defaults
    in->occmode = 1;
    auto sp = std::make_unique<SatPosData>();
    for (const JsonEvent& e : events) {
        EXPECT_EQ(e.name, "ISS (ZARYA)");
        EXPECT_LE(e.value, 100.0);
        GetSatPos(e.mjd, in.get(), sp.get(), 0, 0);
        EXPECT_LT(sp->ctrlat[0], kNoCentreLine) << e.utc;
        EXPECT_NEAR(e.az, sp->azim[0], 1e-6) << e.utc;
        EXPECT_NEAR(e.el, sp->elev[0], 1e-6) << e.utc;
    }
}

TEST(CliEvents, IridiumFlarePageAndJson)
{
    ScopedTempDir dir;
    const std::string flares = "flares --tle " + kTle + "IRIDIUM.TXT" + kSite + " --start \"2014-06-21 00:00:00\" --days 2";
    const std::vector<JsonEvent> events = parseEvents(runCli(flares + " --json").out);
    ASSERT_GE(events.size(), 4u);
    const CliRun page = runCli(flares);
    ASSERT_EQ(page.status, 0);
    EXPECT_EQ(page.out.rfind(" \n *** Iridium Flares *** \n \n Year: 2014  +++ Timezone: 0 +++\n", 0), 0u);
    // Each JSON flare is on the page with its time, mirror and satellite.
    for (const JsonEvent& e : events) {
        EXPECT_TRUE(std::regex_match(e.label, std::regex("(Front|Left|Right) +->[NS]"))) << e.label;
        EXPECT_LE(e.value, 1.0) << e.name;
        char cell[kAosTextBytes];
        aosstr(e.mjd, e.az, e.el, cell, 0);
        EXPECT_NE(page.out.find(std::string(cell) + "   " + e.label.substr(0, 7)), std::string::npos) << cell;
        EXPECT_NE(page.out.find(e.name), std::string::npos);
    }
    // Solar panel flares come on top of the antenna flares; the temporary save file is removed.
    const std::vector<JsonEvent> panels = parseEvents(runCli(flares + " --panels --min-mag 4 --json").out);
    const std::vector<JsonEvent> antennas = parseEvents(runCli(flares + " --min-mag 4 --json").out);
    const auto solar = std::count_if(panels.begin(), panels.end(),
                                     [](const JsonEvent& e) { return e.label.rfind("Solar", 0) == 0; });
    EXPECT_GT(solar, 0);
    EXPECT_EQ(panels.size(), antennas.size() + solar);
    EXPECT_FALSE(std::ifstream("satird.tmp").good());
}

TEST(CliEvents, BadInputAndResultsNeverReplaceTheirInputOrAnOlderResult)
{
    ScopedTempDir dir;
    const std::string catalogue = readFile(kTle + "IRIDIUM.TXT");
    std::ofstream("cat.tle") << catalogue;
    std::filesystem::create_symlink("cat.tle", "link.tle");
    const std::string opts = kSite + " --start \"2014-06-21 00:00:00\" --days 1";
    for (const std::string command : {"flares", "allpasses"})
        for (const std::string out : {"cat.tle", "link.tle", "./cat.tle"}) {
            const CliRun run = runCli(command + " --tle cat.tle --out " + out + opts + " 2>&1");
            EXPECT_EQ(run.status, 2) << command << " " << out;
            EXPECT_NE(run.out.find("is the TLE file"), std::string::npos) << run.out;
            EXPECT_EQ(readFile("cat.tle"), catalogue);
        }
    // A search that cannot run keeps the older result and does not show it.
    std::ofstream("old.txt") << "old result\n";
    for (const std::string command : {"flares", "allpasses"}) {
        const CliRun run = runCli(command + " --tle missing.tle --out old.txt" + opts + " 2>/dev/null");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out.find("old result"), std::string::npos);
        EXPECT_EQ(readFile("old.txt"), "old result\n") << command;
    }
    const std::string flares = "flares --tle " + kTle + "IRIDIUM.TXT" + kSite + " --start \"2014-06-21 00:00:00\"";
    CliRun run = runCli(flares + " --min-mag 29.5 2>&1");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("--min-mag above 29 is refused"), std::string::npos) << run.out;
    // Commands reading a whole element file say in one line what is wrong with an unusable one.
    std::ofstream("empty.txt");
    std::ofstream("garbage.txt") << "\x89PNG\r\n\x1a\n not elements\n";
    const std::pair<std::string, std::string> files[] = {{"missing.txt", "missing.txt: No such file"},
                                                         {"empty.txt", "empty.txt: no element sets found"},
                                                         {"garbage.txt", "garbage.txt: no element sets found"}};
    for (const std::string command : {"flares", "allpasses", "match --center 1,2 --max-dist 1 --window 1"})
        for (const auto& [file, why] : files) {
            run = runCli(command + " --tle " + file + " 2>&1");
            EXPECT_EQ(run.status, 2) << command << " " << file;
            EXPECT_EQ(run.out.rfind("orbika-cli: " + why, 0), 0u) << command << " " << file << ": " << run.out;
            EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
        }
    // Occultations need a distance; unknown bodies, missing targets and satellites are refused.
    const std::string iss = "transits --tle " + kTle + "visual.txt --norad 25544" + kSite;
    run = runCli(iss + " --body star --ra 6.4509 --dec -16.4258 --max-dist 0");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, " *** Need distance > 0 for occultations or flares ***\n *** except for Sun or Moon Transits ***\n");
    for (const std::string bad : {" --body jupiter", " --body star --ra 6.45", " --body sun --max-dist -5", ""})
        EXPECT_EQ(runCli(iss + bad).status, 2) << bad;
    EXPECT_EQ(runCli("transits --tle " + kTle + "visual.txt --body sun").status, 2);
}
