#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <regex>

#include "astro/frames.h"
#include "core/dateframe.h"
#include "core/defaults.h"
#include "core/iridium.h"
#include "core/occtrans.h"
#include "core/passevents.h"
#include "core/satstate.h"
#include "core/transitremark.h"
#include "foundation/units.h"
#include "test_site.h"

namespace {
constexpr double kDeg = M_PI / 180.0;
constexpr double kRe = 6378.137;
using time_units::kSecond;
// 2026-02-22 11:00 UTC: the Sun about 31 degrees high at 48.1 N, 11.6 E; 06:35 UTC: 3 degrees.
constexpr double kNoonMjd = 61093.0 + 11.0 / 24.0;
constexpr double kMorningMjd = 61093.0 + (6.0 + 35.0 / 60.0) / 24.0;

struct Fixture {
    std::unique_ptr<WinpData> in = IssSettings();
    std::unique_ptr<SatPosData> sp = std::make_unique<SatPosData>();
    Fixture() { SetDefaults(sp.get()); }
    // Centre-line point of a satellite h km above the site on its line toward the Sun; returns
    // the Sun's elevation (degrees) at the site.
    double sunward(double t, double h)
    {
        const DateFrame f = MakeDateFrame(in.get(), t);
        const Vec3 site = GeoPos(f.trot, f.eqeq, in->obslat * kDeg, in->obslon * kDeg, in->obshgt);
        const Vec3 sun = SunOfDate(f);
        GetOccTrans(f.trot, in.get(), sp.get(), 0, f.eqeq, site + vnorm(sun - site) * (h / kRe), sun);
        return std::asin(dot(vnorm(sun - site), vnorm(site))) / kDeg;
    }
    // Centre-line latitude of the line leaving r (Earth radii) toward -z.
    double downward(const Vec3& r)
    {
        const DateFrame f = MakeDateFrame(in.get(), kNoonMjd);
        GetOccTrans(f.trot, in.get(), sp.get(), 0, f.eqeq, r, Vec3(0, 0, 1));
        return sp->ctrlat[0];
    }
};
}  // namespace

TEST(OccTrans, CentreLineThroughTheSiteOrNoneWhenItMissesTheEarth)
{
    Fixture x;
    x.in->occmode = kSunTarget;
    for (double h : {400.0, 1500.0, 36000.0}) {
        x.sunward(kNoonMjd, h);
        EXPECT_NEAR(x.sp->ctrlat[0], 48.1, 0.005) << h;
        EXPECT_NEAR(x.sp->ctrlon[0], 11.6, 0.005) << h;
        EXPECT_LT(x.sp->mag, 0.5) << h;
    }
    // Refraction shifts the centre line for a low Sun only.
    x.in->refract = true;
    x.sunward(kNoonMjd, 400.0);
    EXPECT_LT(x.sp->mag, 0.5);
    x.sunward(kMorningMjd, 400.0);
    EXPECT_GT(x.sp->mag, 2.0);
    // Only the prime satellite's distance goes to mag.
    x.sp->mag = 7.0;
    x.in->prime = 1;
    x.sunward(kNoonMjd, 400.0);
    EXPECT_EQ(x.sp->mag, 7.0);
    // Missing the limb by 0.1 %, the Earth behind the satellite, or beyond it from the Sun: no line.
    Fixture y;
    y.in->occmode = kFixedTarget;
    EXPECT_EQ(y.downward(Vec3(1.001, 0.0, 3.0)), kNoCentreLine);
    const double hit = y.downward(Vec3(0.999, 0.0, 3.0));
    EXPECT_TRUE(hit > 0.0 && hit < kNoCentreLine) << hit;
    EXPECT_EQ(y.downward(Vec3(0.0, 0.0, -3.0)), kNoCentreLine);
    y.in->occmode = kSunTarget;
    const DateFrame f = MakeDateFrame(y.in.get(), kNoonMjd);
    GetOccTrans(f.trot, y.in.get(), y.sp.get(), 0, f.eqeq, -vnorm(SunOfDate(f)) * 1.1, SunOfDate(f));
    EXPECT_EQ(y.sp->ctrlat[0], kNoCentreLine);
}

TEST(OccTrans, IssSunTransitsTheirRemarksAndClosestApproach)
{
    // Sun transits of the ISS whose centre line passes within 100 km of the site.
    Fixture x;
    x.in->iridmode = kTransitMode;
    x.in->occmode = kSunTarget;
    x.in->evmaxdist = 100.0;
    const EventRun run(x.in.get());
    std::vector<EventHit> events = FindEvents(x.in.get(), 0, 61114.0, 61135.0, run.defaulted(), x.sp.get());
    ASSERT_GE(events.size(), 3u);
    const std::regex shape(R"(  [ >]( \d|\d\d)\.\d km ( \d|\d\d)\.\d sec ( {3}\d| {2}\d\d| \d{3}))");
    for (const EventHit& e : events) {
        EXPECT_LE(e.value, 100.0);
        ASSERT_TRUE(std::regex_match(e.label, shape)) << "'" << e.label << "'";
        // The ISS, some hundred km away, takes a second or so to cross the Sun.
        const double width = std::atof(e.label.c_str() + 3), duration = std::atof(e.label.c_str() + 11);
        EXPECT_GT(duration, 0.3);
        EXPECT_LT(duration, 5.0);
        // The default zone rule keeps a transit exactly when the site lies within the half width.
        char remark[kTransitTextBytes];
        int result = 0;
        SunMoonTr(x.in.get(), e.t, 0, e.value, 1, result, remark, x.sp.get());
        EXPECT_EQ(remark, e.label);
        EXPECT_EQ(result, width >= e.value ? 1 : 2);
        EXPECT_EQ(x.in->obslat, 48.1);
    }
    // 10 km or more: the distance sampled at the best instant.
    const EventHit far = events[0];
    ASSERT_GE(far.value, 10.0);
    GetSatPos(far.t, x.in.get(), x.sp.get(), 0, 0);
    EXPECT_DOUBLE_EQ(far.value, x.sp->mag);
    // Below: the closest approach of the centre line, here for a site moved 4 km across it.
    const double lat = x.sp->ctrlat[0], lon = x.sp->ctrlon[0], c = std::cos(lat * kDeg);
    GetSatPos(far.t + kSecond, x.in.get(), x.sp.get(), 0, 0);
    const double heading = std::atan2(x.sp->ctrlat[0] - lat, (x.sp->ctrlon[0] - lon) * c);
    x.in->obslat = lat + 4.0 / 111.2 * std::cos(heading);
    x.in->obslon = lon - 4.0 / 111.2 * std::sin(heading) / c;
    events = FindEvents(x.in.get(), 0, far.t - 0.02, far.t + 0.02, false, x.sp.get());
    ASSERT_EQ(events.size(), 1u);
    EXPECT_NEAR(events[0].value, 4.0, 0.3);
}
