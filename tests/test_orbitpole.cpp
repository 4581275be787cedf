#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "astro/frames.h"
#include "astro/timescales.h"
#include "core/defaults.h"
#include "core/orbitpole.h"
#include "core/satstate.h"
#include "core/tlefields.h"
#include "foundation/textconv.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
// Culminations of ISS passes over site A (48.1 N, 11.6 E, model site) from
// passes_reference.txt: MJD UTC, elevation and azimuth (degrees).
struct Culmination {
    double mjd, el, az;
};
constexpr Culmination kCulminations[] = {
    {61093.0995878, 47.486, 148.303}, {61093.1668666, 51.485, 347.500},
    {61093.2343822, 45.034, 7.628},   {61093.3017488, 69.766, 207.223},
    {61094.0672220, 31.963, 143.928}, {61094.1343957, 62.999, 342.735}};

std::unique_ptr<WinpData> issSettings()
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    TleFields f{};
    ParseTleLine1("1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990", f);
    ParseTleLine2("2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866", f);
    StoreTle(in.get(), 0, f);
    in->sgpslot = kNoSgpSlot;
    in->nsat = 1;
    in->prime = 0;
    in->obslat = 48.1;
    in->obslon = 11.6;
    in->obshgt = 500.0;
    in->epoch = 0.0;
    in->digits4 = 1;
    return in;
}

// Unit vector of R.A. and Dec. (radians).
Vec3 direction(double ra, double dec)
{
    return Vec3(std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec));
}

}  // namespace

TEST(OrbitPole, PoleAboveTheHorizonAndPerpendicularToThePath)
{
    auto in = issSettings();
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
        EXPECT_NEAR(el, 90.0 - c.el, 0.2) << t;
        EXPECT_NEAR(std::remainder(az - c.az - 180.0, 360.0), 0.0, 0.3) << t;

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
}

TEST(OrbitPole, TextOnlyInNormalMode)
{
    auto in = issSettings();
    in->pdmaxt = kCulminations[0].mjd;
    char buf[400] = "";
    in->digits4 = 0;
    GetPoleTxt(in.get(), buf);
    double az, el, ra, dec;
    char tail[8];
    ASSERT_EQ(std::sscanf(std::strchr(buf, '\n'), " %lf %lf %lf %lf%7s", &az, &el, &ra, &dec, tail), 4);
    EXPECT_EQ(std::strlen(std::strchr(buf, '\n') + 1), 26u + 20u);

    in->nsat = 2;
    in->relmode = 1;
    buf[0] = '\0';
    GetPoleTxt(in.get(), buf);
    EXPECT_STREQ(buf, "");
    in->relmode = 0;
    in->occmode = 1;
    GetPoleTxt(in.get(), buf);
    EXPECT_STREQ(buf, "");
    in->occmode = 0;
    in->flares = 1;
    GetPoleTxt(in.get(), buf);
    EXPECT_STREQ(buf, "");
}
