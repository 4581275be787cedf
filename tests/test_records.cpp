#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "astro/timescales.h"
#include "core/records.h"
#include "core/textpage.h"

namespace {
std::unique_ptr<WoutData> emptyPage() { return std::make_unique<WoutData>(); }  // value-initialised: no lines

std::string entry(double mjd, double az, double el, int timeonly)
{
    char text[kAosTextBytes];
    aosstr(mjd, az, el, text, timeonly);
    return text;
}

}  // namespace

TEST(TextPage, FullPagesLongLinesDecimalCommasAndPassListEntries)
{
    auto page = emptyPage();
    char text[kLineBytes] = "line";
    for (int i = 0; i < kPageLines + 1; ++i) PutNxtLn(page.get(), text);
    EXPECT_EQ(page->nlines, kPageLines);
    page->nlines = kPageLines - 3;
    PutSpace(page.get(), 1000000);
    EXPECT_EQ(page->nlines, kPageLines);
    EXPECT_STREQ(page->lines[kPageLines - 1], " ");
    PutSpace(page.get(), -4);
    EXPECT_EQ(page->nlines, kPageLines);
    // Long lines are cut; a tilde in every position must not tag an untagged line.
    page = emptyPage();
    std::string tildes(80, '~');
    PutNxtLn(page.get(), tildes.data());
    PutNxtLnT(page.get(), tildes.data());
    for (int i = 0; i < 2; ++i) EXPECT_EQ(std::string(page->lines[i], kTagByte), std::string(kTagByte, '~'));
    EXPECT_NE(page->lines[0][kTagByte], kLineTag);
    EXPECT_EQ(page->lines[1][kTagByte], kLineTag);
    // Decimal commas become points before the bracket only, in the caller's text too.
    std::strcpy(text, "12,5 (3,4)");
    PutNxtLn(page.get(), text);
    EXPECT_STREQ(page->lines[2], "12.5 (3,4)");
    EXPECT_STREQ(text, "12.5 (3,4)");
    const double base = mjd(5, 1, 2024, 0.0);
    auto at = [base](int h, int m, double s) { return base + (h + m / 60.0 + s / 3600.0) / 24.0; };
    EXPECT_EQ(entry(at(10, 59, 59.4), 123.4, 45.6, 0), "JAN  5  10:59:59 (123, 46)");
    EXPECT_EQ(entry(at(10, 59, 59.6), 123.4, 45.6, 0), "JAN  5  11:00:00 (123, 46)");
    EXPECT_EQ(entry(at(23, 59, 59.6), 7.0, -3.0, 0), "JAN  5  24:00:00 (  7, -3)");
    EXPECT_EQ(entry(at(8, 5, 9.0), 350.0, 0.0, 1), "   8:05:09 (350,  0)");
    for (double bad : {1e300, -1e300, std::nan("")})
        EXPECT_LT(entry(bad, bad, bad, 0).size(), static_cast<size_t>(kAosTextBytes));
}
