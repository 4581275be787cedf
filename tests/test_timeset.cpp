#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "astro/timescales.h"
#include "core/defaults.h"
#include "core/timeset.h"
#include "foundation/units.h"
#include "scoped_env.h"

namespace {
// 2023 November 14, 22:13:20 UT.
constexpr std::time_t kSampleInstant = 1700000000;
constexpr double kSampleMjd = 1700000000.0 / 86400.0 + 40587.0;
// 2024 July 1, 12:00:00 UT (summer time in central Europe).
constexpr std::time_t kSummerInstant = 1719835200;

std::unique_ptr<WinpData> defaults()
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), kSampleInstant);
    return in;
}

// Refraction (deg) at elevation h (deg) by Bennett's fit to the Pulkovo tables (J. Navigation 35, 1982).
double bennett(double h)
{
    const double deg = 3.14159265358979323846 / 180.0;
    return 1.0 / std::tan((h + 7.31 / (h + 4.4)) * deg) / 60.0;
}

// The date and time fields as day, month, year, hour, minute, second.
std::vector<int> fields(const WinpData& in) { return {in.day, in.month, in.year, in.hour, in.minute, in.second}; }
}  // namespace

TEST(Refraction, CheckValuesAndStandardTable)
{
    auto in = defaults();
    // From the horizon to 80 degrees the correction stays within 22 arcseconds of the tables.
    for (double e : {0.0, 1.0, 2.0, 5.0, 9.99, 10.0, 15.0, 20.0, 30.0, 45.0, 60.0, 80.0})
        EXPECT_NEAR(ElvRefr(in.get(), e) - e, bennett(e), 0.006) << e << " deg";
    // Outside the range, without refraction and in relative mode the elevation is unchanged.
    for (double e : {-2.0, -30.0, 85.0, 90.0}) EXPECT_EQ(ElvRefr(in.get(), e), e);
    in->refract = false;
    EXPECT_EQ(ElvRefr(in.get(), 20.0), 20.0);
    in->refract = true, in->relmode = 1;
    EXPECT_EQ(ElvRefr(in.get(), 20.0), 20.0);
}

TEST(TimeSettings, TtMinusUtAndTheClock)
{
    // The defaults take UTC - TAI from the yearly TT - UT, so turning to IERS values changes nothing.
    auto in = defaults();
    EXPECT_DOUBLE_EQ(time_units::kTtMinusTai - in->utctai, in->ttut);
    auto in2006 = std::make_unique<WinpData>();
    SetDefaults(in2006.get(), 1150000000);  // 2006 June 11: TAI - UTC was 33 s (IERS Bulletin C)
    EXPECT_EQ(in2006->utctai, -33);
    // The yearly default for the year asked; with IERS values 32.184 s plus TAI - UTC.
    EXPECT_EQ(SetTtUt(in.get(), 1990), 57.184);
    in->iersflg = true, in->utctai = -37;
    EXPECT_DOUBLE_EQ(SetTtUt(in.get(), 1990), 69.184);
    // The fields are UT; the system zone follows summer time.
    in = defaults();
    {
        ScopedTz tz("CET-1CEST,M3.5.0,M10.5.0/3");
        DefTime(in.get(), kSummerInstant);
        EXPECT_EQ(fields(*in), (std::vector<int>{1, 7, 2024, 12, 0, 0}));
        EXPECT_EQ(in->systzone, -7200);
        DefTime(in.get(), kSampleInstant);
        EXPECT_EQ(in->systzone, -3600);
    }
    // The real-time MJD adds the clock offset and leaves the date fields alone.
    in->day = 3, in->hour = 7;
    EXPECT_NEAR(RT_MJD(in.get(), kSampleInstant), kSampleMjd, 1e-9);
    in->rtoffset = -2.5;
    EXPECT_NEAR(RT_MJD(in.get(), kSampleInstant), kSampleMjd - 2.5 / 24.0, 1e-9);
    EXPECT_TRUE(in->day == 3 && in->hour == 7);
}

TEST(TimeSettings, LocalDateAndMjdAgree)
{
    auto in = defaults();
    ScopedTz tz("XYZ-3");
    DefTime(in.get(), kSampleInstant);
    in->systzflg = 0, in->timezone = 3.0, in->mjd = kSampleMjd;
    setLocalDate(in.get());
    EXPECT_EQ(fields(*in), (std::vector<int>{15, 11, 2023, 1, 13, 20}));
    // A new time ends the pass continuation and the real-time and delta modes.
    in->passcont = 1, in->passepoch = 60000.0, in->deltamode = 2, in->rtmode = 1;
    in->mjd = 0.0, in->timezone = 5.0;  // a zone of its own: the local fields now mean 20:13:20 UT
    setNewMjd(in.get());
    EXPECT_NEAR(in->mjd, kSampleMjd - 2.0 / 24.0, 1e-9);
    EXPECT_EQ(std::vector<double>({1.0 * in->passcont, in->passepoch, 1.0 * in->deltamode, 1.0 * in->rtmode}),
              std::vector<double>({0, 0, 0, 0}));
    EXPECT_EQ(in->ttut, DefTdUt(2023));
    in->systzflg = 1;  // the system zone replaces the stored one
    setNewMjd(in.get());
    EXPECT_EQ(in->timezone, 3.0);
    EXPECT_NEAR(in->mjd, kSampleMjd, 1e-9);
    // Seconds are rounded, carrying through minute, hour, day and year.
    in->timezone = 0.0, in->mjd = 60309.0 + 86399.6 / 86400.0;  // 2023 December 31, 23:59:59.6
    setLocalDate(in.get());
    EXPECT_EQ(fields(*in), (std::vector<int>{1, 1, 2024, 0, 0, 0}));
    in->mjd = 60310.5 + 29.4 / 86400.0;
    setLocalDate(in.get());
    EXPECT_EQ(fields(*in), (std::vector<int>{1, 1, 2024, 12, 0, 29}));
}
