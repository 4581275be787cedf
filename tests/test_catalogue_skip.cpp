#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "core/passsearch.h"
#include "core/satstate.h"
#include "pass_reference.h"

namespace {
// One-day geometric pass settings (no Sun or visibility condition) at latitude lat (deg).
std::unique_ptr<WinpData> siteAt(double lat)
{
    auto in = SiteASettings(lat);
    in->duration = 1.0;
    in->maxsunelev = 90.0;
    in->visonly = 0;
    in->nsat = 1;
    return in;
}
}  // namespace

// Every bundled satellite the rise bound rules out has no pass in a full search; and some are ruled out.
TEST(CatalogueSkip, NeverDropsASatelliteWithAPass)
{
    auto sp = stateRecord();
    int ruledOut = 0;
    for (const char* file : {"visual.txt", "IRIDIUM.TXT"})
        for (const double lat : {48.1, 75.0, -89.0})
            for (const double minElev : {10.0, 0.0, -5.0}) {
                auto in = siteAt(lat);
                in->minsatelev = minElev;
                forEachElementSet(in.get(), std::string(ORBIKA_DATA_DIR) + "/tle/" + file, [&]() {
                    if (!CannotRise(in.get(), 0)) return;
                    ++ruledOut;
                    const double t0 = ListStartMjd(in.get());
                    EXPECT_TRUE(FindPasses(in.get(), 0, t0, t0 + in->duration, sp.get()).empty())
                        << in->satno[0] << " at latitude " << lat << ", limit " << minElev;
                });
            }
    EXPECT_GT(ruledOut, 20);
}

// Malformed elements are never ruled out: the bound needs a closed orbit.
TEST(CatalogueSkip, KeepsUnusableElements)
{
    auto in = siteAt(89.0);
    // inclination, mean motion, eccentricity
    std::tie(in->elincl[0], in->elmm[0], in->elecc[0]) = std::make_tuple(10.0, 15.5, 0.001);
    EXPECT_TRUE(CannotRise(in.get(), 0));
    for (const auto& [n, e] : {std::pair{15.5, 1.5}, {15.5, -0.1}, {0.0, 0.001}, {-1.0, 0.001}, {1e300, 0.001}}) {
        std::tie(in->elmm[0], in->elecc[0]) = std::tie(n, e);
        EXPECT_FALSE(CannotRise(in.get(), 0)) << n << " " << e;
    }
}
