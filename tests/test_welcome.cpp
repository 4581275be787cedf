#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/config.h"
#include "core/configsave.h"
#include "core/defaults.h"
#include "core/elementreader.h"
#include "core/selection.h"
#include "core/tlefile.h"
#include "core/welcome.h"
#include "scoped_env.h"
#include "test_text.h"

namespace {
// 2023 November 14, 22:13:20 UT.
constexpr std::time_t kSampleInstant = 1700000000;
constexpr double kSampleMjd = 1700000000.0 / 86400.0 + 40587.0;
constexpr const char* kVisualTle = ORBIKA_DATA_DIR "/tle/visual.txt";
constexpr const char* kProblem = "Problems reading Configuration File. Using defaults instead.";

struct Start {
    std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    std::unique_ptr<WoutData> out = std::make_unique<WoutData>();
    std::vector<std::string> page;  // the page lines, trailing blanks removed
};

// Runs the start-up routine at the sample instant in the current directory.
Start startUp()
{
    Start s;
    s.out->nlines = 0;
    swelcm(s.in.get(), s.out.get(), kSampleInstant);
    s.page = pageLines(s.out.get());
    for (std::string& line : s.page) line.erase(line.find_last_not_of(' ') + 1);
    return s;
}

// Writes a configuration with a site, a map background, the bundled TLE file and satellite names.
void writeConfig(int systzflg, double timezone, const std::vector<const char*>& names, const char* tle = kVisualTle)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), kSampleInstant);
    in->systzflg = systzflg, in->timezone = timezone, in->mapbg = 1;
    in->obslat = 48.1375, in->obslon = 11.575, in->obshgt = 519;
    std::strcpy(in->locname, "Munich");
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", tle);
    in->nsat = static_cast<int>(names.size());
    for (size_t i = 0; i < names.size(); ++i) std::strcpy(in->satname[i], names[i]);
    ASSERT_TRUE(putcfg(in.get()));
}

bool contains(const std::vector<std::string>& page, const std::string& line)
{
    return std::find(page.begin(), page.end(), line) != page.end();
}
}  // namespace

TEST(Welcome, PageAndStoredSelection)
{
    ScopedTz tz("XYZ-3");
    ScopedTempDir dir;
    writeConfig(1, 0.0, {"iss", "NO SUCH SATELLITE", "hst"});
    const Start s = startUp();
    ASSERT_GE(s.page.size(), 18u);
    EXPECT_EQ(s.page[1], "   *** Welcome to Orbika Version 11.8 ***");
    EXPECT_EQ(s.page[3], "Timezone: 3");
    EXPECT_TRUE(contains(s.page, "Lat.: 48.1375  Long.: 11.575  Height: 519"));
    EXPECT_TRUE(contains(s.page, "Map background: Grey"));
    EXPECT_EQ(std::vector<std::string>(s.page.end() - 3, s.page.end()),
              (std::vector<std::string>{"Selected Satellites:", "ISS (ZARYA)", "HST"}));
    // Found names fill the slots in stored order; the search names stay as stored.
    const WinpData& in = *s.in;
    EXPECT_EQ(std::vector<int>({in.nsat, in.satno[0], in.satno[1], in.sgpslot}), std::vector<int>({2, 25544, 20580, kNoSgpSlot}));
    EXPECT_STREQ(in.srchname[1], "NO SUCH SATELLITE");
    // The start instant stays the clock's, in the system zone.
    EXPECT_EQ(in.timezone, 3.0);
    EXPECT_NEAR(in.mjd, kSampleMjd, 1e-9);
}

TEST(Welcome, StoredZoneAndMissingOrBrokenFiles)
{
    ScopedTz tz("XYZ-3");
    ScopedTempDir dir;
    {
        // No configuration: defaults without a message; the missing TLE file's name is kept.
        const Start s = startUp();
        EXPECT_FALSE(contains(s.page, kProblem));
        EXPECT_TRUE(contains(s.page, "*** Unable to open this TLE file; no satellites selected ***"));
        EXPECT_STREQ(s.in->tlefile, "./visual.txt");
    }
    {
        // A stored zone of its own is used for the date fields and flagged on the page.
        writeConfig(0, 1.0, {"HST"});
        const Start s = startUp();
        EXPECT_EQ(s.page.at(3), "Timezone: 1 *** Timezone different from set system time! ***");
        EXPECT_EQ(std::vector<int>({s.in->day, s.in->hour, s.in->nsat}), std::vector<int>({14, 23, 1}));
    }
    std::ofstream(kConfigFile, std::ios::binary) << "2.000000 \n48.1375 \n";  // cut short
    const Start s = startUp();
    EXPECT_EQ(s.page.at(2), kProblem);
    EXPECT_EQ(s.in->obslat, 0.0);
}

TEST(Welcome, ExitKeepsWhatTheProgramCouldNotUse)
{
    ScopedTz tz("XYZ-3");
    ScopedTempDir dir;
    std::filesystem::create_directory("tles");
    for (const char* unusable : {"gone/visual.txt", "tles"}) {
        SCOPED_TRACE(unusable);
        writeConfig(1, 0.0, {"ISS (ZARYA)", "HST"}, unusable);
        const Start s = startUp();
        EXPECT_STREQ(s.in->tlefile, unusable);
        EXPECT_EQ(s.in->nsat, 0);
        EXPECT_TRUE(contains(s.page, unusable));
        ASSERT_TRUE(savecfg(s.in.get()));
        auto back = std::make_unique<WinpData>();
        ASSERT_EQ(getcfg(back.get()), kCfgRead);
        EXPECT_STREQ(back->tlefile, unusable);
        ASSERT_EQ(back->nsat, 2);
        EXPECT_EQ(std::string(back->srchname[0]) + "," + back->srchname[1], "ISS (ZARYA),HST");
    }
    // A file that cannot be read is kept as orbika.cfg.bak when the settings replace it.
    const std::string garbage = "\x89PNG\r\n\x1a\n not settings";
    std::ofstream(kConfigFile, std::ios::binary) << garbage;
    const Start s = startUp();
    ASSERT_TRUE(savecfg(s.in.get()));
    EXPECT_EQ(readFile(std::string(kConfigFile) + kConfigBackupSuffix), garbage);
    auto back = std::make_unique<WinpData>();
    EXPECT_EQ(getcfg(back.get()), kCfgRead);
}

TEST(Welcome, SatellitesSharingANameComeBackAfterARestart)
{
    ScopedTz tz("XYZ-3");
    ScopedTempDir dir;
    // Three of the rocket bodies of visual.txt that are all titled "SL-16 R/B", the last ones first.
    const int numbers[] = {31793, 28353, 26070};
    writeConfig(1, 0.0, {});
    Start s = startUp();
    ElementReader f(kVisualTle);
    for (int n : numbers) {
        std::string key;
        vsFindSat(s.in.get(), f, key, n, kSearchByNumber, 0, 0);
        ASSERT_GT(n, 0) << key;
        vsSatSel(s.in.get());
    }
    ASSERT_EQ(s.in->nsat, 3);
    ASSERT_TRUE(putcfg(s.in.get()));
    const Start again = startUp();
    ASSERT_EQ(again.in->nsat, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(again.in->satno[i], numbers[i]) << i;
        EXPECT_EQ(std::string(again.in->satname[i]).rfind("SL-16 R/B", 0), 0u);
    }
}
