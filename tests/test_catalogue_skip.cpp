#include <gtest/gtest.h>

#include <algorithm>
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

// The bound-driven coarse steps miss no pass of two minutes or more that a 30-s elevation scan finds.
TEST(CatalogueSkip, BoundStepsNeverMissAPass)
{
    constexpr double kSecond = 1.0 / 86400.0, kScanStep = 30.0 * kSecond, kLongPass = 120.0 * kSecond;
    auto sp = stateRecord();
    int checked = 0;
    for (const double lat : {52.5, -30.0, 80.0}) {
        auto in = siteAt(lat);
        in->minsatelev = 10.0;
        forEachElementSet(in.get(), std::string(ORBIKA_DATA_DIR) + "/tle/visual.txt", [&]() {
            const double t0 = ListStartMjd(in.get()), t1 = t0 + in->duration;
            const std::vector<PassEvent> passes = FindPasses(in.get(), 0, t0, t1, sp.get());
            double rise = -1.0;  // start of the stretch above the limit, -1 outside one
            for (double t = t0; t <= t1; t += kScanStep) {
                GetHorizonPos(t, in.get(), sp.get(), 0);
                const bool up = sp->elev[0] >= in->minsatelev;
                if (up && rise < 0.0) rise = t;
                if (up || rise < 0.0) continue;
                if (t - rise >= kLongPass) {
                    ++checked;
                    const bool listed = std::any_of(passes.begin(), passes.end(), [&](const PassEvent& p) {
                        return p.tm[0] <= rise + kSecond && p.tm[2] >= t - kScanStep - kSecond;
                    });
                    EXPECT_TRUE(listed) << in->satno[0] << " at " << lat << " from " << rise;
                }
                rise = -1.0;
            }
        });
    }
    EXPECT_GT(checked, 300);
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
