#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <tuple>

#include "astro/frames.h"
#include "core/dateframe.h"
#include "core/meanmotion.h"
#include "core/orbitdet.h"
#include "test_site.h"

namespace {
constexpr double kDeg = M_PI / 180.0, kSecond = 1.0 / 86400.0, kRe = 6378.137;
constexpr double kRadius = kRe + 500.0, kIncl = 51.6;

// Position (km, true equator of date) at mjd on a circular orbit of kRadius and kIncl that
// passes north-east bound over the site of in 30 s after its start instant.
Vec3 passAt(const WinpData* in, double mjd)
{
    const double tc = in->mjd + 30 * kSecond;
    const Vec3 up = vnorm(GeoPos(tc, 0.0, in->obslat * kDeg, in->obslon * kDeg, in->obshgt));
    const Vec3 east = vnorm(Vec3(0, 0, 1) * up), north = up * east;
    const double azim = std::asin(std::cos(kIncl * kDeg) / std::sqrt(1.0 - up[2] * up[2]));
    const double theta = 2 * M_PI * getn0(kRadius, 0.0, kIncl) * (mjd - tc);
    return kRadius * (std::cos(theta) * up + std::sin(theta) * (std::sin(azim) * east + std::cos(azim) * north));
}

// Sighting of the pass at mjd: azimuth and elevation (degrees), or R.A. and Dec. of in's epoch.
void observe(const WinpData* in, double mjd, bool radec, double& x, double& y)
{
    const double lat = in->obslat * kDeg, lon = in->obslon * kDeg;
    const Vec3 topo = passAt(in, mjd) - kRe * GeoPos(mjd, 0.0, lat, lon, in->obshgt);
    if (radec) return SkyCoordinates(mxvct(EpochMatrix(in, MakeDateFrame(in, mjd)), topo), x, y);
    double az, el, dist;
    AppPos(mjd, 0.0, lat, lon, in->obshgt, 0, topo / kRe, az, el, dist);
    x = std::fmod(az / kDeg + 360.0, 360.0);
    y = el / kDeg;
}

// Settings with two sightings 60 s apart in the given forms (reverse: in swapped order).
std::unique_ptr<WinpData> observed(bool radec1, bool radec2, double epoch = 0.0, bool reverse = false)
{
    auto in = IssSettings();
    in->mjd = 61093.1;
    in->epoch = epoch;
    const double t1 = in->mjd, t2 = t1 + 60 * kSecond;
    observe(in.get(), reverse ? t2 : t1, radec1, in->locaz, in->locel);
    observe(in.get(), reverse ? t1 : t2, radec2, in->locra, in->locdec);
    in->od1radec = radec1;
    in->od2radec = radec2;
    in->oddeltm = 60.0;
    return in;
}
}  // namespace

TEST(OrbitDet, CircularOrbitFromTwoSightingsSlotsAndDegenerateInput)
{
    auto in = observed(false, false);
    OrbitDet(in.get());
    ASSERT_EQ(in->nsat, 2);
    ASSERT_EQ(in->prime, 1);
    EXPECT_STREQ(in->satname[1], "New");
    EXPECT_NEAR(in->elsma[1], kRadius, 0.5);
    EXPECT_NEAR(in->elincl[1], kIncl, 0.01);  // mean equator of date: nutation apart
    EXPECT_EQ(in->elecc[1] + in->sgp4flg[1] + in->numflg[1], 0.0);
    EXPECT_EQ(in->elepoch[1], in->mjd);
    // At epoch the new satellite is where it was first seen.
    const Vec3 first = mxvct(mxtrn(MakeDateFrame(in.get(), in->mjd).nut), passAt(in.get(), in->mjd));
    EXPECT_LT(abs(Vec3(in->svpos[0][1], in->svpos[1][1], in->svpos[2][1]) / 1000.0 - first), 2.0);
    // R.A./Dec. of date, of J2000, or mixed with azimuth and elevation: the same orbit.
    for (const auto& f : {std::array<double, 3>{1, 1, 0}, {0, 1, 2000}, {1, 0, 2000}}) {
        auto other = observed(f[0] != 0, f[1] != 0, f[2]);
        OrbitDet(other.get());
        EXPECT_NEAR(other->elsma[1], in->elsma[1], 0.2);
        EXPECT_NEAR(other->elincl[1] + other->elnode[1] + other->elargp[1],
                    in->elincl[1] + in->elnode[1] + in->elargp[1], 0.03);
    }
    // Swapped sightings with a negative interval: the later one first, the same motion.
    auto rev = observed(false, false, 0.0, true);
    rev->oddeltm = -60.0;
    rev->mjd += 60 * kSecond;
    OrbitDet(rev.get());
    EXPECT_NEAR(rev->elincl[1], in->elincl[1], 0.01);
    EXPECT_NEAR(rev->elsma[1], in->elsma[1], 0.2);
    in = observed(false, false);
    // With ten satellites selected the tenth is replaced.
    in->nsat = 10;
    std::strcpy(in->satname[8], "KEEP");
    OrbitDet(in.get());
    EXPECT_EQ(in->nsat, 10);
    EXPECT_EQ(in->prime, 9);
    EXPECT_STREQ(in->satname[9], "New");
    EXPECT_STREQ(in->satname[8], "KEEP");
    // A radius search cut short stores its last radius under a name that says so.
    const OdGeometry g = MakeOdGeometry(in.get());
    double a, solved = in->elsma[9];
    const bool converged = SolveRadius(g, 2, a);
    StoreCircularOrbit(in.get(), 9, g, a, converged);
    EXPECT_STREQ(in->satname[9], "No Convergence");
    EXPECT_NEAR(in->elsma[9], solved, 25.0);  // two halvings of the 100-km bracket
    // One direction twice, no interval, below the horizon, a zenith pair a long time apart.
    for (const auto& c : {std::array<double, 5>{10, 20, 10, 20, 60}, {10, 20, 30, 40, 0}, {10, -80, 200, -80, 60},
                          {0, 90, 0, 90, 1e6}}) {
        std::tie(in->locaz, in->locel, in->locra, in->locdec, in->oddeltm) = std::tie(c[0], c[1], c[2], c[3], c[4]);
        in->nsat = 1;
        OrbitDet(in.get());
        EXPECT_TRUE(std::isfinite(in->elsma[1] + in->elincl[1] + in->elnode[1] + in->elargp[1] + in->svpos[0][1]));
    }
}
