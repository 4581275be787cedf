#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "core/passes.h"
#include "core/satstate.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "pass_reference.h"

namespace {
constexpr double kSecond = 1.0 / 86400.0;

// Text of page line k without the tag byte, and whether it is tagged.
std::string pageLine(const WoutData* out, int k) { return std::string(out->lines[k], strnlen(out->lines[k], kTagByte)); }
bool tagged(const WoutData* out, int k) { return out->lines[k][kTagByte] == kLineTag; }

// Lines of a text file.
std::vector<std::string> fileLines(const std::string& path)
{
    std::ifstream f(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(f, line);) lines.push_back(line);
    return lines;
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Makes a fresh temporary directory the current one for the life of the object.
class InTempDir {
public:
    InTempDir()
    {
        char pattern[] = "/tmp/orbika_passes_XXXXXX";
        dir_ = mkdtemp(pattern);
        old_ = getcwd(nullptr, 0);
        EXPECT_EQ(chdir(dir_.c_str()), 0);
    }
    ~InTempDir()
    {
        EXPECT_EQ(chdir(old_), 0);
        std::free(old_);
        std::system(("rm -rf " + dir_).c_str());
    }
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
    char* old_;
};

// TLE file of the three reference satellites, title lines included.
std::string referenceTleFile(const std::string& dir)
{
    std::string text;
    for (const std::string& line : referenceLines()) {
        const size_t at = line.find("SAT ");
        if (line[0] == '#' && at != std::string::npos && line.find('"') != std::string::npos) {
            const size_t q = line.find('"');
            text += line.substr(q + 1, line.find('"', q + 1) - q - 1) + "\n";
        } else if (line.rfind("#     1 ", 0) == 0 || line.rfind("#     2 ", 0) == 0) {
            text += line.substr(6) + "\n";
        }
    }
    const std::string path = dir + "/reference.tle";
    writeFile(path, text);
    return path;
}
}  // namespace

TEST(Passes, EveryReferencePassIsFoundWithItsTimesAndCulmination)
{
    const std::vector<RefPass> ref = referencePasses();
    ASSERT_EQ(ref.size(), 58u);
    auto sp = stateRecord();
    for (const int satno : {kIss, kHst, kTitan}) {
        for (const char site : {'A', 'B'}) {
            auto in = referenceSettings(site);
            selectReference(in.get(), 0, satno);
            const std::vector<PassEvent> found = FindPasses(in.get(), 0, kRefWindowStart, kRefWindowEnd, sp.get());
            size_t expected = 0;
            for (const RefPass& r : ref) {
                if (r.satno != satno || r.site != site) continue;
                ++expected;
                SCOPED_TRACE(testing::Message() << satno << " site " << site << " pass " << r.number);
                const PassEvent* match = nullptr;
                for (const PassEvent& p : found)
                    if (std::fabs(p.tm[0] - r.rise) < 1.0 * kSecond) match = &p;
                ASSERT_NE(match, nullptr) << "no pass starts within 1 s of " << r.rise;
                EXPECT_NEAR(match->tm[2], r.set, 1.0 * kSecond);
                EXPECT_NEAR(match->tm[1], r.culm, 2.0 * kSecond);
                EXPECT_NEAR(match->el[1], r.culmEl, 0.01);
                EXPECT_NEAR(match->el[0], 10.0, 0.15);
                EXPECT_NEAR(match->el[2], 10.0, 0.15);
            }
            // Nothing beyond the reference passes (the one marginal true-site pass lasts 24 s).
            EXPECT_EQ(found.size(), expected) << satno << " site " << site;
        }
    }
}

TEST(Passes, EdgesOfTheSearchIntervalAndContinuation)
{
    std::vector<RefPass> iss;
    for (const RefPass& r : referencePasses())
        if (r.satno == kIss && r.site == 'A') iss.push_back(r);
    auto in = referenceSettings('A');
    selectReference(in.get(), 0, kIss);
    auto sp = stateRecord();
    double tm[3], el[3], az[3];

    // A pass under way at the interval start starts there, unrefined; one under way at the
    // interval end ends there.
    const double mid = 0.5 * (iss[0].rise + iss[0].set);
    ASSERT_EQ(nextpass(in.get(), 0, mid, mid + 1.0, tm, el, az, sp.get()), 1);
    EXPECT_EQ(tm[0], mid);
    EXPECT_NEAR(tm[2], iss[0].set, kSecond);
    ASSERT_EQ(nextpass(in.get(), 0, iss[0].rise - 0.01, mid, tm, el, az, sp.get()), 1);
    EXPECT_NEAR(tm[0], iss[0].rise, kSecond);
    EXPECT_EQ(tm[2], mid);
    EXPECT_LE(tm[1], mid);

    // With passcont the pass in progress is stepped over.
    in->passcont = 1;
    ASSERT_EQ(nextpass(in.get(), 0, mid, mid + 1.0, tm, el, az, sp.get()), 1);
    EXPECT_NEAR(tm[0], iss[1].rise, kSecond);
    const double end = gpassend(in.get(), sp.get(), 0, mid, mid + 1.0);
    EXPECT_GT(end, iss[0].set);
    EXPECT_LE(end, iss[0].set + 60.0 * kSecond);
    EXPECT_EQ(gpassend(in.get(), sp.get(), 0, iss[0].set + 0.01, mid + 1.0), iss[0].set + 0.01);
    const double begin = gpassbeg(in.get(), sp.get(), 0, mid, mid - 1.0);
    EXPECT_LT(begin, iss[0].rise);
    EXPECT_GE(begin, iss[0].rise - 60.0 * kSecond);

    // Searching backward finds the same passes: end first, then the beginning, 1-s steps.
    for (size_t k = 1; k < iss.size(); ++k) {
        SCOPED_TRACE(k);
        in->passcont = 0;
        ASSERT_EQ(lastpass(in.get(), 0, iss[k].set + 0.01, iss[k].set - 1.0, tm, el, az, sp.get()), 1);
        EXPECT_NEAR(tm[0], iss[k].set, 1.5 * kSecond);
        EXPECT_NEAR(tm[2], iss[k].rise, 1.5 * kSecond);
        EXPECT_NEAR(tm[1], iss[k].culm, 2.0 * kSecond);
        EXPECT_NEAR(el[1], iss[k].culmEl, 0.01);
        // From inside the pass, passcont steps back over it to the one before.
        in->passcont = 1;
        ASSERT_EQ(lastpass(in.get(), 0, iss[k].culm, iss[k].culm - 1.0, tm, el, az, sp.get()), 1);
        EXPECT_NEAR(tm[0], iss[k - 1].set, 1.5 * kSecond);
    }
    in->passcont = 0;
    EXPECT_EQ(nextpass(in.get(), 0, iss.back().set + 0.01, iss.back().set + 0.1, tm, el, az, sp.get()), 0);
}

TEST(Passes, PassListPage)
{
    auto in = referenceSettings('A');
    selectReference(in.get(), 0, kIss);
    auto out = std::make_unique<WoutData>();
    auto sp = stateRecord();
    aospass(in.get(), out.get(), sp.get());

    const std::vector<std::string> header = {
        " Geographic Location: Default",
        " Lat.: 48.1   Long.: 11.6   Height: 500",
        " ",
        " Satellite: ISS (ZARYA)         ",
        " " + std::string(71, '='),
        " min.Sat.Elev.: 10   max.Sun Elev.: 90",
        " Year: 2026  +++ Timezone: 0 +++",
        " ",
        "    Start (Azim.,Elev.)    Maximum (Azim.,Elev.)  End (Azim.,Elev.)",
    };
    ASSERT_EQ(out->nlines, 9 + 15 + 2);
    for (size_t k = 0; k < header.size(); ++k) {
        EXPECT_EQ(pageLine(out.get(), k), header[k]);
        EXPECT_EQ(tagged(out.get(), k), k == 8);
    }
    // A blank line before the first and the eleventh pass; pass lines tagged, times as listed.
    EXPECT_EQ(pageLine(out.get(), 9), " ");
    EXPECT_EQ(pageLine(out.get(), 20), " ");
    std::vector<RefPass> iss;
    for (const RefPass& r : referencePasses())
        if (r.satno == kIss && r.site == 'A') iss.push_back(r);
    ASSERT_EQ(in->npass, 15);
    int k = 10;
    for (int n = 0; n < 15; ++n, ++k) {
        if (k == 20) ++k;
        SCOPED_TRACE(pageLine(out.get(), k));
        EXPECT_TRUE(tagged(out.get(), k));
        char mon[4];
        int day, h[3], m[3], s[3], e[3], a[3];
        ASSERT_EQ(std::sscanf(out->lines[k], ".%3s %d %d:%d:%d (%d,%d) %d:%d:%d (%d,%d) %d:%d:%d (%d,%d)", mon, &day,
                              &h[0], &m[0], &s[0], &a[0], &e[0], &h[1], &m[1], &s[1], &a[1], &e[1], &h[2], &m[2],
                              &s[2], &a[2], &e[2]),
                  17);
        EXPECT_STREQ(mon, "FEB");
        const double start = std::floor(iss[n].rise) + (h[0] * 3600 + m[0] * 60 + s[0]) * kSecond;
        EXPECT_NEAR(start, iss[n].rise, 1.5 * kSecond);
        EXPECT_EQ(day, 22 + static_cast<int>(iss[n].rise - kRefWindowStart));
        EXPECT_NEAR(e[1], iss[n].culmEl, 0.5);
        EXPECT_NEAR(e[0], 10, 0.5);
        EXPECT_NEAR(in->passaos[n], iss[n].rise, kSecond);
    }

    // Visible passes only, in darkness: a subset, each visible at its middle.
    in->visonly = 1;
    in->maxsunelev = -6.0;
    aospass(in.get(), out.get(), sp.get());
    EXPECT_EQ(pageLine(out.get(), 5), " min.Sat.Elev.: 10   max.Sun Elev.: -6   visible passes only");
    EXPECT_GT(in->npass, 0);
    EXPECT_LT(in->npass, 15);
    const std::vector<PassEvent> lit = FindPasses(in.get(), 0, kRefWindowStart, kRefWindowEnd, sp.get());
    ASSERT_EQ(static_cast<int>(lit.size()), in->npass);
    for (const PassEvent& p : lit) {
        GetSatPos(0.5 * (p.tm[0] + p.tm[2]), in.get(), sp.get(), 0, 0);
        EXPECT_TRUE(cksatok(in.get(), sp.get(), 0));
        EXPECT_GE(sp->sunlit[0], 0.0);
        EXPECT_LT(sp->sunelev, -6.0);
    }
    in->moonvis = 1;
    aospass(in.get(), out.get(), sp.get());
    EXPECT_EQ(pageLine(out.get(), 5), " min.Sat.Elev.: 10   max.Sun Elev.: -6   Moonshine passes only");
}

TEST(Passes, PageMessagesAndAutosave)
{
    auto out = std::make_unique<WoutData>();
    auto sp = stateRecord();
    auto in = referenceSettings('A');
    aospass(in.get(), out.get(), sp.get());
    ASSERT_EQ(out->nlines, 5);
    EXPECT_EQ(pageLine(out.get(), 1), " *** No satellite has been selected ***");
    EXPECT_EQ(pageLine(out.get(), 2), " Use the Input / Select Satellite menu");
    EXPECT_EQ(pageLine(out.get(), 3), " (and don't forget to press the SELECT button)");
    EXPECT_EQ(pageLine(out.get(), 4), " ");

    // The Hubble telescope never rises 10 degrees above a site at 48 N.
    selectReference(in.get(), 0, kHst);
    InTempDir tmp;
    std::snprintf(in->savename, sizeof in->savename, "save.txt");
    in->autosave = 1;
    in->savenew = 1;
    aospass(in.get(), out.get(), sp.get());
    ASSERT_EQ(out->nlines, 12);
    EXPECT_EQ(pageLine(out.get(), 10), " *** No suitable pass found within time interval ***");
    EXPECT_EQ(in->npass, 0);
    EXPECT_EQ(in->savenew, 0);
    std::vector<std::string> saved = fileLines("save.txt");
    ASSERT_EQ(saved.size(), 3u + 12);
    EXPECT_EQ(saved[3], " Geographic Location: Default");
    EXPECT_EQ(saved[13], " *** No suitable pass found within time interval ***");
    // Later pages are appended.
    selectReference(in.get(), 0, kIss);
    aospass(in.get(), out.get(), sp.get());
    saved = fileLines("save.txt");
    ASSERT_EQ(saved.size(), 2 * 3u + 12 + 26);
    EXPECT_EQ(saved.back(), pageLine(out.get(), 25));
}

TEST(Passes, PageLimitAndStoredStartsOverManyPasses)
{
    // A polar orbiter seen from 82 N passes on nearly every revolution: 200 passes in 14 days.
    auto in = referenceSettings('A');
    TleFields tle{};
    ASSERT_TRUE(ParseTleLine1("1 00733U 64002A   26053.03242677  .00000191  00000+0  85373-4 0  9992", tle));
    ASSERT_TRUE(ParseTleLine2("2 00733  99.1230  65.5167 0032090 305.1447  54.6730 14.34009749236059", tle));
    StoreTle(in.get(), 0, tle);
    in->nsat = 1;
    in->obslat = 82.0;
    in->duration = 14.0;
    auto out = std::make_unique<WoutData>();
    auto sp = stateRecord();
    const std::vector<PassEvent> all = FindPasses(in.get(), 0, kRefWindowStart, kRefWindowStart + 14.0, sp.get());
    ASSERT_GT(all.size(), 150u);
    aospass(in.get(), out.get(), sp.get());
    EXPECT_EQ(out->nlines, kPageLines);
    EXPECT_EQ(in->npass, kMaxPasses);
    for (int k = 0; k < kMaxPasses; ++k) EXPECT_EQ(in->passaos[k], all[k].tm[0]);
    // Passes never overlap and the fast satellite skips at least an hour after each one.
    for (size_t k = 1; k < all.size(); ++k) EXPECT_GT(all[k].tm[0], all[k - 1].tm[2] + 1.0 / 24.0);
}

TEST(Passes, RelativeModeListsMutualViewWithThePrimesPoint)
{
    auto in = referenceSettings('A');
    selectReference(in.get(), 0, kIss);
    selectReference(in.get(), 1, kHst);
    in->relmode = 1;
    in->duration = 1.0;
    auto out = std::make_unique<WoutData>();
    auto sp = stateRecord();
    aospass(in.get(), out.get(), sp.get());
    EXPECT_EQ(pageLine(out.get(), 4), " HST                 ");
    EXPECT_EQ(pageLine(out.get(), 6), "");
    EXPECT_EQ(pageLine(out.get(), 9), "       Start (Long.,Lat.)     End (Long.,Lat.)");
    ASSERT_GT(in->npass, 0);
    // Each line: start and end cells with the ISS sub-point (longitude, latitude).
    auto alone = referenceSettings('A');
    selectReference(alone.get(), 0, kIss);
    for (int n = 0, k = 11; n < in->npass && k < out->nlines; ++n, ++k) {
        if (pageLine(out.get(), k) == " ") ++k;
        int h1, m1, s1, lon1, lat1, h2, m2, s2, lon2, lat2;
        char mon[4];
        int day;
        ASSERT_EQ(std::sscanf(out->lines[k], ".%3s %d %d:%d:%d (%d,%d) %d:%d:%d (%d,%d)", mon, &day, &h1, &m1, &s1,
                              &lon1, &lat1, &h2, &m2, &s2, &lon2, &lat2),
                  12)
            << out->lines[k];
        GetSatPos(in->passaos[n], alone.get(), sp.get(), 0, 0);
        EXPECT_NEAR(lat1, sp->lat[0], 1.0);
        EXPECT_NEAR(lon1, sp->lon[0], 1.0);
    }
}

TEST(Passes, SortAosOrdersPassLinesByMonthDayAndTime)
{
    InTempDir tmp;
    auto in = referenceSettings('A');
    std::snprintf(in->savename, sizeof in->savename, "sort.txt");
    writeFile("sort.txt",
              "Geographic Location: Here\n Lat.: 1   Long.: 2   Height: 3 \nmin.Sat.Elev.: 10\n"
              " Year: 2026  +++ Timezone: 0 +++ \n=====\n\n  Start (Azim.,Elev.)\n\n"
              "MAR  1   1:00:00 (  1,  2)   C\n"
              "FEB 22   2:00:00 (  1,  2)   B1\n"
              "some other line of text\n"
              "JAN  5  23:00:00 (  1,  2)   A\n"
              "short line\n"
              "FEB 22   1:00:00 (  1,  2)   B0\n"
              "DEC 31   0:00:00 (  1,  2)   D\n"
              "FEB 22   2:00:00 (  9,  9)   B2\n"
              "FEB  5   2:00:00 (  1,  2)   Bx\n");
    ASSERT_TRUE(SortAos(in.get()));
    const std::vector<std::string> expected = {
        "Geographic Location: Here", " Lat.: 1   Long.: 2   Height: 3 ", "min.Sat.Elev.: 10",
        " Year: 2026  +++ Timezone: 0 +++ ", "=====", "  Start (Azim.,Elev.)", "",
        "JAN  5  23:00:00 (  1,  2)   A", "FEB  5   2:00:00 (  1,  2)   Bx", "FEB 22   1:00:00 (  1,  2)   B0",
        "FEB 22   2:00:00 (  1,  2)   B1", "FEB 22   2:00:00 (  9,  9)   B2", "",
        "MAR  1   1:00:00 (  1,  2)   C", "DEC 31   0:00:00 (  1,  2)   D", "some other line of text"};
    EXPECT_EQ(fileLines("sort.txt"), expected);
    EXPECT_FALSE(std::ifstream(kSortTempFile).good());

    std::snprintf(in->savename, sizeof in->savename, "missing.txt");
    EXPECT_FALSE(SortAos(in.get()));
    EXPECT_FALSE(std::ifstream(kSortTempFile).good());
}

TEST(Passes, AllSatellitePassesGoSortedToTheSaveFile)
{
    InTempDir tmp;
    auto in = referenceSettings('A');
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", referenceTleFile(tmp.dir()).c_str());
    std::snprintf(in->savename, sizeof in->savename, "all.txt");
    selectReference(in.get(), 0, kHst);
    auto sp = stateRecord();
    ASSERT_EQ(AllSatAos(in.get(), sp.get()), 0);
    EXPECT_EQ(in->savenew, 0);
    // The selection is as before.
    EXPECT_EQ(in->nsat, 1);
    EXPECT_EQ(in->satno[0], kHst);

    const std::vector<std::string> lines = fileLines("all.txt");
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Geographic Location: Default");
    EXPECT_EQ(lines[1], " Lat.: 48.1   Long.: 11.6   Height: 500 ");
    EXPECT_EQ(lines[2], "min.Sat.Elev.: 10   max.Sun Elev.: 90");
    EXPECT_EQ(lines[3], " Year: 2026  +++ Timezone: 0 +++ ");
    EXPECT_EQ(lines[4], std::string(71, '='));
    EXPECT_EQ(lines[5], "  Start (Azim.,Elev.)    Maximum (Azim.,MaxElev.)     End (Azim.,Elev.)");
    // ISS and TITAN passes (HST has none at 48 N), in time order, a blank line before every fifth.
    std::vector<RefPass> ref;
    for (const RefPass& r : referencePasses())
        if (r.site == 'A') ref.push_back(r);
    ASSERT_EQ(ref.size(), 27u);
    std::sort(ref.begin(), ref.end(), [](const RefPass& a, const RefPass& b) { return a.rise < b.rise; });
    size_t n = 0;
    for (size_t k = 6; k < lines.size(); ++k) {
        if ((k - 6) % 6 == 0) {
            EXPECT_EQ(lines[k], "") << k;
            continue;
        }
        ASSERT_LT(n, ref.size());
        int day, h, m, s;
        ASSERT_EQ(std::sscanf(lines[k].c_str(), "FEB %d %d:%d:%d", &day, &h, &m, &s), 4) << lines[k];
        const double start = kRefWindowStart + (day - 22) + (h * 3600 + m * 60 + s) * kSecond;
        EXPECT_NEAR(start, ref[n].rise, 1.5 * kSecond) << lines[k];
        const std::string name = ref[n].satno == kIss ? "   ISS (ZARYA)" : "   TITAN 4B R/B";
        EXPECT_EQ(lines[k].substr(lines[k].size() - name.size()), name);
        ++n;
    }
    EXPECT_EQ(n, ref.size());

    // Appending a second run keeps both headers first and merges the pass lines.
    in->nsat = 0;
    ASSERT_EQ(AllSatAos(in.get(), sp.get()), 0);
    EXPECT_EQ(in->nsat, 0);
    const std::vector<std::string> twice = fileLines("all.txt");
    EXPECT_EQ(twice[6], lines[0]);
    EXPECT_EQ(twice.size(), 12 + 2 * ref.size() + (2 * ref.size() + 4) / 5);
    EXPECT_EQ(twice[13], twice[14]);

    // Files that cannot be opened: codes, and the save file is left as it was.
    writeFile("keep.txt", "keep\n");
    std::snprintf(in->savename, sizeof in->savename, "keep.txt");
    std::snprintf(in->tlefile, sizeof in->tlefile, "missing.tle");
    in->savenew = 1;
    EXPECT_EQ(AllSatAos(in.get(), sp.get()), 2);
    EXPECT_EQ(fileLines("keep.txt"), std::vector<std::string>{"keep"});
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s/reference.tle", tmp.dir().c_str());
    std::snprintf(in->savename, sizeof in->savename, "no/such/dir/all.txt");
    EXPECT_EQ(AllSatAos(in.get(), sp.get()), 1);
}

TEST(Passes, NextSatellitesToPass)
{
    InTempDir tmp;
    auto in = referenceSettings('A');
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", referenceTleFile(tmp.dir()).c_str());
    auto sp = stateRecord();
    // The clock offset (hours) that makes the real-time instant t.
    const auto setNow = [&](double t) { in->rtoffset = (t - RT_MJD(in.get())) * 24.0; };

    // From 02:10 UTC: the ISS rises at 02:20, the rocket body at 03:28, the telescope never.
    setNow(kRefWindowStart + 130.0 / 1440.0);
    ASSERT_EQ(Nxt4Pass(in.get(), sp.get()), 2);
    EXPECT_EQ(in->nsat, 2);
    EXPECT_EQ(in->prime, 0);
    EXPECT_EQ(in->satno[0], kIss);
    EXPECT_EQ(in->satno[1], kTitan);
    // A pass less than 0.0018 day (2.6 min) away does not count.
    setNow(kRefWindowStart + 138.5 / 1440.0);
    ASSERT_EQ(Nxt4Pass(in.get(), sp.get()), 1);
    EXPECT_EQ(in->satno[0], kTitan);

    // From the bundled file, the ten earliest passes starting in the next 0.1 day, in order.
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s/tle/visual.txt", ORBIKA_DATA_DIR);
    const double now = kRefWindowStart + 130.0 / 1440.0;
    setNow(now);
    ASSERT_EQ(Nxt4Pass(in.get(), sp.get()), kMaxSat);
    std::vector<double> kept;
    double tm[3], el[3], az[3];
    for (int k = 0; k < kMaxSat; ++k) {
        ASSERT_EQ(nextpass(in.get(), k, now, now + 0.1, tm, el, az, sp.get()), 1);
        kept.push_back(tm[0]);
    }
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    // No satellite of the file starts a pass between the lead time and the latest kept start
    // without being kept.
    std::FILE* f = std::fopen(in->tlefile, "r");
    ASSERT_NE(f, nullptr);
    char text[kTleTextBytes];
    int found, earlier = 0;
    do {
        std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "*");
        found = tleread(in.get(), f, text, 0);
        if (found == 0) break;
        ShiftElm(in.get(), 0, kWorkSlot);
        if (nextpass(in.get(), 0, now, now + 0.1, tm, el, az, sp.get()) == 1 && tm[0] > now + 0.0018
            && tm[0] <= kept.back())
            ++earlier;
    } while (found == 2);
    std::fclose(f);
    EXPECT_EQ(earlier, kMaxSat);

    std::snprintf(in->tlefile, sizeof in->tlefile, "missing.tle");
    EXPECT_EQ(Nxt4Pass(in.get(), sp.get()), -1);
}
