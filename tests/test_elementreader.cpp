#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cli_run.h"
#include "core/defaults.h"
#include "core/tlefile.h"
#include "scoped_env.h"
#include "test_entries.h"
#include "test_text.h"
#include "test_site.h"

namespace {

const std::string kOmmDir = std::string(ORBIKA_TEST_DATA) + "/omm/";

// The per-element fields of the settings record that reading an entry fills in.
constexpr double(WinpData::*kElementFields[])[kSlots] = {
    &WinpData::elepoch, &WinpData::elsma,   &WinpData::elnode, &WinpData::elargp,
    &WinpData::elincl,  &WinpData::elecc,   &WinpData::elmanom, &WinpData::elmm,
    &WinpData::eladot,  &WinpData::elndot,  &WinpData::elnddot, &WinpData::elbstar};

// Every entry of r, each read by the "*" search into the work slot and kept as a settings copy.
std::vector<std::unique_ptr<WinpData>> allEntries(ElementReader& r, bool strict = false)
{
    std::vector<std::unique_ptr<WinpData>> all;
    auto in = IssSettings();
    in->strictsum = strict;
    forEachEntry(in.get(), r, [&](bool) { return all.push_back(std::make_unique<WinpData>(*in)), true; });
    return all;
}

// The work slot of a equals slot 0 of b (the TLE path), the epoch to the microsecond.
void expectSameElements(const WinpData& a, const WinpData& b, const std::string& what)
{
    const int w = kWorkSlot;
    EXPECT_TRUE(a.satno[w] == b.satno[0] && a.sgp4flg[w] == b.sgp4flg[0]) << what;
    if (b.intldsn[0][0] > ' ') {
        EXPECT_STREQ(a.intldsn[w], b.intldsn[0]) << what;
    }
    for (auto field : kElementFields)
        EXPECT_NEAR((a.*field)[w], (b.*field)[0], 1e-11 * std::fabs((b.*field)[0]) + 2e-11) << what;
}

}  // namespace

// Each element set of the CSV, XML and JSON files fills the records as that of the TLE file does.
TEST(ElementReader, GpDataAsServicesWriteItGivesTheElementsOfTheTleFile)
{
    ElementReader tle((kOmmDir + "visual_alpha5.txt").c_str());
    const auto reference = allEntries(tle);
    ASSERT_EQ(reference.size(), 45u);
    EXPECT_TRUE(reference[44]->satno[kWorkSlot] == 100005 && tle.problems().empty());
    for (const char* name : {"visual.csv", "visual.xml", "visual.json"}) {
        ElementReader r((kOmmDir + name).c_str());
        const auto entries = allEntries(r);
        ASSERT_EQ(entries.size(), reference.size()) << name;
        EXPECT_TRUE(r.problems().empty()) << name << ": " << r.problems().front();
        for (size_t k = 0; k < entries.size(); ++k) {
            EXPECT_STREQ(entries[k]->satname[kWorkSlot], reference[k]->satname[kWorkSlot]) << name << " " << k;
            ShiftElm(reference[k].get(), 0, kWorkSlot);
            expectSameElements(*entries[k], *reference[k], std::string(name) + " " + reference[k]->satname[0]);
        }
    }
    // GP files as services write them (column orders, number forms, line ends, namespaces, lone objects).
    const auto iss = IssSettings();
    const std::string csv =
        "\xEF\xBB\xBFNORAD_CAT_ID,OBJECT_NAME,EPOCH,ECCENTRICITY,MEAN_MOTION,INCLINATION,RA_OF_ASC_NODE,"
        "ARG_OF_PERICENTER,MEAN_ANOMALY,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT,OBJECT_ID\r"
        "25544,\"ISS (ZARYA)\",2026-02-21T18:22:01.805952Z,.0008512,15.48189327,51.632,151.0701,"
        "119.8639,240.3195,.20704E-3,.10666e-3,0,1998-067A\r";
    const std::string xml =
        "<?xml version=\"1.0\"?>\n<!-- one <omm> only -->\n<ndm:omm xmlns:ndm=\"urn:ccsds\">"
        "<ndm:body><ndm:segment><ndm:metadata><ndm:OBJECT_NAME>ISS (ZARYA)</ndm:OBJECT_NAME>"
        "<ndm:OBJECT_ID>1998-067A</ndm:OBJECT_ID></ndm:metadata><ndm:data><ndm:meanElements>"
        "<ndm:EPOCH>2026-052T18:22:01.805952</ndm:EPOCH><ndm:MEAN_MOTION>15.48189327</ndm:MEAN_MOTION>"
        "<ndm:ECCENTRICITY>8.512E-4</ndm:ECCENTRICITY><ndm:INCLINATION>51.6320</ndm:INCLINATION>"
        "<ndm:RA_OF_ASC_NODE>151.0701</ndm:RA_OF_ASC_NODE><ndm:ARG_OF_PERICENTER>119.8639</ndm:ARG_OF_PERICENTER>"
        "<ndm:MEAN_ANOMALY>240.3195</ndm:MEAN_ANOMALY></ndm:meanElements><ndm:tleParameters>"
        "<ndm:NORAD_CAT_ID>25544</ndm:NORAD_CAT_ID><ndm:BSTAR>0.00020704</ndm:BSTAR>"
        "<ndm:MEAN_MOTION_DOT>0.00010666</ndm:MEAN_MOTION_DOT><ndm:MEAN_MOTION_DDOT>0</ndm:MEAN_MOTION_DDOT>"
        "</ndm:tleParameters><ndm:USER_DEFINED_PARAMETERS><ndm:USER_DEFINED parameter=\"X\">1</ndm:USER_DEFINED>"
        "</ndm:USER_DEFINED_PARAMETERS></ndm:data></ndm:segment></ndm:body></ndm:omm>";
    const std::string json =
        "  {\"OBJECT_NAME\": \"ISS (ZARYA)\", \"OBJECT_ID\": \"1998-067A\", \"EPOCH\": \"2026-02-21T18:22:01.805952\","
        " \"MEAN_MOTION\": \"15.48189327\", \"ECCENTRICITY\": \".0008512\", \"INCLINATION\": 51.632,"
        " \"RA_OF_ASC_NODE\": 151.0701, \"ARG_OF_PERICENTER\": 119.8639, \"MEAN_ANOMALY\": 240.3195,"
        " \"NORAD_CAT_ID\": \"25544\", \"BSTAR\": 2.0704e-4, \"MEAN_MOTION_DOT\": 1.0666E-4,"
        " \"MEAN_MOTION_DDOT\": 0, \"REV_AT_EPOCH\": null, \"EXTRA\": {\"a\": [1, \"}\"]}}";
    const std::string tleText = "\xEF\xBB\xBFISS (ZARYA)\r1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990\r"
                            "2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866\r";
    const std::pair<std::string, ElementFormat> files[] = {
        {csv, ElementFormat::Csv}, {xml, ElementFormat::Xml}, {json, ElementFormat::Json}, {tleText, ElementFormat::Tle}};
    for (const auto& [content, format] : files) {
        FILE* f = holding(content);
        ElementReader r(f);
        const auto entries = allEntries(r);
        EXPECT_EQ(r.format(), format) << content;
        ASSERT_EQ(entries.size(), 1u) << content;
        EXPECT_STREQ(entries[0]->satname[kWorkSlot], "ISS (ZARYA)");
        expectSameElements(*entries[0], *iss, content);
        std::fclose(f);
    }
}

// Impossible elements are refused and reported; a bad checksum is reported and used unless strict.
TEST(ElementReader, ImpossibleElementsBadChecksumsAndAlpha5Numbers)
{
    const std::string good = "ISS (ZARYA)\n1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990\n"
                             "2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866\n";
    const std::string header = "OBJECT_NAME,NORAD_CAT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,"
                               "ARG_OF_PERICENTER,MEAN_ANOMALY,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n";
    const std::string csv = header +
                            "ZERO,1,2026-02-21T00:00:00,0,0.001,51,0,0,0,0,0,0\n"
                            "OPEN,2,2026-02-21T00:00:00,15,1.2,51,0,0,0,0,0,0\n"
                            "NAN,3,2026-02-21T00:00:00,nan,0.001,51,0,0,0,0,0,0\n"
                            "DRAG,4,2026-02-21T00:00:00,15,0.001,51,0,0,0,9.9,0,0\n"
                            "OLD,5,1899-02-21T00:00:00,15,0.001,51,0,0,0,0,0,0\n"
                            "FINE,123456789,2026-02-21T00:00:00,15,0.001,51,0,0,0,0,0,0\n";
    FILE* f = holding(csv);
    ElementReader r(f);
    const auto entries = allEntries(r);
    ASSERT_TRUE(entries.size() == 1u && r.problemCount() == 5);
    EXPECT_EQ(entries[0]->satno[kWorkSlot], 123456789);
    std::string all;
    for (const std::string& p : r.problems()) all += p + "\n";
    for (const char* what : {"ZERO", "mean motion 0", "OPEN", "eccentricity 1.2", "NAN", "DRAG", "B* 9.9", "OLD", "EPOCH"})
        EXPECT_NE(all.find(what), std::string::npos) << what << "\n" << all;
    std::fclose(f);
    std::string changed = good + "ISS (CHANGED)\n" + good.substr(good.find('\n') + 1);
    changed[changed.rfind("553866")] = '4';
    FILE* g = holding(changed);
    ElementReader lax(g);
    EXPECT_EQ(allEntries(lax).size(), 2u);
    const auto& noted = lax.problems();
    EXPECT_NE(std::find(noted.begin(), noted.end(), "ISS (CHANGED) (25544): bad checksum in line 2"), noted.end());
    lax.rewind();
    EXPECT_EQ(allEntries(lax, true).size(), 1u);
    std::fclose(g);
    // The letters skip I and O: H9999 is followed by J0000.
    const std::pair<const char*, int> cases[] = {{"H9999", 179999}, {"J0000", 180000}, {"T0017", 270017},
                                                 {"    5", 5},      {"I0001", -1},     {"O0001", -1}};
    for (const auto& [field, number] : cases) EXPECT_EQ(TleCatalogueNumber(field), number) << field;
}

// The command line reads TLE and XML files alike and says what is wrong with one without elements.
TEST(ElementReader, CommandLineFilesOfEveryForm)
{
    const std::string opts = " --site 48.1,11.6,500 --at \"2026-02-22 12:00:00\" --norad 100003 --json 2>&1";
    const CliRun tle = runCli("state --tle " + kOmmDir + "visual_alpha5.txt" + opts);
    EXPECT_EQ(tle.status, 0) << tle.out;
    EXPECT_EQ(runCli("state --tle " + kOmmDir + "visual.xml" + opts).out, tle.out);
    // The sgp4 command's own reader refuses what the element reader refuses (the other commands
    // are checked with their options); a directory of this run's own keeps parallel runs apart.
    const ScopedTempDir scratch;
    const std::string dir = scratch.path().string() + "/";
    std::ofstream(dir + "empty.txt");
    std::ofstream(dir + "garbage.txt") << "<html><body>Service unavailable</body></html>\n";
    const std::pair<std::string, std::string> bad[] = {
        {"sgp4 " + dir, "is a directory"}, {"sgp4 /dev/zero", "not a regular file"},
        {"passes --sat iss --tle /dev/zero", "not a regular file"},
        {"sgp4 " + dir + "empty.txt", "no element sets found"}, {"sgp4 " + dir + "garbage.txt", "no element sets found"}};
    for (const auto& [args, message] : bad) {
        const CliRun run = runCli(args + " 2>&1");
        EXPECT_EQ(run.status, 2) << args << "\n" << run.out;
        EXPECT_NE(run.out.find(message), std::string::npos) << args << "\n" << run.out;
    }
}
