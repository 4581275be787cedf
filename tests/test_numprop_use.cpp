// Numerical propagation as the program uses it: state-vector satellites in the settings record,
// propagated through the satellite state computation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "core/deltav.h"
#include "core/epochstate.h"
#include "core/satstate.h"
#include "core/tlefile.h"
#include "core/tlesave.h"
#include "iss_settings.h"
#include "scoped_env.h"

namespace {
constexpr double kGM = 398600.4415;  // km^3/s^2
constexpr double kHour = 1.0 / 24.0;

// Position (km) and velocity (km/s) of slot 0 at mjd, true equator of date; height in km.
struct State {
    Vec3 r, v;
    double height;
};
State stateAt(WinpData* in, double mjd)
{
    auto sp = std::make_unique<SatPosData>();
    GetSatPos(mjd, in, sp.get(), 0, 0);
    return {sp->vec1, sp->vec2, sp->height[0]};
}

// Semi-major axis (km) of a state by vis-viva.
double axis(const State& s) { return 1.0 / (2.0 / abs(s.r) - dot(s.v, s.v) / kGM); }

// Semi-major axis (km) of slot 0 averaged over the revolution after mjd, thrust off: free of
// the short-period wobble of the osculating value in the Earth's oblate field.
double meanAxis(WinpData* in, double mjd)
{
    constexpr int kSamples = 24;
    const double a0 = axis(stateAt(in, mjd));
    in->thrflg[0] = false;
    const double period = 2 * M_PI * std::sqrt(a0 * a0 * a0 / kGM) / 86400.0;
    double sum = 0.0;
    for (int k = 0; k < kSamples; ++k) sum += axis(stateAt(in, mjd + k * period / kSamples));
    return sum / kSamples;
}

// The ISS of the shared settings turned into a state-vector satellite at its epoch.
std::unique_ptr<WinpData> issStateVector()
{
    auto in = IssSettings();
    EpochState(in.get(), 0, true);
    in->numflg[0] = 1;
    in->mjd = in->elepoch[0];
    return in;
}

// A state-vector satellite on a circular orbit of height h (km) at 51.6 degrees, without drag
// unless areaMass (m^2/kg) is given.
std::unique_ptr<WinpData> circularStateVector(double h, double areaMass = 0.0)
{
    auto in = issStateVector();
    const double a = (6378.137 + h) * 1000.0, speed = std::sqrt(kGM * 1e9 / a), i = 51.6 * M_PI / 180;
    const double r[3] = {a, 0, 0}, v[3] = {0, speed * std::cos(i), speed * std::sin(i)};
    for (int k = 0; k < 3; ++k) {
        in->svpos[k][0] = in->stpos[k][0] = r[k];
        in->svvel[k][0] = in->stvel[k][0] = v[k];
    }
    in->stmjd[0] = in->elepoch[0];
    in->scam[0] = areaMass;
    return in;
}
}  // namespace

TEST(NumPropUse, SavedStateVectorReadsBackAndPropagatesAlike)
{
    ScopedTempDir dir;
    auto in = issStateVector();
    std::snprintf(in->satname[0], sizeof in->satname[0], "ISS STATE");
    std::snprintf(in->tlesave, sizeof in->tlesave, "sv.tle");
    in->tlesvnmset = 1;
    ASSERT_EQ(SaveTle(in.get()), 0);

    auto back = IssSettings();
    std::FILE* f = std::fopen("sv.tle", "r");
    ASSERT_NE(f, nullptr);
    std::vector<char> text(kTleTextBytes);
    back->srchmode = 0;
    std::snprintf(back->srchname[kWorkSlot], sizeof back->srchname[kWorkSlot], "ISS STATE");
    EXPECT_GE(tleread(back.get(), f, text.data(), 0), 1);
    std::fclose(f);
    ShiftElm(back.get(), 0, kWorkSlot);
    EXPECT_EQ(back->numflg[0], 1);
    EXPECT_NEAR(back->elepoch[0], in->elepoch[0], 1e-9);
    EXPECT_EQ(back->scam[0], in->scam[0]);
    for (double hours : {0.0, 1.0, 12.0}) {
        const double t = in->elepoch[0] + hours * kHour;
        EXPECT_LT(abs(stateAt(back.get(), t).r - stateAt(in.get(), t).r), 0.001) << hours;
    }
}

TEST(NumPropUse, IssStaysNearSgp4ForADay)
{
    // Drag off on both sides. The orbits keep their shape and plane; along the track the state
    // runs ahead by about 0.9 km per hour (22 km after a day), the J2-and-beyond terms that
    // SGP4's analytic theory leaves out of the mean motion of this osculating start.
    auto sgp = IssSettings();
    sgp->elbstar[0] = 0.0;
    auto num = issStateVector();
    num->sccd[0] = 0.0;
    for (int hour = 1; hour <= 24; ++hour) {
        const double t = num->elepoch[0] + hour * kHour;
        const State a = stateAt(sgp.get(), t), b = stateAt(num.get(), t);
        const Vec3 d = a.r - b.r;
        EXPECT_LT(std::fabs(abs(a.r) - abs(b.r)), 0.5) << hour;              // radial
        EXPECT_LT(std::fabs(dot(d, vnorm(a.r * a.v))), 0.5) << hour;         // cross-track
        EXPECT_LT(std::fabs(dot(d, vnorm(a.v))), 2.5 + 0.9 * hour) << hour;   // along-track
    }
}

TEST(NumPropUse, ThrustRaisesTheOrbitAsTheImpulseWould)
{
    // 1e-4 m/s^2 along the velocity for 6 hours: 2.16 m/s, which raises a circular orbit by
    // 2 a dv / v; an impulse of the same size does the same at once.
    const double accel = 1e-4, t = 6 * kHour, dv = accel * t * 86400.0;
    auto free = circularStateVector(400.0);
    auto thrust = circularStateVector(400.0);
    thrust->thrflg[0] = true;
    thrust->thrsun[0] = false;
    thrust->thracc[0] = accel;
    auto sunny = circularStateVector(400.0);
    sunny->thrflg[0] = true;
    sunny->thracc[0] = accel;
    auto impulse = circularStateVector(400.0);
    EXPECT_EQ(ExDeltaV(impulse.get(), dv, 0.0, 0.0), 0);

    const double t1 = free->elepoch[0] + t;
    const double a = meanAxis(free.get(), t1);
    const double expected = 2.0 * a * dv / 1000.0 / abs(stateAt(free.get(), t1).v);
    EXPECT_NEAR(meanAxis(impulse.get(), t1) - a, expected, 0.005 * expected);
    // In the Earth's shadow the sunshine-only thrust pauses.
    const double sunlit = (meanAxis(sunny.get(), t1) - a) / expected;
    EXPECT_GT(sunlit, 0.5);
    EXPECT_LT(sunlit, 0.75);

    // With the epoch update the raised orbit becomes the new epoch state and elements.
    thrust->thrupd[0] = true;
    const State s = stateAt(thrust.get(), t1);
    EXPECT_NEAR(thrust->elepoch[0], t1, 1e-9);
    EXPECT_EQ(thrust->svvel[1][0], thrust->stvel[1][0]);
    EXPECT_NEAR(thrust->elsma[0], axis(s), 0.01);
    EXPECT_NEAR(meanAxis(thrust.get(), t1) - a, expected, 0.005 * expected);
}

TEST(NumPropUse, ReentryStaysFiniteAndLands)
{
    // A 160 km orbit with a large area: it decays within hours; each ten-minute request arrives,
    // with finite numbers throughout, and the satellite ends on the ground.
    auto in = circularStateVector(160.0, 0.05);
    ASSERT_NE(in->maxiter, 0);
    State s{};
    for (int k = 1; k <= 72; ++k) {
        const double t = in->elepoch[0] + k * 10.0 / 1440;
        s = stateAt(in.get(), t);
        ASSERT_TRUE(std::isfinite(abs(s.r) + abs(s.v) + s.height)) << k;
        EXPECT_NEAR(in->stmjd[0], t, 1e-3 / 86400) << k;
    }
    EXPECT_NEAR(s.height, 0.0, 1.0);
    EXPECT_LT(abs(s.v), 0.47);  // turning with the Earth
}
