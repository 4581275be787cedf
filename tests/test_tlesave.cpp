#include <gtest/gtest.h>

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
#include "core/tlesave.h"
#include "scoped_env.h"
#include "test_text.h"

namespace {

namespace fs = std::filesystem;

const std::string kVisual = std::string(ORBIKA_DATA_DIR) + "/tle/visual.txt";

std::string packed(double x)
{
    char out[kPackedFieldBytes];
    cvtlef(out, x);
    return out;
}

std::vector<std::string> lines(const fs::path& path) { return splitLines(readFile(path)); }

// Takes every entry of the file at path into the selection of in, in file order.
void selectall(WinpData* in, const fs::path& path)
{
    ElementReader f(path.c_str());
    std::string key = "*";
    int n = 0;
    for (vsFindSat(in, f, key, n, 0, 0, 0); n; vsReComp(in, f, key = "*", n, 0, 1, 0, 0)) {
        vsSatSel(in);
        if (n != 2) break;
    }
}

// Settings with a selection taken from visual.txt by NORAD number, saving into a fresh
// temporary directory through the default name "*orbika.tle".
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

TEST(TleSave, PackedFieldsAndChecksums)
{
    EXPECT_EQ(packed(0.00012345), " 12345-3");
    EXPECT_EQ(packed(-0.00025), "-25000-3");
    EXPECT_EQ(packed(0.0), " 00000-0");
    EXPECT_EQ(packed(0.0001), " 99999-4");  // exact powers of ten: the format's known quirk
    EXPECT_EQ(packed(1e-12), "   100-9");
    // Packed values read back through the line parser within one unit of the fifth digit,
    // including values from 0.1 on, which are written normalised.
    std::string line = "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927";
    for (double x : {2.0704e-4, -1.6158e-5, 3.3e-9, 7.5e-11, 0.5, -0.123456, 12.5}) {
        line.replace(53, 8, packed(x));
        TleFields f{};
        ASSERT_TRUE(ParseTleLine1(line.c_str(), f));
        EXPECT_NEAR(f.bstar, x, 1e-4 * std::fabs(x)) << line;
    }

    EXPECT_EQ(tcksum("1-9"), '1');
    // The checksums of a published file agree with its last column.
    int checked = 0;
    for (const std::string& l : lines(kVisual)) {
        if (l[0] != '1' && l[0] != '2') continue;
        EXPECT_EQ(tcksum(l.c_str()), l[68]) << l;
        ++checked;
    }
    EXPECT_EQ(checked, 2 * 149);
}

TEST(TleSave, SavedEntriesReadBackWithValidChecksums)
{
    // ISS, an entry with a negative first derivative, a hyperbola and a state vector.
    Saver s({25544, 17589, 25544, 20580});
    WinpData& in = *s.in;
    in.elecc[2] = 1.2;
    in.elmm[2] = 7000.0;  // perigee distance, km
    const double gm = 398600.4415;  // km^3/s^2
    Vec3 r, v;
    kepler(gm, 0.0, 0.0, 50.0, 7000.0, 0.01, 30.0, 40.0, 98.0, r, v);
    in.numflg[3] = 1;
    in.sgp4flg[3] = 0;
    for (unsigned k = 0; k < 3; ++k) {
        in.svpos[k][3] = 1000 * r[k];
        in.svvel[k][3] = 1000 * v[k];
    }
    in.scam[3] = 0.025;
    ASSERT_EQ(SaveTle(&in), 0);

    const std::vector<std::string> text = lines(s.saved());
    ASSERT_EQ(text.size(), 14u);
    for (size_t i = 0; i < text.size(); ++i) {
        ASSERT_EQ(text[i].size(), i % 3 == 0 && i < 12 ? 40u : 69u) << text[i];
        if (i % 3 && i < 10) {
            EXPECT_EQ(tcksum(text[i].c_str()), text[i][68]) << text[i];
        }
    }
    EXPECT_EQ(text[4].substr(33, 10), "-.00000078");  // as the original file writes it
    EXPECT_EQ(text[10].substr(33, 25), "    0 +++++STATEVCT1+++++");
    EXPECT_EQ(text[13][68], '4');

    auto back = std::make_unique<WinpData>();
    SetDefaults(back.get(), 0);
    selectall(back.get(), s.saved());
    const WinpData& b = *back;
    ASSERT_EQ(b.nsat, 4);
    // Within the printed precision of each field.
    const std::pair<double(WinpData::*)[kSlots], double> fields[] = {
        {&WinpData::elepoch, 0.6e-8}, {&WinpData::elincl, 0.6e-4},  {&WinpData::elnode, 0.6e-4},
        {&WinpData::elargp, 0.6e-4},  {&WinpData::elmanom, 0.6e-4}, {&WinpData::elecc, 0.6e-7},
        {&WinpData::elmm, 0.6e-8},    {&WinpData::elndot, 0.6e-8},  {&WinpData::elbstar, 1e-9}};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(b.satno[k], in.satno[k]);
        EXPECT_STREQ(b.satname[k], in.satname[k]);
        EXPECT_STREQ(b.intldsn[k], in.intldsn[k]);
        EXPECT_EQ(b.sgp4flg[k], in.sgp4flg[k]);
        for (const auto& [field, tolerance] : fields)
            EXPECT_NEAR((b.*field)[k], (in.*field)[k], tolerance);
    }
    // The state vector comes back with its osculating elements.
    EXPECT_EQ(b.numflg[3], 1);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(b.svpos[k][3], in.svpos[k][3], 1e-11 * 7e6);
    EXPECT_DOUBLE_EQ(b.scam[3], 0.025);
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
    { std::ofstream(s.saved()) << "old content\n"; }
    ASSERT_EQ(SaveTle(&in), 0);
    EXPECT_EQ(lines(s.saved()).size(), 6u);
    ASSERT_EQ(SaveTle(&in), 0);
    EXPECT_EQ(lines(s.saved()).size(), 12u);
    in.tlesvnmset = 1;  // a name was chosen again
    ASSERT_EQ(SaveTle(&in), 0);
    const std::vector<std::string> after = lines(s.saved());
    EXPECT_EQ(after.size(), 6u);

    // No selection: nothing written. A file that cannot be opened: code 2, nothing changed.
    in.nsat = 0;
    EXPECT_EQ(SaveTle(&in), 1);
    in.nsat = 2;
    in.tlesvnmset = 1;
    std::snprintf(in.tlesave, sizeof in.tlesave, "%s/missing/orbika.tle", s.dir.c_str());
    EXPECT_EQ(SaveTle(&in), 2);
    EXPECT_EQ(in.tlesvnmset, 1);
    EXPECT_EQ(lines(s.saved()), after);
    EXPECT_FALSE(fs::exists(s.dir / "missing"));
}
