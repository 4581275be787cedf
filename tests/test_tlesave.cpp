#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "astro/twobody.h"
#include "core/defaults.h"
#include "core/selection.h"
#include "core/tlefields.h"
#include "core/tlefile.h"
#include "core/tleformat.h"
#include "core/tlesave.h"
#include "scoped_env.h"
#include "test_entries.h"
#include "test_text.h"

namespace {

namespace fs = std::filesystem;

const std::string kVisual = std::string(ORBIKA_DATA_DIR) + "/tle/visual.txt";
const std::string kAlpha5 = std::string(ORBIKA_TEST_DATA) + "/omm/visual_alpha5.txt";

std::vector<std::string> lines(const fs::path& path) { return splitLines(readFile(path)); }

// Takes every entry of the file at path into the selection of in, in file order.
void selectall(WinpData* in, const fs::path& path)
{
    ElementReader f(path.c_str());
    forEachEntry(in, f, [in](bool) { return vsSatSel(in), true; });
}

// A selection from visual.txt by NORAD number, saved in a fresh directory as "*orbika.tle".
struct Saver {
    ScopedTempDir tmp;
    std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    fs::path dir = tmp.path();
    explicit Saver(const std::vector<int>& norad)
    {
        SetDefaults(in.get(), 0);
        std::snprintf(in->tlefile, sizeof in->tlefile, "%s/visual.txt", dir.c_str());
        ElementReader f(kVisual.c_str());
        for (int n : norad) {
            std::string key;
            vsFindSat(in.get(), f, key, n, 1, 0, 0);
            EXPECT_EQ(n, 1) << key;
            vsSatSel(in.get());
        }
    }
    fs::path saved() const { return dir / "orbika.tle"; }
};
}  // namespace

TEST(TleSave, FormattedLinesAreThePublishedLinesAndEdgeFieldsReadBack)
{
    // Every entry of two published files, parsed and formatted again, gives its lines byte for byte.
    int entries = 0;
    for (const std::string& path : {kVisual, kAlpha5}) {
        const std::vector<std::string> text = lines(path);
        for (size_t i = 1; i < text.size(); ++i) {
            if (text[i - 1][0] != '1' || text[i][0] != '2') continue;
            TleFields f{};
            ASSERT_TRUE(ParseTleLine1(text[i - 1].c_str(), f) && ParseTleLine2(text[i].c_str(), f));
            std::string l1, l2;
            ASSERT_TRUE(FormatTleLine1(f, l1) && FormatTleLine2(f, l2));
            EXPECT_EQ(l1, text[i - 1]);
            EXPECT_EQ(l2, text[i]);
            ++entries;
        }
    }
    EXPECT_EQ(entries, 149 + 45);
    // Alpha-5 numbers and full-width fields read back.
    TleFields base{};
    ASSERT_TRUE(ParseTleLine1("1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990", base));
    ASSERT_TRUE(ParseTleLine2("2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866", base));
    const struct {
        int satno;
        const char* field;  // columns 3-7
        double nddot, bstar;
        int elsetno;
        long revolution;
    } cases[] = {{339999, "Z9999", 1.2345e-7, -1.1606e-5, 1, 99999}, {100001, "A0001", -3.3e-12, 0.5, 999, 1},
                 {99999, "99999", 0.0, 0.0001, 9999, 0}, {1, "00001", 0.0, 0.0, 0, 12345}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.satno);
        TleFields f = base;
        f.satno = c.satno, f.nddot = c.nddot, f.bstar = c.bstar, f.elsetno = c.elsetno, f.revolution = c.revolution;
        std::string l1, l2;
        ASSERT_TRUE(FormatTleLine1(f, l1) && FormatTleLine2(f, l2));
        EXPECT_EQ(l1.substr(2, 5) + l2.substr(2, 5), std::string(c.field) + c.field);
        TleFields g{};
        ASSERT_TRUE(ParseTleLine1(l1.c_str(), g) && ParseTleLine2(l2.c_str(), g));
        EXPECT_EQ(std::vector<long>({g.satno, g.elsetno, g.revolution}), std::vector<long>({c.satno, c.elsetno, c.revolution}));
        EXPECT_NEAR(g.nddot, c.nddot, 5e-6 * std::fabs(c.nddot));
        EXPECT_NEAR(g.bstar, c.bstar, 5e-6 * std::fabs(c.bstar));
    }
    TleFields big = base;
    big.satno = kLastAlpha5Number + 1;
    std::string line;
    EXPECT_FALSE(FormatTleLine1(big, line) || FormatTleLine2(big, line));
}

TEST(TleSave, SavedEntriesReadBackWithValidChecksums)
{
    // ISS, an entry with a negative first derivative, a hyperbola and a state vector.
    Saver s({25544, 17589, 25544, 20580});
    WinpData& in = *s.in;
    in.elecc[2] = 1.2, in.elmm[2] = 7000.0;  // perigee distance, km
    const double gm = 398600.4415;  // km^3/s^2
    Vec3 r, v;
    kepler(gm, 0.0, 0.0, 50.0, 7000.0, 0.01, 30.0, 40.0, 98.0, r, v);
    in.numflg[3] = 1, in.sgp4flg[3] = 0, in.scam[3] = 0.025;
    for (unsigned k = 0; k < 3; ++k) in.svpos[k][3] = 1000 * r[k], in.svvel[k][3] = 1000 * v[k];
    ASSERT_EQ(SaveTle(&in), 0);
    const std::vector<std::string> text = lines(s.saved());
    ASSERT_EQ(text.size(), 14u);
    for (size_t i = 0; i < text.size(); ++i)
        ASSERT_EQ(text[i].size(), i % 3 == 0 && i < 12 ? 40u : 69u) << text[i];
    // Entries saved unchanged keep the lines of the file they came from.
    const std::vector<std::string> original = lines(kVisual);
    for (size_t i : {1, 2, 4, 5}) EXPECT_NE(std::find(original.begin(), original.end(), text[i]), original.end()) << text[i];
    EXPECT_EQ(tcksum(text[7].c_str()), text[7][68]);
    EXPECT_EQ(text[8].substr(25, 8), " 1.20000");
    EXPECT_EQ(text[10].substr(33, 25), "    0 +++++STATEVCT1+++++");
    EXPECT_EQ(text[13][68], '4');
    auto back = std::make_unique<WinpData>();
    SetDefaults(back.get(), 0);
    selectall(back.get(), s.saved());
    const WinpData& b = *back;
    ASSERT_EQ(b.nsat, 4);
    EXPECT_TRUE(b.elecc[2] == 1.2 && b.elmm[2] == 7000.0);
    // The state vector comes back with its osculating elements.
    EXPECT_TRUE(b.numflg[3] == 1 && b.scam[3] == 0.025);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(b.svpos[k][3], in.svpos[k][3], 1e-11 * 7e6);
        EXPECT_NEAR(b.svvel[k][3], in.svvel[k][3], 1e-11 * 7e3);
    }
    const double elements[] = {b.elincl[3], b.elnode[3], b.elargp[3], b.elmanom[3], b.elecc[3]};
    const double expected[] = {98.0, 30.0, 40.0, 50.0, 0.01};
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(elements[k], expected[k], 1e-6);
    EXPECT_NEAR(b.elsma[3], 7000.0, 1.0);
    // Saved again, what was read back gives the same file.
    std::snprintf(back->tlesave, sizeof back->tlesave, "%s/again.tle", s.dir.c_str());
    ASSERT_EQ(SaveTle(back.get()), 0);
    EXPECT_EQ(lines(s.dir / "again.tle"), text);
}

TEST(TleSave, FirstSaveTruncatesLaterSavesAppend)
{
    Saver s({25544, 20580});
    WinpData& in = *s.in;
    std::ofstream(s.saved()) << "old content\n";
    for (size_t expected : {6u, 12u}) {
        ASSERT_EQ(SaveTle(&in), 0);
        EXPECT_EQ(lines(s.saved()).size(), expected);
    }
    in.tlesvnmset = 1;  // a name was chosen again
    ASSERT_EQ(SaveTle(&in), 0);
    const std::vector<std::string> after = lines(s.saved());
    EXPECT_EQ(after.size(), 6u);
    // No selection: nothing written. A file that cannot be opened: code 2, nothing changed.
    in.nsat = 0;
    EXPECT_EQ(SaveTle(&in), 1);
    in.nsat = 2, in.tlesvnmset = 1;
    std::snprintf(in.tlesave, sizeof in.tlesave, "%s/missing/orbika.tle", s.dir.c_str());
    EXPECT_TRUE(SaveTle(&in) == 2 && in.tlesvnmset == 1);
    EXPECT_EQ(lines(s.saved()), after);
    EXPECT_FALSE(fs::exists(s.dir / "missing"));
}

TEST(TleSave, CsvHoldsWhatATleCannot)
{
    Saver s({25544, 17589, 20580});
    WinpData& in = *s.in;
    in.satno[1] = kLastAlpha5Number + 1;
    std::snprintf(in.satname[2], sizeof in.satname[2], "HST, \"HUBBLE\"");
    // No TLE file is written for a number above 339999.
    EXPECT_EQ(SaveTle(&in), kTleNumberTooLarge);
    EXPECT_TRUE(!fs::exists(s.saved()) && in.tlesvnmset == 1);
    // As OMM CSV, saved twice (the second appends without a header), the entries read back with
    // their names and numbers (the other fields are compared with an independent SGP4 elsewhere).
    const std::string csv = CsvSaveName(s.saved().string());
    EXPECT_EQ(csv, (s.dir / "orbika.csv").string());
    std::snprintf(in.tlesave, sizeof in.tlesave, "%s", csv.c_str());
    ASSERT_TRUE(SaveTle(&in) == kTleSaved && SaveTle(&in) == kTleSaved);
    EXPECT_EQ(lines(csv).size(), 7u);
    ElementReader r(csv.c_str());
    EXPECT_EQ(r.format(), ElementFormat::Csv);
    ElementEntry e;
    for (int k = 0; k < 6; ++k) {
        ASSERT_TRUE(r.next(e)) << k;
        std::string name = in.satname[k % 3];
        EXPECT_EQ(e.name, name.erase(name.find_last_not_of(' ') + 1));
        EXPECT_EQ(e.fields.satno, in.satno[k % 3]);
        EXPECT_NEAR(e.fields.mm, in.elmm[k % 3], 1e-8);
    }
    EXPECT_TRUE(!r.next(e) && r.problems().empty());
    // A state vector has no mean elements to write: nothing written.
    in.numflg[0] = in.tlesvnmset = 1;
    const std::vector<std::string> before = lines(csv);
    EXPECT_EQ(SaveTle(&in), kTleStateVectorCsv);
    EXPECT_EQ(lines(csv), before);
}
