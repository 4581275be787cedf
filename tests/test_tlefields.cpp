#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "astro/timescales.h"
#include "core/meanmotion.h"
#include "core/tlefields.h"

namespace {

// The ISS as in data/tle/visual.txt.
const char* const kIss1 = "1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990";
const char* const kIss2 = "2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866";

}  // namespace

TEST(TleFields, MalformedLinesFailCleanlyAndEpochYearsWindow)
{
    TleFields f{};
    f.satno = 4711;
    const std::string iss1 = kIss1;
    const std::string binary = "1" + std::string(80, '\xff');
    std::string withNul = iss1;
    withNul[30] = '\0';
    for (const std::string& bad :
         {std::string(), std::string("1"), iss1.substr(0, 62), iss1.substr(0, 62) + "\r\n",
          "3" + iss1.substr(1), withNul, std::string(200, ' ')}) {
        EXPECT_FALSE(ParseTleLine1(bad.c_str(), f)) << bad;
        EXPECT_FALSE(ParseTleLine2(bad.c_str(), f)) << bad;
    }
    EXPECT_FALSE(ParseTleLine1(kIss2, f) || ParseTleLine2(kIss1, f) || ParseTleLine1(nullptr, f) || ParseTleLine2(nullptr, f));
    EXPECT_EQ(f.satno, 4711);  // untouched by failed parses
    // Exactly 63 columns is a complete line; garbage of that length never crashes.
    EXPECT_TRUE(ParseTleLine1(iss1.substr(0, 63).c_str(), f));
    EXPECT_TRUE(ParseTleLine2(std::string(kIss2).substr(0, 63).c_str(), f));
    EXPECT_EQ(f.revolution, 0);
    EXPECT_TRUE(ParseTleLine1(binary.c_str(), f));
    EXPECT_TRUE(f.satno == 0 && f.epochday == 0.0);
    // A zero mean motion is stored as a finite orbit.
    auto in = std::make_unique<WinpData>();
    StoreTle(in.get(), 3, f);
    EXPECT_TRUE(std::isfinite(in->elsma[3]) && in->elmm[3] > 0.0);
    EXPECT_DOUBLE_EQ(TleEpochMjd(57, 1.0), mjd(1, 1, 1957, 0.0));
    EXPECT_DOUBLE_EQ(TleEpochMjd(56, 1.0), mjd(1, 1, 2056, 0.0));
    EXPECT_DOUBLE_EQ(TleEpochMjd(0, 1.5), 51544.5);  // 2000 January 1, 12h
    EXPECT_NEAR(TleEpochMjd(24, 366.25), mjd(31, 12, 2024, 6.0), 1e-9);  // leap year end
    EXPECT_TRUE(std::isfinite(TleEpochMjd(99, 1e300)) && std::isfinite(TleEpochMjd(99, NAN)));
}

TEST(MeanMotion, SemiMajorAxisKnownValuesAndRoundTrip)
{
    EXPECT_NEAR(getsax(1, 15.5, 0.0005, 51.6), 6790.0, 10.0);      // ISS-like
    EXPECT_NEAR(getsax(0, 1.00273791, 0.0, 0.0), 42166.0, 2.0);    // geostationary with J2
    // At the critical inclination the J2 term vanishes: both give the Kepler axis.
    const double kepler = std::cbrt(2.9755364003e15 / std::pow(2.0 * M_PI * 2.0, 2.0));
    EXPECT_NEAR(getsax(1, 2.0, 0.3, 54.7356103), kepler, 1e-6);
    EXPECT_NEAR(getsax(0, 2.0, 0.3, 54.7356103), kepler, 1e-6);
    // Away from it the J2 term changes the axis by kilometres.
    EXPECT_GT(std::fabs(getsax(0, 15.5, 0.0, 0.0) - getsax(0, 15.5, 0.0, 90.0)), 5.0);
    for (double n : {0.5, 1.0027, 2.0, 12.0, 16.3})
        for (double e : {0.0, 0.1, 0.7})
            for (double incl : {0.0, 51.6, 98.0, 180.0})
                EXPECT_NEAR(getn0(getsax(0, n, e, incl), e, incl), n, 3e-5 * n) << n << " " << e << " " << incl;
    // No mean motion, open orbits, zero axis: finite values.
    EXPECT_TRUE(std::isfinite(getsax(1, 0.0, 0.0, 0.0)) && std::isfinite(getsax(1, 10.0, 1.5, 0.0)));
    EXPECT_TRUE(std::isfinite(getn0(7000.0, 1.0, 0.0)) && std::isfinite(getn0(0.0, 0.0, 0.0)));
}
