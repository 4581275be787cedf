#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/config.h"
#include "core/defaults.h"
#include "scoped_env.h"
#include "test_text.h"

namespace {
// 2023 November 14, 22:13:20 UT.
constexpr std::time_t kSampleInstant = 1700000000;

std::unique_ptr<WinpData> defaults()
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), kSampleInstant);
    return in;
}

// A hand-written configuration of 20 lines (index 0 = line 1) and two satellite names.
std::vector<std::string> sampleLines()
{
    return {"2.000000 ",  "48.137500 ", "11.575000 ", "519.000000 ", "Munich",
            "8 ",         "2 ",         "1 ",         "/data/tle/visual.txt", "0 ",
            "-12.000000 ", "15.000000", "1950.000000", "12", "0",
            "1 ",         "http://example.org/tle.txt", "7   150.0   140.0     3.0",
            "  2.20000e+00   1.20000e+00   2.00000e-02", "2 ", "ISS (ZARYA)", "HST"};
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& l : lines) text += l + '\n';
    return text;
}

// The search names read, separated by commas.
std::string searchNames(const WinpData& in)
{
    std::string names;
    for (int i = 0; i < in.nsat; ++i) names += (i ? "," : "") + std::string(in.srchname[i]);
    return names;
}

// Reads a configuration made of lines into fresh defaults; returns the status.
int readLines(const std::vector<std::string>& lines, WinpData* in)
{
    std::ofstream(kConfigFile, std::ios::binary) << joined(lines);
    return getcfg(in);
}
}  // namespace

TEST(ConfigFile, DefaultSettingsGiveTheDocumentedLayoutAndWrittenSettingsReadBack)
{
    ScopedTempDir dir;
    auto in = defaults();
    ASSERT_TRUE(putcfg(in.get()));
    const std::string expected = "16.000000 \n0.000000 \n0.000000 \n0.000000 \nDefault\n10 \n0 \n2 \n./visual.txt\n1 \n"
                                 "-6.000000 \n10.000000\n2000.000000\n10\n1\n0 \n" +
                                 std::string(in->updurl) +
                                 "\n3.1   160.0   155.0     4.0\n  2.30000e+00   1.30000e+00   1.00000e-02\n0 \n";
    EXPECT_EQ(readFile(kConfigFile), expected);
    EXPECT_FALSE(std::filesystem::exists(std::string(kConfigFile) + ".tmp"));
    // Values that the file's formats hold exactly.
    const std::pair<double WinpData::*, double> doubles[] = {
        {&WinpData::timezone, -5.5}, {&WinpData::obslat, -33.8568}, {&WinpData::obslon, 151.2153},
        {&WinpData::obshgt, 42.5},   {&WinpData::maxsunelev, -9.5}, {&WinpData::minsatelev, 5.25},
        {&WinpData::epoch, 2025.5},  {&WinpData::duration, 7.5},    {&WinpData::f107, 123.4},
        {&WinpData::f107avg, 130.1}, {&WinpData::kp, 2.5},          {&WinpData::cd, 2.25},
        {&WinpData::cr, 1.75},       {&WinpData::areamass, 0.0125}};
    const std::pair<int WinpData::*, int> ints[] = {{&WinpData::systzflg, 0}, {&WinpData::fontsize, 8},
                                                    {&WinpData::grid, 2},     {&WinpData::mapbg, 1},
                                                    {&WinpData::visonly, 0},  {&WinpData::txtfontsz, 12},
                                                    {&WinpData::nsat, 3}};
    auto out = defaults();
    for (const auto& [field, value] : doubles) out.get()->*field = value;
    for (const auto& [field, value] : ints) out.get()->*field = value;
    out->txtbold = false, out->leftbtn = true;
    std::strcpy(out->locname, "Sydney, Observatory Hill");
    std::strcpy(out->tlefile, "/home/user/tle/stations.txt");
    std::strcpy(out->updurl, "http://example.org/tle/visual.txt");
    const char* names[] = {"ISS (ZARYA)         ", "HST", "NOAA 19"};  // a TLE title cut to 20 characters
    for (int i = 0; i < 3; ++i) std::strcpy(out->satname[i], names[i]);
    ASSERT_TRUE(putcfg(out.get()));
    in = defaults();
    ASSERT_EQ(getcfg(in.get()), kCfgRead);
    for (const auto& [field, value] : doubles) EXPECT_EQ(in.get()->*field, value);
    for (const auto& [field, value] : ints) EXPECT_EQ(in.get()->*field, value);
    EXPECT_TRUE(!in->txtbold && in->leftbtn);
    EXPECT_STREQ(in->locname, out->locname);
    EXPECT_STREQ(in->tlefile, out->tlefile);
    EXPECT_STREQ(in->updurl, out->updurl);
    EXPECT_EQ(searchNames(*in), "ISS (ZARYA)        ,HST,NOAA 19");  // 19 characters kept
}

TEST(ConfigFile, StoredValuesAreBroughtIntoRange)
{
    ScopedTempDir dir;
    // Each case: a line (1-based) of a stored file, and that line as the settings read write it.
    const std::tuple<int, const char*, const char*> cases[] = {
        {1, "15.500000 ", "0.000000 "}, {1, "-15.000000 ", "-15.000000 "}, {6, "12 ", "10 "}, {6, "9", "10 "},
        {7, "3", "1 "},  {8, "-1", "0 "},  {13, "1899.5", "0.000000"}, {15, "5", "1"},  {16, "2 ", "0 "},
        {18, "0.5 150 140 3", "1   150.0   140.0     3.0"}, {18, "30 150 140 3", "14   150.0   140.0     3.0"}};
    for (const auto& [line, text, expected] : cases) {
        auto lines = sampleLines();
        lines[line - 1] = text;
        auto w = defaults();
        ASSERT_EQ(readLines(lines, w.get()), kCfgRead) << text;
        ASSERT_TRUE(putcfg(w.get(), "again.cfg"));
        EXPECT_EQ(splitLines(readFile("again.cfg")).at(line - 1), expected) << "line " << line << ": " << text;
    }
    // Short update addresses and empty names keep the defaults; 16 means the system zone.
    auto lines = sampleLines();
    lines[0] = "16.000000 ", lines[4] = lines[8] = "", lines[16] = "abcde";
    auto w = defaults();
    const auto untouched = defaults();
    ASSERT_EQ(readLines(lines, w.get()), kCfgRead);
    EXPECT_EQ(w->systzflg, 1);
    EXPECT_STREQ(w->locname, "Default");
    EXPECT_STREQ(w->tlefile, "./visual.txt");
    EXPECT_STREQ(w->updurl, untouched->updurl);
    lines[16] = "abcdef";
    ASSERT_EQ(readLines(lines, w.get()), kCfgRead);
    EXPECT_STREQ(w->updurl, "abcdef");
}

TEST(ConfigFile, StoredSatelliteNamesAndFuzzingFindsReadBack)
{
    ScopedTempDir dir;
    auto lines = sampleLines();
    lines[19] = "3 ";
    auto in = defaults();
    ASSERT_EQ(readLines(lines, in.get()), kCfgRead);  // the file ends after the second name
    EXPECT_EQ(searchNames(*in), "ISS (ZARYA),HST");
    lines[19] = "11 ";
    ASSERT_EQ(readLines(lines, in.get()), kCfgRead);
    EXPECT_EQ(in->nsat, 0);
    // Leading white space is skipped; a long name keeps 19 characters and the next stays intact.
    lines[19] = "3";
    lines.resize(20);
    lines.insert(lines.end(), {"   \tNOAA 19", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "TERRA\r"});
    ASSERT_EQ(readLines(lines, in.get()), kCfgRead);
    EXPECT_EQ(searchNames(*in), "NOAA 19,ABCDEFGHIJKLMNOPQRS,TERRA");
    // A name of NUL bytes is no name: the file written from it reads back the same (a fuzzing find).
    lines[19] = "3", lines[21] = std::string("\0\0\0", 3);
    ASSERT_EQ(readLines(lines, in.get()), kCfgRead);
    EXPECT_EQ(searchNames(*in), "NOAA 19,TERRA");
    // Every configuration that once broke the fuzz target: written, read back and written again alike.
    for (const auto& entry : std::filesystem::directory_iterator(ORBIKA_FUZZ_REGRESSIONS "/config")) {
        SCOPED_TRACE(entry.path().filename().string());
        in = defaults();
        ASSERT_EQ(getcfg(in.get(), entry.path().c_str()), kCfgRead);
        for (int i = 0; i < in->nsat; ++i) std::memcpy(in->satname[i], in->srchname[i], sizeof in->srchname[i]);
        ASSERT_TRUE(putcfg(in.get(), "first.cfg"));
        ASSERT_EQ(getcfg(in.get(), "first.cfg"), kCfgRead);
        ASSERT_TRUE(putcfg(in.get(), "second.cfg"));
        EXPECT_EQ(readFile("second.cfg"), readFile("first.cfg"));
    }
}

TEST(ConfigFile, StatusCodesAndNothingAppliedOnFailure)
{
    ScopedTempDir dir;
    auto in = defaults();
    in->obslat = 12.5;
    EXPECT_EQ(getcfg(in.get()), kCfgMissing);
    EXPECT_EQ(in->obslat, 12.5);
    const std::string good = joined(sampleLines()), binary(600, '\x9c');
    auto first20 = sampleLines();
    first20.resize(20);
    std::string twentyLines = joined(first20);
    twentyLines = twentyLines.substr(0, twentyLines.size() - 2);  // "2" without its line end
    const std::string broken[] = {"", good.substr(0, good.find("Munich")), good.substr(0, good.find("7   150")),
                                  binary, std::string("\0\0\0\n", 4) + good, twentyLines};
    for (const std::string& text : broken) {
        std::ofstream(kConfigFile, std::ios::binary) << text;
        auto w = defaults();
        EXPECT_EQ(getcfg(w.get()), kCfgReadFailed) << text.size() << " bytes";
        EXPECT_TRUE(w->obslat == 0.0 && w->duration == 3.1) << "defaults kept";
    }
    // A bad value in lines 1 to 10 keeps the defaults from there to line 10; the rest applies.
    auto lines = sampleLines();
    lines[6] = "grid";
    auto w = defaults();
    ASSERT_EQ(readLines(lines, w.get()), kCfgRead);
    EXPECT_TRUE(w->obslat == 48.1375 && w->fontsize == 8) << "before the bad line";
    EXPECT_TRUE(w->grid == 0 && w->mapbg == 2 && std::string(w->tlefile) == "./visual.txt") << "defaults to line 10";
    EXPECT_TRUE(w->maxsunelev == -12.0 && w->nsat == 2) << "after line 10";
}
