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
