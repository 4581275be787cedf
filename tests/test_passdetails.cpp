#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/passdetails.h"
#include "core/passes.h"
#include "core/satstate.h"
#include "pass_reference.h"

namespace {
constexpr double kSecond = 1.0 / 86400.0;
constexpr double kDeg = 3.14159265358979323846 / 180.0;

std::vector<RefPass> issPassesAtA()
{
    std::vector<RefPass> iss;
    for (const RefPass& r : referencePasses())
        if (r.satno == kIss && r.site == 'A') iss.push_back(r);
    return iss;
}

// Settings with the ISS listed from site A and the detail step set.
std::unique_ptr<WinpData> listedIss(SatPosData* sp, int stepmin, double stepsec)
{
    auto in = referenceSettings('A');
    selectReference(in.get(), 0, kIss);
    auto out = std::make_unique<WoutData>();
    aospass(in.get(), out.get(), sp);
    in->stepmin = stepmin;
    in->stepsec = stepsec;
    in->tstep = stepmin / 1440.0 + stepsec / 86400.0;
    return in;
}

// Every text of a pass detail run (first call with t = 0 until the satellite sets).
std::vector<std::string> detailTexts(WinpData* in, SatPosData* sp, int mode)
{
    std::vector<std::string> texts;
    double t = 0.0;
    char buf[kPassDetailBytes];
    while (GetPassDTxt(in, t, buf, mode, sp) == 1 && texts.size() < 10000) texts.push_back(buf);
    return texts;
}

// Number following label in text; NaN when the label is missing.
double valueAfter(const std::string& text, const std::string& label)
{
    const size_t at = text.find(label);
    return at == std::string::npos ? NAN : std::atof(text.c_str() + at + label.size());
}

// Sun's right ascension and declination (radians) at MJD t from the low-precision formula of the
// Astronomical Almanac (about 0.01 degree).
void almanacSun(double t, double& ra, double& dec)
{
    const double n = t + 2400000.5 - 2451545.0;
    const double L = 280.460 + 0.9856474 * n, g = (357.528 + 0.9856003 * n) * kDeg;
    const double lambda = (L + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * kDeg;
    const double eps = (23.439 - 0.0000004 * n) * kDeg;
    ra = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda));
    dec = std::asin(std::sin(eps) * std::sin(lambda));
}
}  // namespace

TEST(PassDetails, MinuteStepsListTheVisibleMinutesOfAPass)
{
    auto sp = stateRecord();
    auto in = listedIss(sp.get(), 1, 0.0);
    const std::vector<RefPass> iss = issPassesAtA();
    in->pdpass = 1;
    const std::vector<std::string> texts = detailTexts(in.get(), sp.get(), 0);
    // 03:56:59 to 04:03:35 UTC: the full minutes 03:57 to 04:03.
    ASSERT_EQ(texts.size(), 7u);
    const std::string header = "ISS (ZARYA)         \n" + std::string(54, '_') + "\nYear: 2026  +++> Timezone 0 <+++\n\n"
                               + std::string(29, ' ') + "         Azim.  Elev.                 R.A.   Decl\n";
    ASSERT_EQ(texts[0].substr(0, header.size()), header);
    const std::regex line(R"(\n?FEB 22   (\d):(\d\d)     ( *[\d.]+)  ( *[\d.]+)        ( *[\d.]+)  ( *-?[\d.]+))");
    double top = -1.0;
    for (size_t k = 0; k < texts.size(); ++k) {
        const std::string body = k == 0 ? texts[0].substr(header.size()) : texts[k];
        std::smatch m;
        ASSERT_TRUE(std::regex_match(body, m, line)) << body;
        EXPECT_EQ(body[0] == '\n', k > 0);
        const int minute = std::stoi(m[1]) * 60 + std::stoi(m[2]);
        EXPECT_EQ(minute, 3 * 60 + 57 + static_cast<int>(k));
        EXPECT_GE(std::stod(m[4]), 10.0);
        top = std::max(top, std::stod(m[4]));
    }
    EXPECT_NEAR(top, iss[1].culmEl, 3.0);
    EXPECT_NEAR(in->pdmaxt, iss[1].culm, 31.0 * kSecond);

    // The saved ground-track form: a blank-line lead and longitude, latitude, height.
    in->pdpass = 0;
    in->pdoffset = 1;
    const std::vector<std::string> track = detailTexts(in.get(), sp.get(), 2);
    ASSERT_FALSE(track.empty());
    EXPECT_EQ(track[0].rfind("\n\n\nISS (ZARYA)", 0), 0u);
    EXPECT_NE(track[0].find("<+++\nFEB 22   3:57    "), std::string::npos);
    double lon, lat, height;
    ASSERT_EQ(std::sscanf(track[1].c_str(), "\nFEB 22 %*d:%*d %lf %lf %lf", &lon, &lat, &height), 3) << track[1];
    EXPECT_LE(std::fabs(lat), 52.0);
    EXPECT_NEAR(height, 420.0, 30.0);
}

TEST(PassDetails, SubSecondStepsShowTenthsAndCarryIntoTheMinute)
{
    auto sp = stateRecord();
    auto in = listedIss(sp.get(), 0, 0.5);
    const std::vector<std::string> texts = detailTexts(in.get(), sp.get(), 1);
    const std::vector<RefPass> iss = issPassesAtA();
    // Every half second from the listed start to the end of the pass.
    EXPECT_NEAR(static_cast<double>(texts.size()), (iss[0].set - iss[0].rise) / (0.5 * kSecond), 3.0);
    int h, m;
    double s0, s1;
    ASSERT_EQ(std::sscanf(texts[1].c_str(), "\nFEB 22 %d:%d:%lf", &h, &m, &s0), 3);
    ASSERT_EQ(std::sscanf(texts[2].c_str(), "\nFEB 22 %d:%d:%lf", &h, &m, &s1), 3);
    EXPECT_NEAR(std::fmod(s1 - s0 + 60.0, 60.0), 0.5, 1e-9);

    // 04:00:59.96 reads as the next minute (seconds in a field of four); 04:00:59.94 does not.
    in->npass = 1;
    in->pdpass = in->pdoffset = 0;
    for (const auto& [sec, shown] : {std::pair<double, const char*>{59.96, "FEB 22   4:01: 0.0     "}, {59.94, "FEB 22   4:00:59.9     "}}) {
        in->passaos[0] = kRefWindowStart + (4 * 3600 + sec) * kSecond;
        double t = 0.0;
        char buf[kPassDetailBytes];
        ASSERT_EQ(GetPassDTxt(in.get(), t, buf, 0, sp.get()), 1);
        EXPECT_NE(std::string(buf).find(shown), std::string::npos) << buf;
        EXPECT_NEAR(t, in->passaos[0] + 0.5 * kSecond, 1e-12);
    }
    // No listed pass to detail.
    in->pdpass = 3;
    double t = 0.0;
    char buf[kPassDetailBytes];
    EXPECT_EQ(GetPassDTxt(in.get(), t, buf, 0, sp.get()), 0);
}

TEST(PassDetails, OrbitTrackFile)
{
    char dir[] = "/tmp/orbika_track_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/track.txt";
    auto sp = stateRecord();
    auto in = referenceSettings('A');
    selectReference(in.get(), 0, kIss);
    in->duration = 1.0;
    in->stepmin = 1;
    in->stepsec = 0.0;
    in->tstep = 1.0 / 1440.0;
    // Local time two hours east: the track starts at 02:00 local, 00:00 UT.
    in->timezone = 2.0;
    in->hour = 2;
    std::snprintf(in->savename, sizeof in->savename, "%s", path.c_str());
    ASSERT_EQ(saveOrbitTrack(in.get(), sp.get()), 0);

    std::ifstream f(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(f, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 4u + 1440);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], " Year: 2026  +++> Timezone 2 <+++");
    EXPECT_EQ(lines[2], std::string(21, ' '));
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4].substr(0, 20), "FEB 22   2:00:00    ");
    EXPECT_EQ(lines.back().substr(0, 16), "FEB 23   1:59:00");
    for (size_t k = 4; k < lines.size(); ++k) {
        double lon, lat, height;
        ASSERT_EQ(std::sscanf(lines[k].c_str() + 16, "%lf %lf %lf", &lon, &lat, &height), 3) << lines[k];
        EXPECT_LE(std::fabs(lon), 180.0);
        EXPECT_LE(std::fabs(lat), 52.0);
        EXPECT_NEAR(height, 420.0, 30.0);
    }
    GetSatPos(kRefWindowStart, in.get(), sp.get(), 0, 0);
    char first[80];
    std::snprintf(first, sizeof first, "    %10.5f  %10.5f  %12.3f", sp->lon[0], sp->lat[0], sp->height[0]);
    EXPECT_EQ(lines[4].substr(16), first);

    std::snprintf(in->savename, sizeof in->savename, "%s/no/such/track.txt", dir);
    EXPECT_EQ(saveOrbitTrack(in.get(), sp.get()), 1);
    std::remove(path.c_str());
    rmdir(dir);
}

TEST(PassDetails, LocalInformationOnTheWorldMap)
{
    auto sp = stateRecord();
    auto in = referenceSettings('A');
    char buf[kLocalInfBytes];
    in->obslat = -100.0;
    LocalInf(in.get(), buf, sp.get());
    EXPECT_STREQ(buf, "\n\n   *** Cursor outside Map ***");

    // The ISS seen from site A at a reference instant.
    const RefLook look = referenceLooks()[0];
    in = referenceSettings('A');
    selectReference(in.get(), 0, kIss);
    in->mjd = look.mjd;
    LocalInf(in.get(), buf, sp.get());
    const std::string text = buf;
    EXPECT_EQ(text.rfind("Lat: 48.1,  Long: 11.6,   SunElev:", 0), 0u) << text;
    EXPECT_NEAR(valueAfter(text, "\tAzim:"), look.az, 0.006);
    EXPECT_NEAR(valueAfter(text, "\tElev:"), look.el, 0.006);

    // Triangle of the Earth's centre, the site and the satellite from the reference range.
    const double rs = 6366.5, angleAtSite = (90.0 + look.el) * kDeg;
    const double rsat = std::sqrt(rs * rs + look.range * look.range - 2 * rs * look.range * std::cos(angleAtSite));
    const double nadir = std::asin(rs * std::sin(angleAtSite) / rsat);
    const double central = 180.0 * kDeg - angleAtSite - nadir;
    // The program measures it between geodetic points on a sphere: a few percent longer.
    EXPECT_NEAR(valueAfter(text, "Along-the-Surface-Distance:"), 6371.0 * central, 25.0);
    // The site lies below the satellite's horizon by 90 degrees less the nadir angle.
    double yaw, pitch;
    ASSERT_EQ(std::sscanf(text.c_str() + text.find("Observer (Yaw, Pitch):") + 22, "%lf %lf", &yaw, &pitch), 2);
    EXPECT_NEAR(pitch, -(90.0 - nadir / kDeg), 0.5);
    const double x = valueAfter(text, "\nx\t"), y = valueAfter(text, "\ny\t"), z = valueAfter(text, "\nz\t");
    const double vx = valueAfter(text, "\nvx\t"), vy = valueAfter(text, "\nvy\t"), vz = valueAfter(text, "\nvz\t");
    EXPECT_NEAR(std::sqrt(x * x + y * y + z * z), rsat, 15.0);
    EXPECT_NEAR(std::sqrt(vx * vx + vy * vy + vz * vz), 7.66, 0.03);

    // Beta angle from the node regressed by J2 and the almanac Sun.
    const TleFields tle = referenceElements(kIss);
    const double n = tle.mm * 360.0;  // degrees per day
    const double a = std::cbrt(398600.4418 * std::pow(86400.0 / (tle.mm * 360.0 * kDeg), 2));
    const double dnode = -1.5 * 1.08263e-3 * std::pow(6378.137 / a, 2) * std::cos(tle.incl * kDeg) * n;
    const double node = (tle.node + dnode * (look.mjd - TleEpochMjd(tle.epochyear, tle.epochday))) * kDeg;
    const double inc = tle.incl * kDeg;
    double ra, dec;
    almanacSun(look.mjd, ra, dec);
    const double beta = std::asin(std::sin(inc) * std::sin(node) * std::cos(dec) * std::cos(ra)
                                  - std::sin(inc) * std::cos(node) * std::cos(dec) * std::sin(ra)
                                  + std::cos(inc) * std::sin(dec));
    EXPECT_NEAR(valueAfter(text, "Beta Angle:"), beta / kDeg, 0.2);
    EXPECT_NEAR(sp->betaang[0], beta / kDeg, 0.2);
    // The Sun's elevation in the flight frame is its altitude above the limb less the limb's dip.
    const double dip = 90.0 - std::asin(6378.137 / rsat) / kDeg;
    EXPECT_NEAR(valueAfter(text, "Sun Elevation:"), sp->sunlit[0] - dip, 0.3);
    EXPECT_NE(text.find("\n\n\tSun Azimuth (from +V): "), std::string::npos);
}

TEST(PassDetails, LocalInformationOnTheSkyMapAndSkyAzimuth)
{
    auto sp = stateRecord();
    auto in = referenceSettings('A');
    in->skymap = 1;
    in->locel = -100.0;
    char buf[kLocalInfBytes];
    LocalInf(in.get(), buf, sp.get());
    EXPECT_STREQ(buf, "\n\n\n *** No satellite has been selected ***");

    // Clicked on the ISS itself at its first culmination over site A (low in the south-east,
    // moving east): no distance, an eastward course.
    const RefLook look = referenceLooks()[0];
    selectReference(in.get(), 0, kIss);
    in->mjd = look.mjd;
    in->locaz = look.az;
    in->locel = look.el;
    in->locra = 1.5;
    in->locdec = -2.25;
    LocalInf(in.get(), buf, sp.get());
    const std::string text = buf;
    char expected[160];
    std::snprintf(expected, sizeof expected,
                  "\n\nAzimuth (deg.):  %6.1f,    Elevation (deg):  %6.1f\n\n R.A.(HH.MM):    1.50,    Decl.(DD.MM):  "
                  " -2.25\nISS (ZARYA)         \n\tAngular distance:   0.00\n\n\tSky Course:",
                  look.az, look.el);
    EXPECT_EQ(text.substr(0, std::strlen(expected)), expected);
    const double course = valueAfter(text, "Sky Course:");
    EXPECT_GT(course, 20.0);
    EXPECT_LT(course, 160.0);
    EXPECT_EQ(in->epoch, 2000.0);

    for (const RefLook& l : referenceLooks()) {
        if (l.satno != kIss || l.site != 'A') continue;
        SkyAzim(in.get(), l.mjd, sp.get());
        EXPECT_NEAR(in->skyazim, l.az, 0.002) << l.utc;
    }
}
