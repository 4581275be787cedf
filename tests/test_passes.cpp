#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/cataloguesearch.h"
#include "core/passpage.h"
#include "core/passsearch.h"
#include "core/satstate.h"
#include "core/savesort.h"
#include "core/timeset.h"
#include "pass_reference.h"

namespace {
// Instant (MJD) of a pass list cell "FEB dd  hh:mm:ss" of the reference window.
double cellMjd(const std::string& cell)
{
    int day = 0, h = 0, m = 0, s = 0;
    EXPECT_EQ(std::sscanf(cell.c_str(), "FEB %d %d:%d:%d", &day, &h, &m, &s), 4) << cell;
    return kRefWindowStart + (day - 22) + (h * 3600 + m * 60 + s) * kSecond;
}

// Settings with the TLE file of the three reference satellites in the current directory.
std::unique_ptr<WinpData> withReferenceFile(char site)
{
    std::ofstream("ref.tle") << referenceTle(kIss) << referenceTle(kHst) << referenceTle(kTitan);
    auto in = referenceSettings(site);
    std::snprintf(in->tlefile, sizeof in->tlefile, "ref.tle");
    return in;
}

// Pass edges over [t0, t1] (MJD) from a 1-s elevation scan of slot 0, crossings interpolated;
// t0 and t1 count as edges when the satellite is up there.
std::vector<double> scannedEdges(WinpData* in, SatPosData* sp, double t0, double t1)
{
    const auto excess = [&](double t) {
        GetHorizonPos(t, in, sp, 0);
        return sp->elev[0] - in->minsatelev;
    };
    std::vector<double> edges;
    double e = excess(t0);
    if (e >= 0.0) edges.push_back(t0);
    for (double t = t0; t + kSecond <= t1; t += kSecond) {
        const double next = excess(t + kSecond);
        if ((e >= 0.0) != (next >= 0.0)) edges.push_back(t + kSecond * e / (e - next));
        e = next;
    }
    if (e >= 0.0) edges.push_back(t1);
    return edges;
}
}  // namespace

TEST(Passes, EveryReferencePassAndTheCrossingsOfEccentricOrbitsAreFound)
{
    auto sp = stateRecord();
    for (const int satno : {kIss, kHst, kTitan}) {
        for (const char site : {'A', 'B'}) {
            auto in = referenceSelection(site, satno);
            const std::vector<PassEvent> found = FindPasses(in.get(), 0, kRefWindowStart, kRefWindowEnd, sp.get());
            const std::vector<RefRow> ref = referenceRows("PASS", satno, site);
            // Nothing beyond the reference passes.
            ASSERT_EQ(found.size(), ref.size()) << satno << " site " << site;
            for (size_t k = 0; k < ref.size(); ++k) {
                SCOPED_TRACE(testing::Message() << satno << " site " << site << " pass " << k);
                EXPECT_NEAR(found[k].tm[0], ref[k].rise, kSecond);
                EXPECT_NEAR(found[k].tm[2], ref[k].set, kSecond);
                EXPECT_NEAR(found[k].tm[1], ref[k].culm, kSecond);
                EXPECT_NEAR(found[k].el[1], ref[k].culmEl, 0.01);
                EXPECT_NEAR(found[k].el[0], 10.0, 0.01);  // the start within ms of the crossing
            }
        }
    }
    // Orbits of 580 x 3400 km and 250 x 35,800 km: long coarse steps, yet every edge within 1 s.
    const char* const orbits[][2] = {
        {"1 03669U 69009A   26052.78820554  .00000156  00000+0  94474-4 0  9995",
         "2 03669  88.4555 157.0413 1707822 121.2445 256.7223 11.30408184346738"},
        {"1 99001U 26001A   26052.50000000  .00000000  00000-0  00000-0 0  9998",
         "2 99001  27.0000 120.0000 7300000 180.0000  10.0000  2.25000000   103"}};
    const double sites[][2] = {{48.1, 11.6}, {-33.9, 18.4}, {64.8, -147.7}, {0.5, 100.0}};
    for (const auto& orbit : orbits) {
        for (const auto& site : sites) {
            auto in = referenceSettings('A');
            in->obslat = site[0];
            in->obslon = site[1];
            selectElements(in.get(), orbit[0], orbit[1]);
            const double t0 = kRefWindowStart, t1 = t0 + 1.5;
            const std::vector<double> edges = scannedEdges(in.get(), sp.get(), t0, t1);
            const std::vector<PassEvent> passes = FindPasses(in.get(), 0, t0, t1, sp.get());
            SCOPED_TRACE(testing::Message() << orbit[1] << " at " << site[0] << ", " << site[1]);
            ASSERT_EQ(2 * passes.size(), edges.size());
            for (size_t k = 0; k < passes.size(); ++k) {
                EXPECT_NEAR(passes[k].tm[0], edges[2 * k], kSecond) << k;
                EXPECT_NEAR(passes[k].tm[2], edges[2 * k + 1], kSecond) << k;
                if (passes[k].tm[0] > t0) {
                    EXPECT_NEAR(passes[k].el[0], 10.0, 0.05) << k;
                }
            }
        }
    }
}

TEST(Passes, EdgesOfTheIntervalContinuationAndBackwardSearch)
{
    const std::vector<RefRow> iss = referenceRows("PASS", kIss, 'A');
    auto in = referenceSelection('A', kIss);
    auto sp = stateRecord();
    double tm[3], el[3], az[3];
    // A pass under way at the interval start starts there unrefined; at the end, ends there.
    const double mid = 0.5 * (iss[0].rise + iss[0].set);
    ASSERT_EQ(nextpass(in.get(), 0, mid, mid + 1.0, tm, el, az, sp.get()), 1);
    EXPECT_EQ(tm[0], mid);
    EXPECT_NEAR(tm[2], iss[0].set, kSecond);
    ASSERT_EQ(nextpass(in.get(), 0, iss[0].rise - 0.01, mid, tm, el, az, sp.get()), 1);
    EXPECT_EQ(tm[2], mid);
    // With passcont the pass in progress is stepped over, forward and backward.
    in->passcont = 1;
    ASSERT_EQ(nextpass(in.get(), 0, mid, mid + 1.0, tm, el, az, sp.get()), 1);
    EXPECT_NEAR(tm[0], iss[1].rise, kSecond);
    const double mid1 = 0.5 * (iss[1].rise + iss[1].set);
    ASSERT_EQ(lastpass(in.get(), 0, mid1, mid1 - 1.0, tm, el, az, sp.get()), 1);
    EXPECT_NEAR(tm[0], iss[0].set, 1.5 * kSecond);
    // Searching backward finds the same passes, end first, in 1-s steps.
    in->passcont = 0;
    for (size_t k = 1; k < iss.size(); ++k) {
        ASSERT_EQ(lastpass(in.get(), 0, iss[k].set + 0.01, iss[k].set - 1.0, tm, el, az, sp.get()), 1);
        EXPECT_NEAR(tm[0], iss[k].set, 1.5 * kSecond) << k;
        EXPECT_NEAR(tm[2], iss[k].rise, 1.5 * kSecond) << k;
        EXPECT_NEAR(el[1], iss[k].culmEl, 0.01) << k;
    }
    EXPECT_EQ(nextpass(in.get(), 0, iss.back().set + 0.01, kRefWindowEnd, tm, el, az, sp.get()), 0);
}

TEST(Passes, PassListPageMessagesAndAutosave)
{
    ScopedTempDir tmp;
    auto sp = stateRecord();
    auto in = referenceSelection('A', kIss);
    const PassPage page = PassPageLines(in.get(), sp.get());
    const RefRow first = referenceRows("PASS", kIss, 'A')[0];
    // Ten header lines, the 15 passes with a blank after the fifth; pass lines and the heading tagged.
    ASSERT_EQ(page.size(), 10u + 15 + 1);
    EXPECT_EQ(page[3].text, " Satellite: ISS (ZARYA)         ");
    EXPECT_EQ(page[8].text, "    Start (Azim.,Elev.)    Maximum (Azim.,Elev.)  End (Azim.,Elev.)");
    EXPECT_EQ(page[20].text, " ");
    for (size_t k = 0; k < page.size(); ++k) EXPECT_EQ(page[k].tagged, k == 8 || (k >= 10 && k != 20)) << k;
    // ".FEB 22   2:20:11 (223, 10)   2:23:24 (148, 47)   2:26:40 ( 73, 10)"
    int elm;
    ASSERT_EQ(std::sscanf(page[10].text.c_str() + 28, "%*d:%*d:%*d (%*d,%d)", &elm), 1) << page[10].text;
    EXPECT_NEAR(cellMjd(page[10].text.substr(1)), first.rise, 1.5 * kSecond);
    EXPECT_NEAR(elm, first.culmEl, 0.5);
    EXPECT_EQ(in->npass, 15);
    in = referenceSettings('A');
    EXPECT_EQ(passPage(in.get(), sp.get()).at(1), " *** No satellite has been selected ***");
    // HST never rises 10 deg above 48 N; the first page replaces the save file, later ones append.
    selectReference(in.get(), 0, kHst);
    std::snprintf(in->savename, sizeof in->savename, "save.txt");
    in->autosave = in->savenew = 1;
    std::vector<std::string> lines = passPage(in.get(), sp.get());
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[10], " *** No suitable pass found within time interval ***");
    EXPECT_EQ(in->savenew, 0);
    EXPECT_EQ(splitLines(readFile("save.txt")).size(), 3u + 12);
    selectReference(in.get(), 0, kIss);
    lines = passPage(in.get(), sp.get());
    const std::vector<std::string> saved = splitLines(readFile("save.txt"));
    ASSERT_EQ(saved.size(), 2 * 3u + 12 + 26);
    EXPECT_EQ(saved.back(), lines.at(25));
}

TEST(Passes, PageLimitAndStoredStarts)
{
    // A polar orbiter seen from 82 N passes on nearly every revolution: 200 passes in 14 days.
    auto in = referenceSettings('A');
    selectElements(in.get(), "1 00733U 64002A   26053.03242677  .00000191  00000+0  85373-4 0  9992",
                   "2 00733  99.1230  65.5167 0032090 305.1447  54.6730 14.34009749236059");
    in->obslat = 82.0;
    in->duration = 14.0;
    auto sp = stateRecord();
    const std::vector<PassEvent> all = FindPasses(in.get(), 0, kRefWindowStart, kRefWindowStart + 14.0, sp.get());
    ASSERT_GT(all.size(), 150u);
    // The page says that it stops; the complete page holds every pass.
    const std::vector<std::string> lines = passPage(in.get(), sp.get());
    ASSERT_EQ(lines.size(), static_cast<size_t>(kPageLines));
    EXPECT_EQ(lines.back(), " *** List truncated after 158 lines ***");
    const PassPage page = PassPageLines(in.get(), sp.get());
    EXPECT_EQ(std::count_if(page.begin(), page.end(), [](const PageLine& l) { return l.tagged; }),
              static_cast<long>(all.size()) + 1);  // the column heading is tagged too
    EXPECT_EQ(in->npass, kMaxPasses);
    for (int k = 0; k < kMaxPasses; ++k) EXPECT_EQ(in->passaos[k], all[k].tm[0]);
}

TEST(Passes, SortAosOrdersPassLinesByTheirStartAcrossTheYearEnd)
{
    // Searches from 30 Dec 2026 and 2 Jan 2027: headers first, other text last, blank every five.
    ScopedTempDir tmp;
    auto in = referenceSettings('A');
    std::snprintf(in->savename, sizeof in->savename, "sort.txt");
    std::ofstream("sort.txt") << "Geographic Location: Here\n Year: 2026 \n=====\n\nJAN  1   0:10:00 (  1,  2)   C\n"
                                 "DEC 31  23:50:00 (  1,  2)   B\nsome other line of text\nJAN  2   1:00:00 (  1,  2)   E\n"
                                 "DEC 30   5:00:00 (  1,  2)   A\n Year: 2027 \n\nJAN  2   0:30:00 (  1,  2)   D\n"
                                 "JAN  3   0:30:00 (  1,  2)   F\n";
    ASSERT_TRUE(SortAos(in.get()));
    EXPECT_EQ(readFile("sort.txt"), "Geographic Location: Here\n Year: 2026 \n=====\n Year: 2027 \n\n"
                                    "DEC 30   5:00:00 (  1,  2)   A\nDEC 31  23:50:00 (  1,  2)   B\n"
                                    "JAN  1   0:10:00 (  1,  2)   C\nJAN  2   0:30:00 (  1,  2)   D\n"
                                    "JAN  2   1:00:00 (  1,  2)   E\n\nJAN  3   0:30:00 (  1,  2)   F\n"
                                    "some other line of text\n");
    EXPECT_FALSE(std::ifstream("sort.txt.tmp").good());
    std::snprintf(in->savename, sizeof in->savename, "missing.txt");
    EXPECT_FALSE(SortAos(in.get()));
}

TEST(Passes, AllSatellitePassesGoSortedToTheSaveFile)
{
    ScopedTempDir tmp;
    auto in = withReferenceFile('A');
    std::snprintf(in->savename, sizeof in->savename, "all.txt");
    selectReference(in.get(), 0, kHst);
    auto sp = stateRecord();
    ASSERT_EQ(AllSatAos(in.get(), sp.get()), 0);
    EXPECT_TRUE(in->nsat == 1 && in->satno[0] == kHst);  // the selection is kept
    // Six header lines, then ISS and rocket body passes in time order, a blank before every fifth.
    const std::vector<std::string> lines = splitLines(readFile("all.txt"));
    ASSERT_EQ(lines.size(), 6u + 28 + 6);
    EXPECT_EQ(lines[5], "  Start (Azim.,Elev.)    Maximum (Azim.,MaxElev.)     End (Azim.,Elev.)");
    std::vector<RefRow> ref = referenceRows("PASS", kIss, 'A');
    for (const RefRow& r : referenceRows("PASS", kTitan, 'A')) ref.push_back(r);
    std::sort(ref.begin(), ref.end(), [](const RefRow& a, const RefRow& b) { return a.rise < b.rise; });
    for (size_t k = 6, n = 0; k < lines.size(); ++k) {
        if ((k - 6) % 6 == 0) {
            EXPECT_EQ(lines[k], "");
            continue;
        }
        EXPECT_NEAR(cellMjd(lines[k]), ref[n].rise, 1.5 * kSecond) << lines[k];
        const std::string name = ref[n++].satno == kIss ? "   ISS (ZARYA)" : "   TITAN 4B R/B";
        EXPECT_EQ(lines[k].substr(lines[k].size() - name.size()), name);
    }
    // A second run is appended: both headers first, the pass lines merged.
    ASSERT_EQ(AllSatAos(in.get(), sp.get()), 0);
    EXPECT_EQ(splitLines(readFile("all.txt")).size(), 12u + 56 + 12);
}

TEST(Passes, NextSatellitesToPass)
{
    ScopedTempDir tmp;
    auto in = withReferenceFile('A');
    auto sp = stateRecord();
    // Sets the clock offset that makes the real-time instant t (MJD).
    const auto setNow = [&](double t) { in->rtoffset += (t - RT_MJD(in.get())) * 24.0; };
    // From 02:10 UTC the ISS rises at 02:20, the rocket body at 03:28, the telescope never.
    const double now = kRefWindowStart + 130.0 / 1440.0;
    setNow(now);
    ASSERT_EQ(Nxt4Pass(in.get(), sp.get()), 2);
    EXPECT_TRUE(in->nsat == 2 && in->prime == 0 && in->satno[0] == kIss && in->satno[1] == kTitan);
    // A pass less than 0.0018 day (2.6 min) away does not count.
    setNow(kRefWindowStart + 138.5 / 1440.0);
    ASSERT_EQ(Nxt4Pass(in.get(), sp.get()), 1);
    EXPECT_EQ(in->satno[0], kTitan);
    std::snprintf(in->tlefile, sizeof in->tlefile, "missing.tle");
    EXPECT_EQ(Nxt4Pass(in.get(), sp.get()), -1);
}
