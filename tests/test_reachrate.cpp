// The bounds that let the pass search step over samples, against the propagated orbits of the
// SGP4 verification set (near-Earth, navigation, geostationary, Molniya and other eccentric
// deep-space orbits).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "astro/earth_constants.h"
#include "core/reachbound.h"
#include "core/satstate.h"
#include "core/siteinstant.h"
#include "core/tlefields.h"
#include "pass_reference.h"
#include "sgp4_verification.h"

// Over two days at one-minute steps, from a northern, an equatorial and a southern site, no change
// of the angle exceeds the bound until the orbit decays; near-synchronous orbits get a bound well below the Earth's turn.
TEST(ReachRate, AngleNeverChangesFasterThanTheBound)
{
    auto in = referenceSettings('A');
    auto sp = stateRecord();
    in->minsatelev = 0.0;
    int checked = 0, synchronous = 0;
    for (const VerificationCase& c : readVerificationCases()) {
        StoreTle(in.get(), 0, c.tle);
        in->sgpslot = kNoSgpSlot;
        const ReachBound b = MakeReachBound(in.get(), 0);
        if (!b.valid) continue;
        ++checked;
        if (std::fabs(in->elmm[0] - 1.0027) < 0.01 && in->elecc[0] < 0.01) {
            ++synchronous;
            EXPECT_LT(b.rate, 1.5) << c.tle.satno;  // rad per day, against 6.3 for the Earth's turn
        }
        for (const double lat : {52.5, 0.0, -40.0}) {
            in->obslat = lat;
            const double t0 = in->elepoch[0];
            double last = NAN;
            for (int k = 0; k <= 2 * 1440; ++k) {
                GetHorizonPos(t0 + k * time_units::kMinute, in.get(), sp.get(), 0);
                if (abs(sp->vec1) < kEarthRadiusKm) break;  // decayed: the propagation has failed
                const double angle = SiteAngle(sp->elev[0], sp->range[0]);
                if (k > 0) {
                    ASSERT_LE(std::fabs(angle - last), b.rate * time_units::kMinute) << c.tle.satno << " " << k;
                }
                last = angle;
            }
        }
    }
    EXPECT_GT(checked, 20);
    EXPECT_GE(synchronous, 3);
}

// No skip, forward or back in time, passes over a minute at which the satellite is above the
// minimum elevation, from northern, equatorial, southern and polar sites.
TEST(ReachRate, SkipsNeverPassAVisibleMinute)
{
    auto in = referenceSettings('A');
    auto sp = stateRecord();
    long stepped = 0;
    for (const VerificationCase& c : readVerificationCases()) {
        StoreTle(in.get(), 0, c.tle);
        in->sgpslot = kNoSgpSlot;
        for (const double minElev : {0.0, 10.0})
            for (const double lat : {52.5, 0.0, -40.0, 85.0}) {
                in->minsatelev = minElev;
                in->obslat = lat;
                const ReachBound b = MakeReachBound(in.get(), 0);
                std::vector<bool> up;
                std::vector<int> forward, back;
                for (int k = 0; k <= 1440; ++k) {
                    const double t = in->elepoch[0] + k * time_units::kMinute;
                    GetHorizonPos(t, in.get(), sp.get(), 0);
                    if (abs(sp->vec1) < kEarthRadiusKm) break;  // decayed: the propagation has failed
                    const Vec3 site = SiteAt(in.get(), t).observer.r;
                    up.push_back(sp->elev[0] >= minElev);
                    for (const int dir : {1, -1})
                        (dir > 0 ? forward : back)
                            .push_back(SamplesHidden(b, site, sp->vec1, sp->vec2, sp->elev[0], sp->range[0],
                                                     dir * time_units::kMinute));
                }
                const int count = static_cast<int>(up.size());
                for (int k = 0; k < count; ++k) {
                    for (int j = 1; j <= forward[k] && k + j < count; ++j) ASSERT_FALSE(up[k + j]) << c.tle.satno;
                    for (int j = 1; j <= back[k] && k - j >= 0; ++j) ASSERT_FALSE(up[k - j]) << c.tle.satno;
                    stepped += forward[k] + back[k];
                }
            }
    }
    EXPECT_GT(stepped, 100000);
}
