#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/rv2el.h"
#include "core/satsgp4.h"
#include "propagation/sgp4.h"
#include "sgp4_verification.h"

namespace {

// Settings record with the verification cases of the given catalogue numbers in slots 0, 1, ...
std::unique_ptr<WinpData> recordWith(std::initializer_list<int> satnos)
{
    std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    in->sgpslot = kNoSgpSlot, in->gravflg = 0, in->sgpmode = true;
    int slot = 0;
    for (const int satno : satnos)
        for (const VerificationCase& c : readVerificationCases())
            if (c.tle.satno == satno) StoreTle(in.get(), slot++, c.tle);
    EXPECT_EQ(slot, static_cast<int>(satnos.size()));
    return in;
}

// Published state of a case at t minutes.
ReferenceRow published(int satno, double t)
{
    for (const ReferenceRow& row : findCase(readReferenceCases(), satno).rows)
        if (row.t == t) return row;
    ADD_FAILURE() << satno << " has no row at " << t;
    return ReferenceRow{};
}

void expectState(const Vec3& r, const Vec3& v, const ReferenceRow& row)
{
    for (unsigned k = 0; k < 3; ++k) {
        EXPECT_NEAR(r[k], row.r[k], 1e-6);
        EXPECT_NEAR(v[k], row.v[k], 1e-8);
    }
}

}  // namespace

TEST(Sgp4Slot, SlotsReinitialiseAndFailuresLeaveOtherSlotsTheirOwn)
{
    // A near-Earth and a resonant deep-space satellite, propagated in turn.
    std::unique_ptr<WinpData> in = recordWith({5, 28626});
    Vec3 r, v;
    for (const double t : {360.0, 1440.0, 720.0}) {
        for (int slot : {0, 1}) {
            ASSERT_EQ(Sgp4(in.get(), t / 1440.0, slot, r, v), 0);
            EXPECT_EQ(in->sgpslot, slot);
            expectState(r, v, published(slot ? 28626 : 5, t));
        }
    }
    // The record is re-initialised only when the slot changes.
    in->elmm[1] = 2.0;
    ASSERT_EQ(Sgp4(in.get(), 0.5, 1, r, v), 0);
    expectState(r, v, published(28626, 720.0));
    in->sgpslot = kNoSgpSlot;
    ASSERT_EQ(Sgp4(in.get(), 0.5, 1, r, v), 0);
    EXPECT_NEAR(abs(r), 26600.0, 200.0);  // now a 12-hour orbit
    // Slot 1 fails (tried again each time); slot 0 keeps its states, also after another record's.
    in = recordWith({5, 33334});
    std::unique_ptr<WinpData> other = recordWith({28626});
    const Vec3 dummyR(100.0, 0.0, 0.0), dummyV(0.0, 10.0, 0.0);
    for (const double t : {360.0, 720.0}) {
        ASSERT_EQ(Sgp4(in.get(), t / 1440.0, 0, r, v), 0);
        expectState(r, v, published(5, t));
        EXPECT_EQ(Sgp4(in.get(), t / 1440.0, 1, r, v), 3);
        EXPECT_TRUE(in->sgpslot == kNoSgpSlot && abs(r - dummyR) + abs(v - dummyV) == 0.0);
        ASSERT_EQ(Sgp4(other.get(), t / 1440.0, 0, r, v), 0);
        expectState(r, v, published(28626, t));
        ASSERT_EQ(Sgp4(in.get(), t / 1440.0, 0, r, v), 0);
        expectState(r, v, published(5, t));
    }
    EXPECT_NE(Sgp4(in.get(), 0.0, kSlots, r, v), 0);  // a slot outside the record
    EXPECT_EQ(abs(r - dummyR) + abs(v - dummyV), 0.0);
    // An eccentricity of 0 is raised to one the model accepts.
    std::unique_ptr<WinpData> circular = recordWith({6251});
    circular->elecc[0] = 0.0;
    ASSERT_EQ(Sgp4(circular.get(), 0.1, 0, r, v), 0);
    EXPECT_NEAR(abs(r), 6378.0 + 390.0, 50.0);
}

TEST(Rv2el, DegenerateStatesStayFinite)
{
    // The origin, a radial fall, escape speed, the propagators' dummy state: no NaN.
    const Vec3 bad[][2] = {{Vec3(), Vec3()}, {Vec3(7e6, 0, 0), Vec3(-100, 0, 0)},
                           {Vec3(0, 7e6, 0), Vec3(0, 0, 2e4)}, {Vec3(1e5, 0, 0), Vec3(0, 1e4, 0)}};
    for (const auto& s : bad) {
        double el[6];
        rv2el(s[0], s[1], el[0], el[1], el[2], el[3], el[4], el[5]);
        for (double x : el) EXPECT_TRUE(std::isfinite(x)) << s[0][0] << " " << s[1][2];
    }
}
