#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "astro/timescales.h"
#include "core/passdetails.h"
#include "core/passpage.h"
#include "core/satstate.h"
#include "foundation/textconv.h"
#include "pass_reference.h"

namespace {
constexpr double kDeg = 3.14159265358979323846 / 180.0;

// Settings with the ISS listed from site A and the detail step set (minutes and seconds).
std::unique_ptr<WinpData> listedIss(SatPosData* sp, int stepmin, double stepsec)
{
    auto in = referenceSelection('A', kIss);
    passPage(in.get(), sp);
    in->stepmin = stepmin;
    in->stepsec = stepsec;
    in->tstep = stepmin / 1440.0 + stepsec / 86400.0;
    return in;
}

// Every text of a pass detail run: first call with t = 0, then until the satellite sets.
std::vector<std::string> detailTexts(WinpData* in, SatPosData* sp, int mode)
{
    std::vector<std::string> texts;
    double t = 0.0;
    char buf[kPassDetailBytes];
    while (GetPassDTxt(in, t, buf, mode, sp) == 1 && texts.size() < 10000) texts.push_back(buf);
    return texts;
}

// Columns one past the last character of each blank-separated word of line.
std::vector<size_t> wordEnds(const std::string& line)
{
    std::vector<size_t> ends;
    for (size_t k = 0; k < line.size(); ++k)
        if (line[k] != ' ' && (k + 1 == line.size() || line[k + 1] == ' ')) ends.push_back(k + 1);
    return ends;
}

// Number following label in text; NaN when the label is missing.
double valueAfter(const std::string& text, const std::string& label)
{
    const size_t at = text.find(label);
    return at == std::string::npos ? NAN : std::atof(text.c_str() + at + label.size());
}

// A state record and the text of the local information.
class PassDetails : public testing::Test {
protected:
    std::unique_ptr<SatPosData> sp = stateRecord();
    char info[kLocalInfBytes] = {};
};
}  // namespace

TEST_F(PassDetails, MinuteAndSubSecondStepsListTheVisibleInstantsOfAPass)
{
    auto in = listedIss(sp.get(), 1, 0.0);
    const RefRow pass = referenceRows("PASS", kIss, 'A')[1];
    in->pdpass = 1;
    const std::vector<std::string> texts = detailTexts(in.get(), sp.get(), 0);
    // 03:56:59 to 04:03:35 UTC: the full minutes 03:57 to 04:03.
    ASSERT_EQ(texts.size(), 7u);
    const std::string header = "ISS (ZARYA)         \n" + std::string(54, '_') + "\nYear: 2026  +++> Timezone 0 <+++\n\n"
                               + std::string(20, ' ') + "Azim.    Elev.           R.A.     Decl\n";
    ASSERT_EQ(texts[0].substr(0, header.size()), header);
    const std::regex line(R"(\n?FEB 22   ([34]):(\d\d)     ( *[\d.]+)  ( *[\d.]+)        ( *[\d.]+)  ( *-?[\d.]+))");
    double top = -1.0;
    for (size_t k = 0; k < texts.size(); ++k) {
        std::smatch m;
        const std::string body = k == 0 ? texts[0].substr(header.size()) : texts[k];
        ASSERT_TRUE(std::regex_match(body, m, line)) << body;
        EXPECT_EQ(std::stoi(m[1]) * 60 + std::stoi(m[2]), static_cast<int>(3 * 60 + 57 + k));
        EXPECT_GE(std::stod(m[4]), 10.0);
        top = std::max(top, std::stod(m[4]));
    }
    EXPECT_NEAR(top, pass.culmEl, 3.0);
    EXPECT_NEAR(in->pdmaxt, pass.culm, 31 * kSecond);
    // The saved ground-track form: a blank-line lead, then longitude, latitude, height.
    const std::vector<std::string> track = detailTexts(in.get(), sp.get(), 2);
    ASSERT_EQ(track.size(), 7u);
    EXPECT_EQ(track[0].rfind("\n\n\nISS (ZARYA)", 0), 0u);
    double lon, lat, height;
    ASSERT_EQ(std::sscanf(track[1].c_str(), "\nFEB 22 %*d:%*d %lf %lf %lf", &lon, &lat, &height), 3) << track[1];
    GetSatPos(kRefWindowStart + (3 * 60 + 58) / 1440.0, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(lon, sp->lon[0], 1e-5);
    EXPECT_NEAR(lat, sp->lat[0], 1e-5);
    EXPECT_NEAR(height, sp->height[0], 1e-3);
    // Half-second steps: every half second from the listed start to the end of the pass.
    in = listedIss(sp.get(), 0, 0.5);
    const RefRow first = referenceRows("PASS", kIss, 'A')[0];
    EXPECT_NEAR(detailTexts(in.get(), sp.get(), 1).size(), (first.set - first.rise) / (0.5 * kSecond), 3.0);
    // 04:00:59.96 reads as the next minute (seconds in a field of four); 04:00:59.94 does not.
    in->npass = 1;
    in->pdpass = in->pdoffset = 0;
    double t = 0.0;
    char buf[kPassDetailBytes];
    for (const auto& [sec, shown] : {std::pair<double, const char*>{59.96, "FEB 22   4:01: 0.0     "},
                                     {59.94, "FEB 22   4:00:59.9     "}}) {
        in->passaos[0] = kRefWindowStart + (4 * 3600 + sec) * kSecond;
        t = 0.0;
        ASSERT_EQ(GetPassDTxt(in.get(), t, buf, 0, sp.get()), 1);
        EXPECT_NE(std::string(buf).find(shown), std::string::npos) << buf;
        EXPECT_NEAR(t, in->passaos[0] + 0.5 * kSecond, 1e-12);
    }
    in->pdpass = 3;  // no such listed pass
    t = 0.0;
    EXPECT_EQ(GetPassDTxt(in.get(), t, buf, 0, sp.get()), 0);
}

TEST_F(PassDetails, EachColumnTitleEndsOverItsNumbersInEveryMode)
{
    // Step sizes, four decimals, occultation shown and saved.
    const struct { int stepmin; double stepsec; int digits4, occmode, mode; } layouts[] = {
        {1, 0, 0, 0, 0}, {0, 0.5, 0, 0, 1}, {1, 0, 1, 0, 0}, {0, 10, 1, 3, 0}, {1, 0, 0, 3, 1}};
    const double culm = referenceRows("PASS", kIss, 'A')[1].culm;
    for (const auto& l : layouts) {
        SCOPED_TRACE(testing::Message() << "layout " << &l - layouts);
        auto in = listedIss(sp.get(), l.stepmin, l.stepsec);
        in->pdpass = 1;
        std::tie(in->digits4, in->occmode) = std::tie(l.digits4, l.occmode);
        // The occulted direction: the site's zenith at the culmination (R.A. h.mmss, Dec. d.mmss).
        in->flryaw = DegFDms(lsidtim(culm, in->obslon, 0.0));
        in->flrpitch = DegFDms(in->obslat);
        const std::vector<std::string> texts = detailTexts(in.get(), sp.get(), l.mode);
        ASSERT_GT(texts.size(), 2u);
        const std::vector<std::string> head = splitLines(texts[0]);
        ASSERT_GE(head.size(), 2u);
        const size_t columns = l.occmode ? 2 : 4;
        std::vector<size_t> titles = wordEnds(head[head.size() - 2]);
        ASSERT_GE(titles.size(), columns) << head[head.size() - 2];
        titles.erase(titles.begin(), titles.end() - columns);
        int numbered = 0;
        for (const std::string& text : texts) {
            const std::string line = splitLines(text).back();
            if (line.find("No Intersection") != std::string::npos) continue;
            std::vector<size_t> ends = wordEnds(line);
            ends.erase(ends.begin(), ends.end() - columns);
            EXPECT_EQ(titles, ends) << head[head.size() - 2] << "\n" << line;
            ++numbered;
        }
        EXPECT_GT(numbered, 2);
    }
}

TEST_F(PassDetails, LocalInformationOnTheWorldAndSkyMaps)
{
    auto in = referenceSettings('A');
    in->obslat = -100.0;
    LocalInf(in.get(), info, sp.get());
    EXPECT_STREQ(info, "\n\n   *** Cursor outside Map ***");
    // The ISS seen from site A at a reference instant.
    const RefRow look = referenceRows("LOOK", kIss, 'A')[0];
    in = referenceSelection('A', kIss);
    in->mjd = look.rise;
    LocalInf(in.get(), info, sp.get());
    const std::string text = info;
    EXPECT_EQ(text.rfind("Lat: 48.1,  Long: 11.6,   SunElev:", 0), 0u) << text;
    EXPECT_NEAR(valueAfter(text, "\tAzim:"), look.az, 0.006);
    EXPECT_NEAR(valueAfter(text, "\tElev:"), look.el, 0.006);
    // Seen from the satellite the site lies below the horizon by 90 degrees less the nadir
    // angle (triangle of the Earth's centre, the site and the satellite).
    const double rs = 6366.5, atSite = (90.0 + look.el) * kDeg;
    const double rsat = std::sqrt(rs * rs + look.range * look.range - 2 * rs * look.range * std::cos(atSite));
    const double nadir = std::asin(rs * std::sin(atSite) / rsat) / kDeg;
    double yaw, pitch;
    ASSERT_EQ(std::sscanf(text.c_str() + text.find("(Yaw, Pitch):") + 13, "%lf %lf", &yaw, &pitch), 2) << text;
    EXPECT_NEAR(pitch, nadir - 90.0, 0.5);
    // The Sun's elevation in the flight frame is its altitude above the limb less the limb's dip.
    EXPECT_NEAR(valueAfter(text, "Sun Elevation:"), sp->sunlit[0] - (90.0 - std::asin(6378.137 / rsat) / kDeg), 0.3);
    // Beta angle: the orbit normal of the node regressed by J2 against the Sun of the low-precision
    // formula of the Astronomical Almanac.
    const TleFields tle = referenceElements(kIss);
    const double a = std::cbrt(398600.4418 * std::pow(86400.0 / (tle.mm * 360.0 * kDeg), 2));
    const double rate = -1.5 * 1.08263e-3 * std::pow(6378.137 / a, 2) * std::cos(tle.incl * kDeg) * tle.mm * 360.0;
    const double node = (tle.node + rate * (look.rise - TleEpochMjd(tle.epochyear, tle.epochday))) * kDeg;
    const double n = look.rise - 51544.5, g = (357.528 + 0.9856003 * n) * kDeg;
    const double lambda = (280.460 + 0.9856474 * n + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * kDeg;
    const double eps = (23.439 - 0.0000004 * n) * kDeg, inc = tle.incl * kDeg;
    const double sun[3] = {std::cos(lambda), std::cos(eps) * std::sin(lambda), std::sin(eps) * std::sin(lambda)};
    const double beta = std::asin(std::sin(inc) * std::sin(node) * sun[0] - std::sin(inc) * std::cos(node) * sun[1]
                                  + std::cos(inc) * sun[2]);
    EXPECT_NEAR(valueAfter(text, "Beta Angle:"), beta / kDeg, 0.2);
    // Clicked on the ISS itself, low in the south-east and moving east: no distance, an eastward course.
    in = referenceSettings('A');
    in->skymap = 1;
    in->locel = -100.0;
    LocalInf(in.get(), info, sp.get());
    EXPECT_STREQ(info, "\n\n\n *** No satellite has been selected ***");
    const std::vector<RefRow> looks = referenceRows("LOOK", kIss, 'A');
    selectReference(in.get(), 0, kIss);
    std::tie(in->mjd, in->locaz, in->locel, in->locra, in->locdec) =
        std::make_tuple(looks[0].rise, looks[0].az, looks[0].el, 1.5, -2.25);
    LocalInf(in.get(), info, sp.get());
    char expected[200];
    std::snprintf(expected, sizeof expected,
                  "\n\nAzimuth (deg.):  %6.1f,    Elevation (deg):  %6.1f\n\n R.A.(HH.MM):    1.50,    Decl.(DD.MM): "
                  "  -2.25\nISS (ZARYA)         \n\tAngular distance:   0.00\n\n\tSky Course:",
                  looks[0].az, looks[0].el);
    EXPECT_EQ(std::string(info).substr(0, std::strlen(expected)), expected);
    const double course = valueAfter(info, "Sky Course:");
    EXPECT_TRUE(course > 20.0 && course < 160.0) << course;
    SkyAzim(in.get(), looks[1].rise, sp.get());
    EXPECT_NEAR(in->skyazim, looks[1].az, 0.002);
}

TEST_F(PassDetails, DecayedSatelliteBesideTheIss)
{
    // LOW decayed ten days before the window; the ISS in the next slot keeps its state everywhere.
    auto in = referenceSettings('A');
    selectElements(in.get(), "1 99002U 26001B   26040.00000000  .05000000  00000-0  50000-1 0  9992",
                   "2 99002  51.6000 100.0000 0005000 100.0000 260.0000 16.30000000   100");
    std::snprintf(in->satname[0], sizeof in->satname[0], "LOW");
    selectReference(in.get(), 1, kIss);
    const RefRow look = referenceRows("LOOK", kIss, 'A')[0];
    in->mjd = look.rise;
    LocalInf(in.get(), info, sp.get());
    const std::vector<std::string> lines = splitLines(info);
    ASSERT_EQ(lines.size(), 3u) << info;
    EXPECT_EQ(lines[1], "\tdecayed");
    EXPECT_NEAR(valueAfter(lines[2], "\tAzim:"), look.az, 0.006);
    EXPECT_NEAR(valueAfter(lines[2], "\tElev:"), look.el, 0.006);
    in->skymap = 1;
    in->locel = -100.0;
    LocalInf(in.get(), info, sp.get());
    EXPECT_EQ(std::string(info), "\nLOW\n\tdecayed");
    // The pass page says why LOW has no pass; the ISS beside it has its passes.
    const auto pageText = [&] {
        std::string text;
        for (const PageLine& l : PassPageLines(in.get(), sp.get())) text += l.text + "\n";
        return text;
    };
    EXPECT_NE(pageText().find(" *** No pass: decayed ***"), std::string::npos);
    in->prime = 1;
    EXPECT_EQ(pageText().find("No pass"), std::string::npos);
    EXPECT_GT(in->npass, 0);
    // The orbit track file has the word in place of the numbers.
    ScopedTempDir tmp;
    std::tie(in->prime, in->tstep, in->duration) = std::make_tuple(0, 60.0 / 86400.0, 120.0 / 86400.0);
    std::snprintf(in->savename, sizeof in->savename, "track.txt");
    ASSERT_EQ(saveOrbitTrack(in.get(), sp.get()), 0);
    const std::string track = readFile("track.txt");
    EXPECT_NE(splitLines(track).back().find("    decayed"), std::string::npos) << track;
    EXPECT_EQ(track.find("-6"), std::string::npos) << track;
}
