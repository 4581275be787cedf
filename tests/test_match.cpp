#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "cli_run.h"
#include "core/match.h"
#include "core/orbitdet.h"
#include "core/satstate.h"
#include "foundation/units.h"
#include "scoped_env.h"
#include "test_site.h"
#include "test_text.h"

namespace {
constexpr double kDeg = M_PI / 180.0;
using time_units::kSecond;
// 2026-02-22 02:22:25 UT: a minute before the ISS culminates 47 degrees high at the test site.
constexpr double kIssUp = 61093.0989;
const std::string kVisual = std::string(ORBIKA_DATA_DIR) + "/tle/visual.txt";
const std::string kIssLine = " NORAD#:    25544  Int.Launch#: 1998-067A    ISS (ZARYA)";

// The ISS at t from the test site: az, el, R.A. (h.mmss), Dec. (d.mmss) and motion angle (deg, 0 up).
struct Sighting {
    double t, az, el, ra, dec, pa;
};
Sighting sightIss(double t)
{
    auto in = IssSettings();
    auto sp = std::make_unique<SatPosData>();
    GetSatPos(t + kSecond, in.get(), sp.get(), 0, 0);
    const double az1 = sp->azim[0], el1 = sp->elev[0];
    GetSatPos(t, in.get(), sp.get(), 0, 0);
    Sighting s{t, sp->azim[0], sp->elev[0], sp->ra[0], sp->dec[0], 0.0};
    // Over one second the motion is a short straight step on the sky.
    s.pa = std::atan2((az1 - s.az) * std::cos(s.el * kDeg), el1 - s.el) / kDeg;
    return s;
}

// Match of visual.txt around the azimuth and elevation of s, nothing selected.
std::unique_ptr<WinpData> matchSettings(const Sighting& s, double dist, double window)
{
    auto in = IssSettings();
    in->nsat = in->occradec = in->mtcdirflg = 0;
    in->mtcodflg = in->mtcbright = false;
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", kVisual.c_str());
    in->mjd = s.t, in->occra = s.az, in->occdec = s.el;
    in->mtcdist = dist, in->mtcwin = window;
    return in;
}

// The match page of in; the match itself succeeds.
std::vector<std::string> matchPage(WinpData* in)
{
    auto out = std::make_unique<WoutData>();
    auto sp = std::make_unique<SatPosData>();
    EXPECT_EQ(SatMatch(in, out.get(), sp.get()), 0);
    return pageLines(out.get());
}

bool listsIss(WinpData* in)
{
    const std::vector<std::string> page = matchPage(in);
    return std::find(page.begin(), page.end(), kIssLine) != page.end();
}

// Seen from straight below within 180 degrees every satellite matches.
const Sighting kZenith{kIssUp, 0.0, 90.0, 0, 0, 0};

// The command line options of kIssUp at the site.
const std::string kOptions = "--tle " + kVisual + " --site 48.1,11.6,500 --start \"2026-02-22 02:22:25\"";

// The number after "key": in text.
double jsonNumber(const std::string& text, const std::string& key)
{
    const size_t at = text.find("\"" + key + "\": ");
    return at == std::string::npos ? NAN : std::atof(text.c_str() + at + key.size() + 4);
}

}  // namespace

TEST(Match, BrighterObjectsOnly)
{
    // Main pieces, lower-case ones and high orbits are bright; no designator means bright.
    const std::vector<bool> bright = {BrightObject("1998-067A", 15.5), BrightObject("1963-047e", 14.1),
                                     BrightObject("1991-050F", 14.2), BrightObject("1991-050F", 1.0),
                                     BrightObject("2022-138AN", 1.0), BrightObject("", 15.0)};
    EXPECT_EQ(bright, std::vector<bool>({true, true, false, true, false, true}));
}

TEST(Match, FindsTheSatelliteWhoseStateWasObserved)
{
    const Sighting iss = sightIss(kIssUp);
    ASSERT_GT(iss.el, 10.0);
    auto in = matchSettings(iss, 0.5, 1.0);
    const std::vector<std::string> page = matchPage(in.get());
    ASSERT_GE(page.size(), 8u);
    EXPECT_EQ(page[3], kIssLine);
    // Inclination and e of the TLE; a = 6796.6 km from 15.4819 rev/day (J2 moves it by a few km).
    double perigee, apogee;
    ASSERT_EQ(std::sscanf(page[4].c_str(), " Incl.:  51.6320   Perigee: %lf km  Apogee: %lf km", &perigee, &apogee), 2);
    EXPECT_NEAR(perigee, 6796.6 * (1.0 - 0.0008512) - 6378.137, 10.0);
    EXPECT_NEAR(apogee - perigee, 2.0 * 6796.6 * 0.0008512, 0.05);
    EXPECT_EQ(page.end()[-2], " Number of satellites checked: 149");
    EXPECT_EQ(page.back(), " Number of possible matches  : " + std::to_string(in->nsat));
    EXPECT_EQ(in->satno[0], 25544);  // the match joined the selection
    // Window: half an hour later the ISS is found only when the window reaches back.
    in = matchSettings(iss, 0.5, 1.0);
    in->mjd = iss.t + 30.0 / 1440.0;
    EXPECT_FALSE(listsIss(in.get()));
    in->mtcwin = 31.0;
    EXPECT_TRUE(listsIss(in.get()));
    // Distance, at the instant alone (window 0): a centre one degree higher.
    in = matchSettings(iss, 0.9, 0.0);
    in->occdec = iss.el + 1.0;
    EXPECT_FALSE(listsIss(in.get()));
    in->mtcdist = 1.1;
    EXPECT_TRUE(listsIss(in.get()));
    // Direction of motion within 45 degrees.
    in = matchSettings(iss, 0.5, 1.0);
    in->mtcdirflg = 1;
    for (const double off : {0.0, 30.0, -30.0, 60.0, 180.0}) {
        in->mtcdir = iss.pa + off;
        EXPECT_EQ(listsIss(in.get()), std::fabs(off) < 45.0) << off;
    }
}

TEST(Match, SelectionAndTheFiftyMatchLimit)
{
    // Ten selected: no match leaves them; a match replaces the last; prime and relative mode stay.
    const Sighting iss = sightIss(kIssUp);
    auto in = matchSettings(iss, 0.3, 0.5);
    for (int k = 0; k < kMaxSat; ++k) in->satno[k] = 100 + k;
    in->nsat = kMaxSat, in->prime = 1, in->relmode = 1;
    in->mjd = iss.t + 0.5;
    EXPECT_FALSE(listsIss(in.get()));
    EXPECT_EQ(in->satno[9], 109);
    in->mjd = iss.t;
    EXPECT_TRUE(listsIss(in.get()));
    EXPECT_EQ(std::vector<int>({in->nsat, in->satno[9], in->prime, in->relmode}), std::vector<int>({kMaxSat, 25544, 1, 1}));
    // Every entry matches: 50 are listed, the first nine stay selected, the last slot the last.
    in = matchSettings(kZenith, 180.0, 0.0);
    const std::vector<std::string> page = matchPage(in.get());
    ASSERT_EQ(page.size(), 3u + 2 * kMaxMatches + 4);
    EXPECT_EQ(page[3], " NORAD#:      694  Int.Launch#: 1963-047A    ATLAS CENTAUR 2");
    EXPECT_EQ(page[3 + 2 * kMaxMatches], " *** Output buffer full. More matches possible ***");
    EXPECT_EQ(page.end()[-2], " Number of satellites checked: 50");
    EXPECT_EQ(page.back(), " Number of possible matches  : 50");
    EXPECT_TRUE(in->nsat == kMaxSat && in->satno[0] == 694);
    EXPECT_EQ(std::stoi(page[1 + 2 * kMaxMatches].substr(8, 9)), in->satno[9]);
}

TEST(Match, NineDigitNumbersKeepTheColumns)
{
    // One orbit under a five-, six- and nine-digit number: designators and names line up.
    const ScopedTempDir dir;
    const char* elements = ",1963-047A,2026-02-22T01:30:13.971744,14.12018178,0.0548113,30.3565,282.9753,"
                           "302.5696,52.3109,0,U,";
    std::ofstream f("gp.csv");
    f << "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,"
         "MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,"
         "MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n";
    for (const char* n : {"694", "100001", "123456789"})
        f << "OBJ " << n << elements << n << ",999,12941,0.00011991,1.095e-05,0.0\n";
    f.close();
    auto in = matchSettings(kZenith, 180.0, 0.0);
    std::snprintf(in->tlefile, sizeof in->tlefile, "gp.csv");
    const std::vector<std::string> page = matchPage(in.get());
    ASSERT_GE(page.size(), 8u);
    EXPECT_EQ(page[3], " NORAD#:      694  Int.Launch#: 1963-047A    OBJ 694");
    EXPECT_EQ(page[5], " NORAD#:   100001  Int.Launch#: 1963-047A    OBJ 100001");
    EXPECT_EQ(page[7], " NORAD#:123456789  Int.Launch#: 1963-047A    OBJ 123456789");
}

TEST(Match, FollowsAnOrbitDetermination)
{
    const Sighting first = sightIss(kIssUp), second = sightIss(kIssUp + 60.0 * kSecond);
    auto od = [&](const Sighting& a, const Sighting& b, double deltm) {
        auto in = matchSettings(a, 0.3, 0.5);
        in->mtcodflg = true;
        in->locaz = a.az, in->locel = a.el, in->od1radec = 0;
        in->locra = b.ra, in->locdec = b.dec, in->od2radec = 1;
        in->oddeltm = deltm;
        in->occra = 0.0;
        return in;
    };
    auto in = od(first, second, 60.0);
    EXPECT_TRUE(listsIss(in.get()));
    EXPECT_TRUE(in->occra == first.az && in->mtcwin == 1.0);  // centred on the first, window over the second
    EXPECT_TRUE(listsIss(od(second, first, -60.0).get()));
    // The second observation passed before the first: no match.
    EXPECT_FALSE(listsIss(od(second, first, 60.0).get()));
    // After the orbit determination from the same observations the determined orbit stays first.
    in = od(first, second, 60.0);
    OrbitDet(in.get());
    EXPECT_TRUE(listsIss(in.get()));
    EXPECT_TRUE(std::string(in->satname[0]) == "New" && in->satno[1] == 25544);
}

TEST(Match, UnreadableFilesAndAbsurdInput)
{
    const Sighting iss = sightIss(kIssUp);
    auto in = matchSettings(iss, 0.5, 1.0);
    ScopedTempDir dir;
    std::ofstream("junk.tle") << "ISS\n1 25544U garbage\n2 nonsense\n\n1\n2\n";
    std::snprintf(in->tlefile, sizeof in->tlefile, "junk.tle");
    const std::vector<std::string> page = matchPage(in.get());
    ASSERT_EQ(page.size(), 8u);
    EXPECT_EQ(page[3], " *** No matches found on TLE file ***");
    EXPECT_EQ(page.end()[-2], " Number of satellites checked: 0");
    // NaN instant, distance and direction, endless distance, negative window, impossible
    // elevation, too many selected, NaN time between observations: a page and a valid selection.
    for (int k = 0; k < 4; ++k) {
        auto a = matchSettings(iss, 0.5, 1.0);
        const double nan = std::nan("");
        if (k == 0) a->mjd = a->mtcdist = nan;
        if (k == 1) a->mtcdist = HUGE_VAL, a->mjd += 0.5;
        if (k == 2) a->mtcwin = -0.5, a->occdec = 500.0, a->mtcdirflg = 1, a->mtcdir = nan;
        if (k == 3) a->nsat = 37, a->mtcodflg = true, a->oddeltm = nan;
        EXPECT_EQ(matchPage(a.get()).back().rfind(" Number of possible matches  : ", 0), 0u);
        EXPECT_TRUE(a->nsat >= 0 && a->nsat <= kMaxSat);
    }
}

TEST(CliMatch, FindsTheSatelliteAtItsOwnPosition)
{
    // The page is the library's (checked above); the command adds the centre, its options and JSON.
    const std::string state = runCli("state " + kOptions + " --sat \"ISS (ZARYA)\" --at \"2026-02-22 02:22:25\" --json").out;
    char centre[64];
    std::snprintf(centre, sizeof centre, "%.6f,%.6f", jsonNumber(state, "ra"), jsonNumber(state, "dec"));
    const CliRun json = runCli("match " + kOptions + " --center " + centre + " --radec --max-dist 0.3 --window 1 --bright --json",
                               "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("{\"checked\": 149, \"more_possible\": false, \"matches\": [\n  {\"norad\": 25544, "
                             "\"designator\": \"1998-067A\", \"name\": \"ISS (ZARYA)\", \"inclination\": 51.6320, ", 0),
              0u) << json.out;
}

TEST(CliMatch, RejectsBadArguments)
{
    for (const std::string bad : {"--max-dist 1 --window 1", "--center 1,2 --max-dist 181 --window 1",
                                  "--center 1,2 --max-dist 1 --window -1", "--center 1,2,3 --max-dist 1 --window 1",
                                  "--center 30,10 --radec --max-dist 1 --window 1",
                                  "--center 1,2 --max-dist 1 --window 1 --direction x"}) {
        const CliRun run = runCli("match " + kOptions + " " + bad + " 2>/dev/null");
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_EQ(run.out, "") << bad;
    }
}
