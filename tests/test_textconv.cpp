#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "astro/datetext.h"
#include "astro/timescales.h"
#include "core/textpage.h"
#include "foundation/textconv.h"
#include "test_text.h"

namespace {
std::string angle(int digits4, int mode, double x)
{
    char buf[16];
    prpang(buf, digits4, mode, x);
    return buf;
}
}  // namespace

TEST(NumberInput, WholePointNumbersOnlyAndOneLinePerCall)
{
    EXPECT_EQ(Atof("1,5"), 0.0);
    const std::vector<double> good = {Atof("  2.5e-3  "), Atof("\t-12.75\r\n"), Atof("+3"), Atof(".5"), Atof("-1E+02")};
    EXPECT_EQ(good, (std::vector<double>{0.0025, -12.75, 3.0, 0.5, -100.0}));
    // Partial numbers, overflow, infinities, NaN and binary noise all give a finite 0.
    for (const char* bad : {"", "   ", "abc", "1.5x", "1e", "1 2", "+-1", "0x10", "--1", "+", "1e999", "-1e400",
                            "inf", "nan", "Infinity", "\x01\xff\x80"})
        EXPECT_EQ(Atof(bad), 0.0) << '"' << bad << '"';
    EXPECT_EQ(Atof(nullptr), 0.0);
    // Lines longer than the 79 characters kept are consumed whole; the last needs no newline.
    const std::string text = "3.1   160.0  155.0     4.0\n3.1 160\n1,5 2\r\n1 2 3 " + std::string(120, '9') + "\n\n\r\n7 8";
    FILE* f = holding(text.c_str());
    double v[4] = {-1, -1, -1, -1};
    EXPECT_EQ(Fscanf(f, 4, v), 1);
    EXPECT_EQ(std::vector<double>(v, v + 4), (std::vector<double>{3.1, 160.0, 155.0, 4.0}));
    v[2] = -1;
    EXPECT_EQ(Fscanf(f, 4, v), 0);  // too few tokens: the two read stay
    EXPECT_EQ(std::vector<double>(v, v + 3), (std::vector<double>{3.1, 160.0, -1}));
    EXPECT_EQ(Fscanf(f, 2, v), 1);  // a decimal comma is no number; CR LF ends the last token
    EXPECT_EQ(std::vector<double>(v, v + 2), (std::vector<double>{0.0, 2.0}));
    EXPECT_EQ(Fscanf(f, 3, v), 1);
    EXPECT_TRUE(Fscanf(f, 1, v) == 0 && Fscanf(f, 1, v) == 0);  // empty lines, LF or CR LF, read nothing
    EXPECT_EQ(Fscanf(f, 2, v), 1);
    EXPECT_EQ(std::vector<double>(v, v + 2), (std::vector<double>{7.0, 8.0}));
    EXPECT_EQ(Fscanf(f, 1, v), 0);  // end of file
    std::fclose(f);
}

TEST(Sexagesimal, PackedAngleFormsAndTheirTextFields)
{
    EXPECT_NEAR(DegFDms(-0.999999), -1.0, 1e-12);
    EXPECT_NEAR(DegFDms(12.0 + 34.0 / 60 + 56.25 / 3600), 12.345625, 1e-10);  // fractional seconds kept
    EXPECT_NEAR(DmsDegF(-0.30), -0.5, 1e-12);
    EXPECT_NEAR(hdfdms(1.9999), 2.00, 1e-12);
    EXPECT_NEAR(hdfdms(-2.25), -2.15, 1e-12);
    // d.mmss -> degrees -> d.mmss for whole seconds, and degrees -> d.mmss -> degrees within 0.5".
    for (int d = -179; d <= 179; d += 7)
        for (int ms = 0; ms < 6000; ms += 1111) {
            const double packed = std::copysign(std::abs(d) + ms / 10000.0, d);
            ASSERT_NEAR(DegFDms(DmsDegF(packed)), packed, 1e-9) << packed;
        }
    for (double x = -400.0; x < 400.0; x += 0.0137) ASSERT_NEAR(DmsDegF(DegFDms(x)), x, 0.5 / 3600 + 1e-9) << x;
    EXPECT_TRUE(std::isfinite(DegFDms(1e300)) && std::isfinite(DmsDegF(-1e300)));
    EXPECT_TRUE(std::isnan(hdfdms(std::nan(""))));
    const auto text = [](double t) {
        char out[13];
        dtmstr(t, out);
        return std::string(out);
    };
    EXPECT_EQ(text(mjd(15, 3, 2024, 23 + 59 / 60.0 + 45 / 3600.0)), "MAR 15 24:00");
    EXPECT_EQ(text(mjd(1, 1, 2000, 10 + 5 / 60.0 + 20 / 3600.0)), "JAN  1 10:05");
    EXPECT_EQ(text(mjd(1, 1, 2000, 10 + 5 / 60.0 + 40 / 3600.0)), "JAN  1 10:06");
    for (double bad : {1e300, -1e300, std::nan("")}) EXPECT_EQ(text(bad).size(), 12u);
    EXPECT_EQ(angle(0, 0, 12.3456), "  12.35");
    EXPECT_EQ(angle(1, 0, -12.3456), "  -12.346");
    EXPECT_EQ(angle(0, 1, 10.5), "  10\xB0" "30");
    EXPECT_EQ(angle(0, 1, 10.5 + 30.0 / 3600), "  10\xB0" "31");  // 30 s round the minute up
    EXPECT_EQ(angle(0, 1, 10.5 + 29.0 / 3600), "  10\xB0" "30");
    EXPECT_EQ(angle(1, 1, 10.5 + 15.0 / 3600), "  10\xB0" "3015");
    EXPECT_EQ(angle(1, -1, -5.3015), "  -5\xB0" "3015");
    EXPECT_EQ(angle(1, -2, 12.3045), "  12h3045");
    EXPECT_EQ(angle(0, -2, 12.3045), "  12h31");
    for (double bad : {1e300, -1e300, std::nan("")})
        for (int mode : {0, 1, -1, -2}) EXPECT_LE(angle(1, mode, bad).size(), 12u);
}

namespace {
// Runs the locale-sensitive conversions and collects their results as text and numbers.
void conversions(std::vector<std::string>& texts, std::vector<double>& numbers)
{
    for (const char* s : {"2.5e-3", " -160.75 ", "1,5"}) numbers.push_back(Atof(s));
    FILE* f = holding("3.1 160.0 155.0 4.0\n");
    double v[4] = {};
    numbers.push_back(Fscanf(f, 4, v));
    numbers.insert(numbers.end(), v, v + 4);
    std::fclose(f);
    for (int mode : {0, 1, -1, -2}) texts.push_back(angle(mode & 1, mode, 47.1234));
    char buf[kAosTextBytes];
    dtmstr(60000.51, buf);
    texts.push_back(buf);
    aosstr(60000.51, 123.4, 45.6, buf, 0);
    texts.push_back(buf);
}
}  // namespace

TEST(Locale, DecimalCommaLocaleChangesNothing)
{
    std::vector<std::string> cTexts, deTexts;
    std::vector<double> cNumbers, deNumbers;
    conversions(cTexts, cNumbers);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    const std::string point = std::localeconv()->decimal_point;
    conversions(deTexts, deNumbers);
    std::setlocale(LC_ALL, "C");
    ASSERT_EQ(point, ",");
    EXPECT_EQ(deTexts, cTexts);
    EXPECT_EQ(deNumbers, cNumbers);
}

TEST(PutNumbers, WriteWhatPrintfWrites)
{
    // Every small integer and the extremes, in both fills; whole-number rounding at and beside
    // every half up to the printed angle range, negative zero, NaN and huge values.
    const auto printed = [](const char* format, int width, auto x) {
        char text[400];
        std::snprintf(text, sizeof text, format, width, x);
        return std::string(text);
    };
    char text[400];
    std::vector<int> ints = {INT_MIN, INT_MIN + 1, INT_MAX};
    for (int k = -1000; k <= 100000; ++k) ints.push_back(k);
    for (const int width : {0, 2, 3})
        for (const int k : ints) {
            ASSERT_EQ(std::string(text, PutInt(text, k, width, ' ')), printed("%*i", width, k)) << k;
            ASSERT_EQ(std::string(text, PutInt(text, k, width, '0')), printed("%0*i", width, k)) << k;
        }
    std::vector<double> wholes = {0.0, -0.0, 0.4, -0.4, 1e17, -1e19, 1e300, -HUGE_VAL, std::nan(""), -std::nan("")};
    for (int k = -20000; k <= 20000; ++k) {
        const double half = k + 0.5;
        wholes.insert(wholes.end(), {half, std::nextafter(half, 0.0), std::nextafter(half, 1e9), k / 7.0});
    }
    for (const double x : wholes)
        ASSERT_EQ(std::string(text, PutWhole(text, x, 3)), printed("%*.0f", 3, x)) << x;
}
