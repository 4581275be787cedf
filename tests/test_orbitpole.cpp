#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "astro/frames.h"
#include "astro/timescales.h"
#include "core/orbitpole.h"
#include "core/satstate.h"
#include "foundation/textconv.h"
#include "test_site.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
// ISS culminations over site A from passes_reference.txt: MJD UTC, elevation, azimuth (deg).
struct Culmination {
    double mjd, el, az;
};
constexpr Culmination kCulminations[] = {
    {61093.0996045, 46.142, 148.388}, {61093.1668736, 53.278, 347.476},
    {61093.2343780, 46.542, 7.648},   {61093.3017336, 67.517, 207.190},
    {61094.0672391, 31.269, 144.075}, {61094.1344055, 65.238, 342.716}};

// Unit vector of R.A. and Dec. (radians).
Vec3 direction(double ra, double dec) { return polcar(Vec3(1.0, ra, dec)); }

}  // namespace

TEST(OrbitPole, PoleAboveTheHorizonPerpendicularToThePathShownInNormalModeOnly)
{
    auto in = IssSettings();
    in->epoch = 0.0;
    in->digits4 = 1;
    auto sp = std::make_unique<SatPosData>();
    for (const Culmination& c : kCulminations) {
        const double t = c.mjd;
        in->pdmaxt = t;
        char buf[400] = "x";
        GetPoleTxt(in.get(), buf);
        char header[80];
        double az, el, ra, dec;
        ASSERT_EQ(std::sscanf(buf, "x%79[^\n]\n %lf %lf %lf %lf", header, &az, &el, &ra, &dec), 5) << buf;
        EXPECT_STREQ(header, "Apparent Pole of orbit (Azim   Elev   R.A.  Decl)");
        // The apparent path is nearly a great circle: its pole stands opposite the
        // culmination, as far above the horizon as the culmination is below the zenith.
        const double e2 = (90.0 - c.el) * kDeg, daz = (az - c.az - 180.0) * kDeg;
        const double cosd = std::sin(el * kDeg) * std::sin(e2) + std::cos(el * kDeg) * std::cos(e2) * std::cos(daz);
        EXPECT_LT(std::acos(std::min(cosd, 1.0)) / kDeg, 0.2) << t;
        // The printed azimuth and elevation are the printed R.A. and Dec. at the site.
        double eqeq, pra, pdec;
        nutmat(julcent(t), eqeq, false);
        AppRADec(t, eqeq, 48.1 * kDeg, 11.6 * kDeg, az * kDeg, el * kDeg, pra, pdec);
        const Vec3 pole = direction(DmsDegF(ra) * 15.0 * kDeg, DmsDegF(dec) * kDeg);
        EXPECT_LT(std::acos(dot(pole, direction(pra, pdec))), 0.02 * kDeg) << t;
        // The satellite at the middle instant lies on the great circle of the pole.
        GetSatPos(t, in.get(), sp.get(), 0, 0);
        const Vec3 sat = direction(DmsDegF(sp->ra[0]) * 15.0 * kDeg, DmsDegF(sp->dec[0]) * kDeg);
        EXPECT_NEAR(std::asin(dot(pole, sat)) / kDeg, 0.0, 0.1) << t;
    }
    // The text is shown in the normal mode only.
    in = IssSettings();
    in->pdmaxt = kCulminations[0].mjd;
    for (const auto mode : {&WinpData::relmode, &WinpData::occmode, &WinpData::flares}) {
        in.get()->*mode = 1, in->nsat = 2;
        char buf[200] = "";
        GetPoleTxt(in.get(), buf);
        EXPECT_STREQ(buf, "");
        in.get()->*mode = 0;
    }
}
