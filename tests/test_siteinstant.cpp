// The per-instant site quantities kept for whole minutes.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <thread>

#include "core/satstate.h"
#include "core/siteinstant.h"
#include "pass_reference.h"

namespace {
// Azimuth, elevation and range of slot 0 at t, computed by a new thread whose store is empty.
std::array<double, 3> freshLook(const WinpData& settings, double t)
{
    auto in = std::make_unique<WinpData>(settings);
    auto sp = stateRecord();
    std::thread([&] { GetHorizonPos(t, in.get(), sp.get(), 0); }).join();
    return {sp->azim[0], sp->elev[0], sp->range[0]};
}
}  // namespace

// At a whole minute the kept quantities give exactly what a fresh computation gives, and a
// change of the site or of the time scales is never answered from the store.
TEST(SiteInstant, KeptMinutesEqualFreshOnesWhateverTheSettings)
{
    auto in = referenceSettings('A');
    selectReference(in.get(), 0, kIss);
    auto sp = stateRecord();
    const double t = MinuteMjd(kRefWindowStart * 1440.0 + 137.0);
    const auto look = [&]() {
        Vec3 h;  // the pass search's azimuth, computed only when read, is the same
        GetElevationPos(SiteAt(in.get(), t), in.get(), sp.get(), 0, h);
        GetHorizonPos(t, in.get(), sp.get(), 0);
        EXPECT_EQ(AzimuthDegrees(h), sp->azim[0]);
        return std::array<double, 3>{sp->azim[0], sp->elev[0], sp->range[0]};
    };
    const auto settings = [&](int k) {
        in->obslat = k == 1 ? 52.5 : 48.1;
        in->obshgt = k == 2 ? 1500.0 : 500.0;
        in->iersflg = k == 3;
        in->ut1utc = k == 3 ? 0.3 : 0.0;
    };
    for (int round = 0; round < 2; ++round) {
        for (int k = 0; k < 4; ++k) {
            settings(k);
            const std::array<double, 3> first = look(), again = look();
            EXPECT_EQ(first, freshLook(*in, t)) << k;
            EXPECT_EQ(again, first) << k;
        }
    }
}
