#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "astro/leapseconds.h"
#include "astro/timescales.h"

TEST(TimeScales, CalendarSiderealTimeObliquityAndTtMinusUt)
{
    EXPECT_DOUBLE_EQ(mjd(1, 1, 2000, 12.0), 51544.5);
    EXPECT_DOUBLE_EQ(mjd(17, 11, 1858, 0.0), 0.0);            // MJD zero point
    EXPECT_DOUBLE_EQ(mjd(15, 10, 1582, 0) - mjd(4, 10, 1582, 0), 1.0);
    EXPECT_DOUBLE_EQ(mjd(1, 1, -4712, 12.0), -2400000.5);     // JD 0 (4713 BC Jan 1, noon)
    int d, m, y;
    double h;
    caldat(51544.5, d, m, y, h);
    EXPECT_EQ(std::vector<double>({1.0 * d, 1.0 * m, 1.0 * y, h}), std::vector<double>({1, 1, 2000, 12}));
    caldat(mjd(4, 10, 1582, 6.0), d, m, y, h);
    EXPECT_EQ(d * 10000 + m * 100, 41000);
    // Every day from 4800 BC to AD 2200, including the proleptic Julian branch before JD 0.
    for (double day = -2475000.5; day < 120000.0; day += 37.0) {
        int d, m, y;
        double h;
        caldat(day + 0.25, d, m, y, h);
        ASSERT_NEAR(mjd(d, m, y, h), day + 0.25, 1e-6) << "at MJD " << day;
        ASSERT_TRUE(d >= 1 && d <= 31 && m >= 1 && m <= 12) << "at MJD " << day;
    }
    EXPECT_NEAR(lsidtim(51544.5, 0, 0), 18.697374558, 1e-6);
    EXPECT_NEAR(lsidtim(51544.5, 15.0, 36.0), 19.697374558 + 0.01, 1e-6);
    EXPECT_LT(lsidtim(51544.0, -120.0, 0), 0.0);     // sign kept, not reduced to [0, 24)
    EXPECT_NEAR(eps(0) * 180 / M_PI, 23.43929111, 1e-9);
    // Yearly TT - UT; from 1972 on the published leap seconds: UTC - TAI = -10 s in 1972, -36 s
    // from 2015 July, -37 s from 2017 on (no leap second since), so TT - UTC is 69.184 s in 2026.
    const std::pair<int, double> ttut[] = {{1870, 3.184},  {1890, -6.816}, {1972, 42.184},
                                           {2016, 68.184}, {2017, 69.184}, {2026, 69.184}};
    for (const auto& [year, seconds] : ttut) EXPECT_DOUBLE_EQ(DefTdUt(year), seconds) << year;
    EXPECT_DOUBLE_EQ(TaiMinusUtc(57203.99), 35.0);
    EXPECT_DOUBLE_EQ(TaiMinusUtc(57204.0), 36.0);
    EXPECT_GE(DefTdUt(kLeapTableLastYear + 1), DefTdUt(kLeapTableLastYear));
}
