#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/defaults.h"
#include "core/match.h"
#include "core/passes.h"
#include "core/satstate.h"
#include "core/tlefile.h"
#include "iss_settings.h"
#include "scoped_env.h"

namespace {
constexpr double kDeg = M_PI / 180.0;
constexpr double kSecond = 1.0 / 86400.0;
const std::string kVisual = std::string(ORBIKA_DATA_DIR) + "/tle/visual.txt";
// Page line of the ISS entry of visual.txt.
const std::string kIssLine = " NORAD#: 25544  Int.Launch#: 1998-067A    ISS (ZARYA)";

// Where the ISS was seen: look angles (degrees), sky position (h.mmss, d.mmss, equinox 2000),
// the position angle of its motion (degrees, 0 up, 90 to the right) and the sub-point.
struct Sighting {
    double t, az, el, ra, dec, pa, lat, lon;
};

// The ISS at t from the site of IssSettings, or from (lat, lon) at sea level.
Sighting sightIss(double t, const double* site = nullptr)
{
    auto in = IssSettings();
    if (site) in->obslat = site[0], in->obslon = site[1], in->obshgt = 0.0;
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    GetSatPos(t + kSecond, in.get(), sp.get(), 0, 0);
    const double az1 = sp->azim[0], el1 = sp->elev[0];
    GetSatPos(t, in.get(), sp.get(), 0, 0);
    Sighting s{t, sp->azim[0], sp->elev[0], sp->ra[0], sp->dec[0], 0.0, sp->lat[0], sp->lon[0]};
    // Over one second the motion is a short straight step on the sky.
    s.pa = std::atan2((az1 - s.az) * std::cos(s.el * kDeg), el1 - s.el) / kDeg;
    return s;
}

// A minute before the ISS culminates in its first pass from 2026-02-22 00:00 UT at 10 degrees or more.
double issInstant()
{
    auto in = IssSettings();
    in->maxsunelev = 90.0;
    in->visonly = 0;
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    double tm[3], el[3], az[3];
    EXPECT_EQ(nextpass(in.get(), 0, 61093.0, 61094.0, tm, el, az, sp.get()), 1);
    return tm[1] - 60.0 * kSecond;
}

// Match settings at the site of IssSettings with visual.txt, nothing selected, centre s.
std::unique_ptr<WinpData> matchSettings(const Sighting& s, double dist, double window)
{
    auto in = IssSettings();
    in->nsat = 0;
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", kVisual.c_str());
    in->mjd = s.t;
    in->occra = s.az;
    in->occdec = s.el;
    in->occradec = 0;
    in->mtcdist = dist;
    in->mtcwin = window;
    in->mtcdirflg = 0;
    in->mtcodflg = false;
    in->mtcbright = false;
    return in;
}

// Runs SatMatch and returns its page lines.
std::vector<std::string> matchPage(WinpData* in, int expect = 0)
{
    auto out = std::make_unique<WoutData>();
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    EXPECT_EQ(SatMatch(in, out.get(), sp.get()), expect);
    std::vector<std::string> lines;
    for (int k = 0; k < out->nlines; ++k) lines.emplace_back(out->lines[k], strnlen(out->lines[k], kTagByte));
    return lines;
}

bool listsIss(WinpData* in)
{
    const std::vector<std::string> page = matchPage(in);
    return std::find(page.begin(), page.end(), kIssLine) != page.end();
}

// NORAD numbers of the entries of a TLE file, in order.
std::vector<int> fileNumbers(const std::string& path)
{
    std::ifstream f(path);
    std::vector<int> numbers;
    for (std::string line; std::getline(f, line);)
        if (line.rfind("1 ", 0) == 0) numbers.push_back(std::stoi(line.substr(2, 5)));
    return numbers;
}
}  // namespace

TEST(Match, TestOfOnePosition)
{
    const double cos2 = std::cos(2.0 * kDeg);
    auto ok = [&](double az1, double el1, double dir, bool dirflg, double az2, double el2) {
        return mtchok(cos2, 100.0 * kDeg, 40.0 * kDeg, az1 * kDeg, el1 * kDeg, dir * kDeg, dirflg, az2 * kDeg,
                      el2 * kDeg);
    };
    EXPECT_TRUE(ok(100.0, 41.9, 0.0, false, 0.0, 0.0));
    EXPECT_FALSE(ok(100.0, 42.1, 0.0, false, 0.0, 0.0));
    EXPECT_FALSE(ok(102.7, 40.0, 0.0, false, 0.0, 0.0));  // 2.07 degrees on the sky at 40 degrees elevation
    EXPECT_TRUE(ok(102.5, 40.0, 0.0, false, 0.0, 0.0));   // 1.92 degrees
    // Near the zenith 10 degrees of azimuth are 1.74 degrees on the sky.
    EXPECT_TRUE(mtchok(cos2, 100.0 * kDeg, 80.0 * kDeg, 110.0 * kDeg, 80.0 * kDeg, 0.0, false, 0.0, 0.0));
    EXPECT_FALSE(mtchok(std::nan(""), 1.0, 0.5, 1.0, 0.5, 0.0, false, 0.0, 0.0));

    // Rising: position angle 0; to the right: 90; to the left: -90; within 45 degrees.
    for (const double dir : {0.0, 30.0, -40.0}) EXPECT_TRUE(ok(100.0, 40.5, dir, true, 100.0, 40.6)) << dir;
    for (const double dir : {60.0, -90.0, 180.0}) EXPECT_FALSE(ok(100.0, 40.5, dir, true, 100.0, 40.6)) << dir;
    EXPECT_TRUE(ok(100.0, 40.5, 90.0, true, 100.1, 40.5));
    EXPECT_FALSE(ok(100.0, 40.5, -90.0, true, 100.1, 40.5));
    EXPECT_TRUE(ok(100.0, 40.5, -90.0, true, 99.9, 40.5));
    EXPECT_TRUE(ok(100.0, 40.5, 180.0, true, 100.0, 40.4));
    EXPECT_TRUE(ok(100.0, 40.5, 180.0, false, 100.0, 40.6));  // direction not asked for
    EXPECT_TRUE(ok(100.0, 40.5, 180.0, true, 100.0, 40.5));   // no motion: no direction to test
}

TEST(Match, BrighterObjectsRule)
{
    EXPECT_TRUE(BrightObject("1998-067A", 15.5));
    EXPECT_TRUE(BrightObject("1963-047E", 14.1));
    EXPECT_TRUE(BrightObject("1998-067b", 15.5));
    EXPECT_FALSE(BrightObject("1991-050F", 14.2));
    EXPECT_TRUE(BrightObject("1991-050F", 1.0));   // high orbit
    EXPECT_FALSE(BrightObject("2022-138AN", 15.0));
    EXPECT_FALSE(BrightObject("2022-138AN", 1.0));
    EXPECT_TRUE(BrightObject("", 15.0));
    EXPECT_TRUE(BrightObject("1998-067", 15.0));

    // Over a file of three entries, each seen from straight below within 180 degrees: the
    // fragment-lettered one is checked but not listed.
    ScopedTempDir dir;
    std::ifstream visual(kVisual);
    std::ofstream three("three.tle");
    std::string name, l1, l2;
    while (std::getline(visual, name) && std::getline(visual, l1) && std::getline(visual, l2))
        if (l1.find(" 91050F ") != std::string::npos || l1.find(" 98067A ") != std::string::npos
            || l1.find(" 63047A ") != std::string::npos)
            three << name << "\n" << l1 << "\n" << l2 << "\n";
    three.close();
    auto in = matchSettings({issInstant(), 0.0, 90.0, 0, 0, 0, 0, 0}, 180.0, 0.0);
    std::snprintf(in->tlefile, sizeof in->tlefile, "three.tle");
    EXPECT_EQ(matchPage(in.get()).back(), " Number of possible matches  : 3");
    in->mtcbright = true;
    const std::vector<std::string> page = matchPage(in.get());
    EXPECT_EQ(page.end()[-2], " Number of satellites checked: 3");
    EXPECT_EQ(page.back(), " Number of possible matches  : 2");
    for (const std::string& line : page) EXPECT_EQ(line.find("1991-050F"), std::string::npos);
}

TEST(Match, FindsTheSatelliteWhoseStateWasObserved)
{
    const Sighting iss = sightIss(issInstant());
    ASSERT_GT(iss.el, 10.0);
    ASSERT_LT(iss.el, 85.0);

    auto in = matchSettings(iss, 0.5, 1.0);
    const std::vector<std::string> page = matchPage(in.get());
    ASSERT_GE(page.size(), 8u);
    EXPECT_EQ(page[0], " Possible matches on TLE-file:");
    EXPECT_EQ(page[1], " " + kVisual);
    EXPECT_EQ(page[3], kIssLine);
    // Orbit sizes of the TLE: 51.6320 degrees, e = 0.0008512, a from Kepler's third law with
    // 15.4819 rev/day and GM = 398600.4418 km^3/s^2: 6796.6 km (J2 changes it by a few km).
    double incl, perigee, apogee;
    ASSERT_EQ(std::sscanf(page[4].c_str(), " Incl.: %lf   Perigee: %lf km  Apogee: %lf km", &incl, &perigee, &apogee), 3);
    EXPECT_EQ(page[4].substr(0, 16), " Incl.:  51.6320");
    EXPECT_NEAR(perigee, 6796.6 * (1.0 - 0.0008512) - 6378.137, 10.0);
    EXPECT_NEAR(apogee - perigee, 2.0 * 6796.6 * 0.0008512, 0.05);
    EXPECT_EQ(page.end()[-2], " Number of satellites checked: 149");
    EXPECT_EQ(in->satno[0], 25544);  // the first match joins the selection
    EXPECT_EQ(std::string(page.back()), " Number of possible matches  : " + std::to_string(in->nsat));

    // The same place given as R.A. and Dec., followed across the sky over a longer window.
    in = matchSettings(iss, 0.5, 3.0);
    in->occradec = 1;
    in->occra = iss.ra;
    in->occdec = iss.dec;
    EXPECT_TRUE(listsIss(in.get()));

    // Window: half an hour later the ISS is found only when the window reaches back.
    in = matchSettings(iss, 0.5, 1.0);
    in->mjd = iss.t + 30.0 / 1440.0;
    EXPECT_FALSE(listsIss(in.get()));
    in->mtcwin = 31.0;
    EXPECT_TRUE(listsIss(in.get()));

    // Distance, at the observed instant alone: a centre one degree higher.
    in = matchSettings(iss, 0.9, 0.0);
    EXPECT_TRUE(listsIss(in.get()));
    in->occdec = iss.el + 1.0;
    EXPECT_FALSE(listsIss(in.get()));
    in->mtcdist = 1.1;
    EXPECT_TRUE(listsIss(in.get()));

    // Direction of motion within 45 degrees.
    in = matchSettings(iss, 0.5, 1.0);
    in->mtcdirflg = 1;
    for (const double off : {0.0, 30.0, -30.0}) {
        in->mtcdir = iss.pa + off;
        EXPECT_TRUE(listsIss(in.get())) << off;
    }
    for (const double off : {60.0, 180.0}) {
        in->mtcdir = iss.pa + off;
        EXPECT_FALSE(listsIss(in.get())) << off;
    }
}

TEST(Match, DirectionIsNotTestedNearTheZenith)
{
    // A site below the ISS: start at its sub-point and move towards its azimuth by the
    // ground distance h tan(zenith distance), h = 420 km.
    const double t = issInstant();
    Sighting iss = sightIss(t);
    double site[2] = {iss.lat, iss.lon};
    for (int k = 0; k < 4; ++k) {
        iss = sightIss(t, site);
        const double d = std::atan(420.0 * std::tan((90.0 - iss.el) * kDeg) / 6378.0) / kDeg;
        site[0] += d * std::cos(iss.az * kDeg);
        site[1] += d * std::sin(iss.az * kDeg) / std::cos(site[0] * kDeg);
    }
    ASSERT_GT(iss.el, 89.1 - 0.5);
    auto in = matchSettings(iss, 0.5, 1.0);
    in->obslat = site[0];
    in->obslon = site[1];
    in->obshgt = 0.0;
    in->mtcdirflg = 1;
    // Four directions 90 degrees apart: at most two could pass a direction test.
    for (const double dir : {0.0, 90.0, 180.0, -90.0}) {
        in->mtcdir = dir;
        EXPECT_TRUE(listsIss(in.get())) << dir;
    }
}

TEST(Match, MatchesJoinTheSelection)
{
    const Sighting iss = sightIss(issInstant());
    // Three selected: the match takes slot 3; prime and relative mode stay.
    auto in = matchSettings(iss, 0.3, 0.5);
    for (int k = 1; k < 3; ++k) ShiftElm(in.get(), k, 0);
    in->nsat = 3;
    in->prime = 1;
    in->relmode = 1;
    ASSERT_TRUE(listsIss(in.get()));
    EXPECT_EQ(in->nsat, 4);
    EXPECT_EQ(in->satno[3], 25544);
    EXPECT_EQ(in->prime, 1);
    EXPECT_EQ(in->relmode, 1);

    // Ten selected: a search without matches leaves them; a match replaces the last.
    auto ten = matchSettings(iss, 0.3, 0.5);
    for (int k = 0; k < kMaxSat; ++k) ten->satno[k] = 100 + k;
    ten->nsat = kMaxSat;
    ten->mjd = iss.t + 0.5;
    EXPECT_FALSE(listsIss(ten.get()));
    EXPECT_EQ(ten->nsat, kMaxSat);
    EXPECT_EQ(ten->satno[9], 109);
    ten->mjd = iss.t;
    EXPECT_TRUE(listsIss(ten.get()));
    EXPECT_EQ(ten->nsat, kMaxSat);
    EXPECT_EQ(ten->satno[8], 108);
    EXPECT_EQ(ten->satno[9], 25544);
}

TEST(Match, StopsAfterFiftyMatches)
{
    // Seen from straight below within 180 degrees every satellite matches.
    auto in = matchSettings({issInstant(), 0.0, 90.0, 0, 0, 0, 0, 0}, 180.0, 0.0);
    const std::vector<std::string> page = matchPage(in.get());
    ASSERT_EQ(page.size(), 3u + 2 * kMaxMatches + 4);
    EXPECT_EQ(page[3 + 2 * kMaxMatches], " *** Output buffer full. More matches possible ***");
    EXPECT_EQ(page.end()[-2], " Number of satellites checked: 50");
    EXPECT_EQ(page.back(), " Number of possible matches  : 50");
    const std::vector<int> numbers = fileNumbers(kVisual);
    char first[16], last[16];
    std::snprintf(first, sizeof first, "NORAD#:%6i", numbers[0]);
    std::snprintf(last, sizeof last, "NORAD#:%6i", numbers[kMaxMatches - 1]);
    EXPECT_NE(page[3].find(first), std::string::npos);
    EXPECT_NE(page[1 + 2 * kMaxMatches].find(last), std::string::npos);
    // The first nine stay selected; the last slot, shared by the later candidates, keeps the last match.
    EXPECT_EQ(in->nsat, kMaxSat);
    for (int k = 0; k < kMaxSat - 1; ++k) EXPECT_EQ(in->satno[k], numbers[k]);
    EXPECT_EQ(in->satno[kMaxSat - 1], numbers[kMaxMatches - 1]);
}

TEST(Match, FollowsAnOrbitDetermination)
{
    const double t = issInstant();
    const Sighting first = sightIss(t), second = sightIss(t + 60.0 * kSecond);
    auto od = [&](const Sighting& a, const Sighting& b, double deltm) {
        auto in = matchSettings(first, 0.3, 0.5);
        in->mjd = a.t;
        in->mtcodflg = true;
        in->locaz = a.az;
        in->locel = a.el;
        in->od1radec = 0;
        in->locra = b.ra;
        in->locdec = b.dec;
        in->od2radec = 1;
        in->oddeltm = deltm;
        return in;
    };
    auto in = od(first, second, 60.0);
    EXPECT_TRUE(listsIss(in.get()));
    EXPECT_EQ(in->occra, first.az);
    EXPECT_EQ(in->occradec, 0);
    EXPECT_EQ(in->mtcwin, 1.0);
    // The observations in either order of time.
    EXPECT_TRUE(listsIss(od(second, first, -60.0).get()));
    // The second observation off the track, or met before the first: no match.
    ASSERT_GT(std::fabs(second.dec), 5.0);
    Sighting elsewhere = second;
    elsewhere.dec = -second.dec;
    EXPECT_FALSE(listsIss(od(first, elsewhere, 60.0).get()));
    EXPECT_FALSE(listsIss(od(elsewhere, first, 60.0).get()));
}

TEST(Match, UnreadableFilesAndAbsurdInput)
{
    const Sighting iss = sightIss(issInstant());
    auto in = matchSettings(iss, 0.5, 1.0);
    std::snprintf(in->tlefile, sizeof in->tlefile, "/nonexistent/none.tle");
    EXPECT_EQ(matchPage(in.get(), 1),
              (std::vector<std::string>{" *** Unable to open TLE file ***", " /nonexistent/none.tle",
                                        " Select a valid TLE file first."}));

    ScopedTempDir dir;
    std::ofstream("empty.tle").close();
    std::ofstream("junk.tle") << "ISS\n1 25544U garbage\n2 nonsense\n\n1\n2\n";
    for (const char* name : {"empty.tle", "junk.tle"}) {
        in = matchSettings(iss, 0.5, 1.0);
        std::snprintf(in->tlefile, sizeof in->tlefile, "%s", name);
        const std::vector<std::string> page = matchPage(in.get());
        ASSERT_EQ(page.size(), 8u) << name;
        EXPECT_EQ(page[3], " *** No matches found on TLE file ***");
        EXPECT_EQ(page.end()[-2], " Number of satellites checked: 0");
        EXPECT_EQ(in->nsat, 0);
    }

    const double nan = std::nan(""), inf = HUGE_VAL;
    auto absurd = [&](auto change) {
        auto a = matchSettings(iss, 0.5, 1.0);
        change(*a);
        const std::vector<std::string> page = matchPage(a.get());
        ASSERT_GE(page.size(), 2u);
        EXPECT_EQ(page.back().rfind(" Number of possible matches  : ", 0), 0u);
        EXPECT_GE(a->nsat, 0);
        EXPECT_LE(a->nsat, kMaxSat);
    };
    absurd([&](WinpData& a) { a.mjd = nan; });
    absurd([&](WinpData& a) { a.mtcdist = inf; a.mjd = iss.t + 0.5; });
    absurd([&](WinpData& a) { a.mtcdist = nan; });
    absurd([&](WinpData& a) { a.mtcwin = -0.5; a.occdec = 500.0; a.mtcdirflg = 1; a.mtcdir = nan; });
    absurd([&](WinpData& a) { a.occra = nan; a.occradec = 1; a.mtcwin = 3.0; });
    absurd([&](WinpData& a) { a.nsat = 37; a.mtcodflg = true; a.oddeltm = nan; });
}
