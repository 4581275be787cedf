#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "astro/timescales.h"
#include "core/defaults.h"
#include "core/selection.h"
#include "core/tlefile.h"
#include "test_entries.h"
#include "test_text.h"

namespace {

const std::string kVisual = std::string(ORBIKA_DATA_DIR) + "/tle/visual.txt";

// The published example entry of the TLE format (ISS, 2008 September 20).
const std::string kExample =
    "ISS (ZARYA)\n"
    "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927\n"
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537\n";

// Searches of one file, from its start (find) or continued (more), through the selection calls.
struct Search {
    std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    FILE* file;
    ElementReader f;
    std::string key;  // after a search: the description or no-match text
    explicit Search(FILE* stream) : file(stream), f(stream) { SetDefaults(in.get(), 0); }
    ~Search() { if (file) std::fclose(file); }
    int find(const std::string& k, int kind = 0, int n = 0)
    {
        key = k;
        vsFindSat(in.get(), f, key, n, kind, in->lowflt, in->recentflt);
        return n;
    }
    int more()
    {
        int n = in->satno[kWorkSlot];
        key = in->srchname[kWorkSlot];
        vsReComp(in.get(), f, key, n, in->srchmode, 1, in->lowflt, in->recentflt);
        return n;
    }
    // Names of all entries that a search for "*" returns, each followed by ','.
    std::string all()
    {
        std::string names;
        auto add = [&](bool) { return names += in->satname[kWorkSlot] + std::string(","), true; };
        forEachEntry(in.get(), f, add, in->lowflt, in->recentflt);
        return names;
    }
};

// An entry with mean motion mm (rev/day) and revolution number rev, epoch 2026 Feb 19.5.
std::string entry(const char* name, double mm, int rev)
{
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "%s\n1 99001U 26001A   26050.50000000  .00001000  00000-0  10000-3 0  9990\n"
                  "2 99001  51.6000 100.0000 0001000  90.0000 270.0000 %11.8lf%5i0\n",
                  name, mm, rev);
    return buf;
}

}  // namespace

TEST(TleSearch, ByNamePrefixNumberAndDesignator)
{
    Search s(std::fopen(kVisual.c_str(), "r"));
    EXPECT_EQ(s.find("iss"), 1);
    EXPECT_TRUE(s.in->satno[kWorkSlot] == 25544 && s.in->sgpslot == kNoSgpSlot);
    // The file holds 20 rocket bodies titled "SL-16 R/B": 2 until the last one, each different.
    std::set<int> numbers;
    int result = s.find("sl-16");
    for (; result == 2; result = s.more()) numbers.insert(s.in->satno[kWorkSlot]);
    EXPECT_EQ(result, 1);
    numbers.insert(s.in->satno[kWorkSlot]);
    EXPECT_EQ(numbers.size(), 20u);
    EXPECT_TRUE(s.find("", 1, 20580) == 1 && std::string(s.in->satname[kWorkSlot]).rfind("HST ", 0) == 0);
    EXPECT_TRUE(s.find("1998-067A", 2) == 1 && s.in->satno[kWorkSlot] == 25544);
    const auto missing = [&](const char* key, int kind, int n) { return s.find(key, kind, n) == 0 ? s.key : "found"; };
    EXPECT_EQ(missing("NO SUCH SATELLITE", 0, 0), "\n+++ No match found for NO SUCH SATELLITE +++");
    EXPECT_EQ(missing("", 1, 99999), "\n+++ No match found for NORAD# 99999 +++");
    EXPECT_EQ(missing("2099-001", 2, 0), "\n+++ No match found for 2099-001 +++");
}

TEST(TleParse, EveryFieldOfThePublishedExampleHyperbolaAndUntitledEntries)
{
    Search s(holding(kExample));
    ASSERT_EQ(s.find("ISS"), 1);
    const WinpData& in = *s.in;
    const int w = kWorkSlot;
    EXPECT_STREQ(in.satname[w], "ISS (ZARYA)");
    EXPECT_EQ(in.satno[w], 25544);
    EXPECT_STREQ(in.intldsn[w], "1998-067A  ");
    // 2008 day 264.51782528 = September 20, 12:25:40.1 UTC.
    EXPECT_NEAR(in.elepoch[w], mjd(20, 9, 2008, 12.0 + 25.0 / 60 + 40.1 / 3600), 2e-6);
    EXPECT_EQ(in.sgp4flg[w] - in.numflg[w], 1);
    const double parsed[] = {in.elndot[w], in.elnddot[w], in.elbstar[w], in.elincl[w], in.elnode[w],
                             in.elecc[w],  in.elargp[w],  in.elmanom[w], in.elmm[w]};
    const double published[] = {-0.00002182, 0.0,      -0.11606e-4, 51.6416,    247.4627,
                                0.0006703,   130.5360, 325.0288,    15.72125391};
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(parsed[k], published[k], 1e-12 * (1 + published[k])) << k;
    // Kepler's third law; the J2 correction of a mean motion is a few km.
    const double n = 15.72125391 * 2 * M_PI / 86400;
    EXPECT_NEAR(in.elsma[w], std::cbrt(398600.4418 / (n * n)), 5.0);
    EXPECT_GT(in.eladot[w], 0.0);  // a negative ndot raises the orbit
    // The description: title, epoch, orbit period and perigee and apogee heights near 352 km.
    EXPECT_EQ(s.key.rfind("ISS (ZARYA)\n================================\nNORAD#\t\t: 25544\n", 0), 0u) << s.key;
    EXPECT_NE(s.key.find("\nEpoch\t: 20-SEP-2008   12:25:40\n"), std::string::npos);
    EXPECT_NE(s.key.find("\n\nPeriod (min):     91.60"), std::string::npos);
    for (const char* label : {"\nPerigee\t\t:", "\nApogee\t\t:"}) {
        ASSERT_NE(s.key.find(label), std::string::npos);
        EXPECT_NEAR(std::atof(s.key.c_str() + s.key.find(label) + std::strlen(label)), 352.6, 5.0);
    }
    // Eccentricity written out in columns 26-33: a hyperbola whose mean motion field is q.
    Search h(holding(
        "1 99002U 26002A   26050.00000000  .00000000  00000-0  00000-0 9  9990\n"
        "2 99002  30.0000  40.0000 1.20000  50.0000   0.0000   7000.0000    00\n"));
    ASSERT_EQ(h.find("", 1, 99002), 1) << h.key;
    EXPECT_TRUE(h.in->elecc[kWorkSlot] == 1.2 && std::fabs(h.in->elsma[kWorkSlot] + 35000.0) < 1e-6);
    EXPECT_NE(h.key.find("Perigee Distance q\t:   7000.000 km"), std::string::npos) << h.key;
    // Without a title line the name stays 20 blanks (not replaced by the designator).
    EXPECT_STREQ(h.in->satname[kWorkSlot], "                    ");
}

TEST(TleParse, FiltersAndElementAdjustment)
{
    Search s(holding(entry("OLD LAUNCH", 15.5, 150) + entry("UNKNOWN REVS", 15.5, 0) +
                     entry("SLOW NEW", 2.0, 5) + entry("SLOW OLDER", 2.0, 50) +
                     entry("DECAYING", 16.2, 500)));
    WinpData& in = *s.in;
    in.mjd = mjd(20, 2, 2026, 0.0);
    in.recentflt = 1;
    EXPECT_EQ(s.all(), "UNKNOWN REVS,SLOW NEW,");
    in.recentflt = 0, in.lowflt = 1;
    EXPECT_EQ(s.all(), "DECAYING,");
    in.mjd += 10.0;  // the epoch is now older than a week
    EXPECT_EQ(s.all(), "");
    in.lowflt = 0, in.adjread = true;
    in.adjdt = 3600.0, in.adjmm = 15.0, in.adjnode = 10.0;
    ASSERT_EQ(s.find("UNKNOWN"), 1);
    EXPECT_NEAR(in.elepoch[kWorkSlot], mjd(19, 2, 2026, 11.0), 1e-9);
    EXPECT_TRUE(in.elmm[kWorkSlot] == 15.0 && in.elnode[kWorkSlot] == 110.0);
    EXPECT_EQ(in.sgp4flg[kWorkSlot] + in.elndot[kWorkSlot] + in.eladot[kWorkSlot], 0.0);
    // Iridium mode with operational orbits only: an orbit outside 7150-7159.9 km keeps its motion.
    in.iridmode = 3, in.iropsonly = 1;
    ASSERT_EQ(s.find("UNKNOWN"), 1);
    EXPECT_DOUBLE_EQ(in.elmm[kWorkSlot], 15.5);
}

TEST(TleRead, TruncatedEntriesGiveNoMatch)
{
    // Cut entries are not found (that garbage never crashes the reader is fuzzed).
    std::string statevector = kExample.substr(0, kExample.find("\n2") + 1);
    statevector.replace(12 + 39, 19, "+++++STATEVCT1+++++");
    const std::string cases[] = {
        "",
        kExample.substr(0, 40),                         // title and half a line 1
        kExample.substr(0, kExample.find("\n2")),       // no line 2
        kExample.substr(0, 72) + "\n" + kExample.substr(82, 50) + "\n",  // short lines
        statevector + "1 2 3\n",                        // short position line
    };
    for (const std::string& content : cases) {
        Search s(holding(content));
        EXPECT_EQ(s.find("ISS") + s.find("", 1, 25544) + s.find("*"), 0) << content;
    }
    Search none(std::fopen("/nonexistent/visual.txt", "r"));
    EXPECT_EQ(none.find("ISS"), 0);
}

TEST(TleSelection, ListOfAtMostTenAndDefaultNames)
{
    Search s(std::fopen(kVisual.c_str(), "r"));
    WinpData& in = *s.in;
    EXPECT_EQ(vsSatList(&in), "TLE filename:./visual.txt\n\n*** No Satellites Selected ***");
    for (int k = 0; k < 11; ++k) {
        ASSERT_EQ(s.find("", 1, k < 10 ? 25544 : 20580), 1);
        vsSatSel(&in);
        EXPECT_EQ(in.satname[kWorkSlot][0], '#');
    }
    EXPECT_TRUE(in.nsat == kMaxSat && in.satno[kMaxSat - 1] == 20580);  // the eleventh took the last slot
    EXPECT_EQ(vsSatList(&in).rfind("TLE filename:./visual.txt\n\nSelected Satellites:\n\n  ISS", 0),
              0u);
    char name[105] = "*orbika.tle";
    vsFileName(&in, name);
    EXPECT_STREQ(name, "./orbika.tle");
}
