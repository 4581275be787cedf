#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>

#include "astro/frames.h"
#include "astro/timescales.h"
#include "core/dateframe.h"
#include "core/illumination.h"
#include "core/satstate.h"
#include "foundation/units.h"
#include "pass_reference.h"
#include "propagation/attitude.h"

namespace {

using angle_units::kPi;
constexpr double kDeg = kPi / 180.0;
// WGS-84 equatorial radius (km), eccentricity squared, and the Kepler model's GM (km^3/s^2).
constexpr double kRe = 6378.137;
constexpr double kE2 = 0.0066943799901413165;
constexpr double kGm = 2.9755364003e15 / (86400.0 * 86400.0);
// 2026-02-22 02:23:27.6 UTC, during an ISS pass over site A.
constexpr double kPassMjd = 61093.0996250;

// Orbital energy (km^2/s^2) of the state in sp->vec1, vec2.
double energy(const SatPosData* sp)
{
    return dot(sp->vec2, sp->vec2) / 2.0 - kGm / abs(sp->vec1);
}

// Earth-fixed position (km) of geodetic latitude lat, longitude lon (degrees) and height h (km).
Vec3 geodeticToCartesian(double lat, double lon, double h)
{
    const double s = std::sin(lat * kDeg), c = std::cos(lat * kDeg);
    const double n = kRe / std::sqrt(1.0 - kE2 * s * s);
    return Vec3((n + h) * c * std::cos(lon * kDeg), (n + h) * c * std::sin(lon * kDeg),
                (n * (1.0 - kE2) + h) * s);
}

// Great-circle angle (radians) between two points given in radians.
double centralAngle(double lat1, double lon1, double lat2, double lon2)
{
    const double c = std::sin(lat1) * std::sin(lat2) + std::cos(lat1) * std::cos(lat2) * std::cos(lon1 - lon2);
    return std::acos(std::clamp(c, -1.0, 1.0));
}

}  // namespace

// The ISS alone at site A with the exact model.
class SatState : public testing::Test {
protected:
    std::unique_ptr<WinpData> in = IssSettings();
    std::unique_ptr<SatPosData> sp = std::make_unique<SatPosData>();
};

TEST_F(SatState, LookAnglesMatchReferenceAndSubSatellitePointLiesOnTheEllipsoid)
{
    const std::vector<RefRow> looks = referenceRows("LOOK");
    ASSERT_EQ(looks.size(), 100u);
    for (const RefRow& l : looks) {
        auto ref = referenceSelection(l.site, l.satno);
        GetSatPos(l.rise, ref.get(), sp.get(), 0, 0);
        SCOPED_TRACE(l.utc);
        EXPECT_NEAR(std::remainder(sp->azim[0] - l.az, 360.0), 0.0, 0.002);
        EXPECT_NEAR(sp->elev[0], l.el, 0.002);
        EXPECT_NEAR(sp->range[0], l.range, 0.005);
        EXPECT_NEAR(sp->rrate[0], l.rrate, 0.001);
    }
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    // The sub-point converted back on the ellipsoid gives the satellite's position again.
    const Vec3 fixed = geodeticToCartesian(sp->lat[0], sp->lon[0], sp->height[0]);
    const Vec3& r = sp->vec1;
    EXPECT_NEAR(std::hypot(fixed[0], fixed[1]), std::hypot(r[0], r[1]), 1e-6);
    EXPECT_NEAR(fixed[2], r[2], 1e-6);
    double eqeq;
    nutmat(julcent(kPassMjd), eqeq, false);
    const double gast = lsidtim(kPassMjd, 0.0, eqeq) * 15.0;
    EXPECT_NEAR(std::remainder(std::atan2(r[1], r[0]) / kDeg - gast - sp->lon[0], 360.0), 0.0, 1e-6);
}

TEST_F(SatState, DecayedOrbitIsNeverVisible)
{
    // A decayed orbit is put deep inside the Earth, where it is never visible.
    std::tie(in->elbstar[0], in->visonly, in->maxsunelev) = std::make_tuple(0.5, 0, 90.0);
    GetSatPos(kPassMjd + 300.0, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(abs(sp->vec1), 100.0, 1e-9);
    EXPECT_LT(sp->height[0], -6000.0);
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 0));
}

TEST_F(SatState, MagnitudeOfThePrimeSatelliteAndSolarEclipses)
{
    // A worked case: 1000 km away, 10 m, the Sun at 90 degrees from the observer seen from the
    // satellite (k = 0.5): -26.74 + 25 + 0.753 + 0.74 = -0.247.
    EXPECT_NEAR(SatMagnitude(Vec3(2, 0, 0), Vec3(1, 0, 0), Vec3(2, 1e4, 0), -26.74, 1000.0, 10.0, 0.0), -0.247, 1e-3);
    // ISS sunlit at 05:37:30, in shadow at 02:23; only the prime slot with a size sets mag.
    constexpr double kLitMjd = 61093.234375;
    selectReference(in.get(), 1, kHst);
    for (const double charlen : {0.0, 20.0}) {
        in->charlen = charlen;
        GetSatPos(kLitMjd, in.get(), sp.get(), 0, 0);
        GetSatPos(kLitMjd, in.get(), sp.get(), 1, 0);
        EXPECT_EQ(sp->mag == kNoMagnitude, charlen == 0.0);
    }
    EXPECT_TRUE(sp->mag > -6.0 && sp->mag < 12.0) << sp->mag;
    // Half the size is 5 log10(2) = 1.505 magnitudes fainter.
    const double mag20 = sp->mag;
    in->charlen = 10.0;
    GetSatPos(kLitMjd, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(sp->mag - mag20, 5.0 * std::log10(2.0), 1e-9);
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    EXPECT_LT(sp->sunlit[0], 0.0);
    EXPECT_EQ(sp->mag, kEclipsedMagnitude);
    // Sun 23455 Earth radii along x; Moon disc m Sun radii wide, d Sun radii off its centre.
    const Vec3 sat(1.1, 0.0, 0.0), sun = sat + Vec3(23455.0, 0.0, 0.0);
    const double s = 109.123 / 23455.0;
    auto eclipse = [&](double m, double d) {
        return EclipseAt(sat, sun, sat + Vec3(std::cos(d * s), std::sin(d * s), 0.0) * (0.272493 / (m * s)));
    };
    // Equal discs one radius apart leave 1 - (2pi/3 - sqrt(3)/2)/pi of the Sun uncovered.
    const double uncovered = 1.0 - (2.0 * kPi / 3.0 - std::sqrt(3.0) / 2.0) / kPi;
    SolarEclipse e = eclipse(1.0, 1.0);
    EXPECT_EQ(e.type, 1);
    EXPECT_NEAR(e.power, uncovered, 1e-9);
    EXPECT_NEAR(e.term, -2.5 * std::log10(uncovered), 1e-9);
    e = eclipse(1.05, 0.01);
    EXPECT_EQ(e.type, 2);
    EXPECT_EQ(e.term, 20.0);
    e = eclipse(0.9, 0.05);
    EXPECT_EQ(e.type, 3);
    EXPECT_NEAR(e.power, 1.0 - 0.81, 1e-9);
    EXPECT_EQ(eclipse(1.0, 2.01).term, 0.0);
}

TEST_F(SatState, SatelliteOnTheEarthLimbCountsAsSunlit)
{
    // Circular equatorial Kepler orbit at 500 km: there the local vertical is the radius.
    const double a = kRe + 500.0;
    in->sgp4flg[0] = in->numflg[0] = 0;
    in->elecc[0] = in->elincl[0] = in->elnode[0] = in->elargp[0] = in->elmanom[0] = 0.0;
    in->eladot[0] = in->elndot[0] = in->elnddot[0] = 0.0;
    std::tie(in->elsma[0], in->elmm[0], in->elepoch[0]) =
        std::make_tuple(a, std::sqrt(kGm / (a * a * a)) * 86400.0 / (2.0 * kPi), kPassMjd);
    auto sunlit = [&](double t) {
        GetSatPos(t, in.get(), sp.get(), 0, 0);
        return sp->sunlit[0];
    };
    const double step = 20.0 / 86400.0;
    double t0 = kPassMjd;
    while (sunlit(t0 + step) * sunlit(t0) > 0.0 && t0 < kPassMjd + 0.1) t0 += step;
    double t1 = t0 + step;
    for (int it = 0; it < 50; ++it) {
        const double tm = 0.5 * (t0 + t1);
        (sunlit(tm) * sunlit(t0) > 0.0 ? t0 : t1) = tm;
    }
    // Where sunlit changes sign the Sun grazes the limb: asin(R/r) from the nadir.
    sunlit(t0);
    const Vec3 r = sp->vec1 / kRe;
    const Vec3 sun = SunOfDate(MakeDateFrame(in.get(), t0));
    EXPECT_NEAR(std::acos(dot(vnorm(sun - r), vnorm(-r))), std::asin(1.0 / abs(r)), 1e-7);
    // A satellite on the limb is visible; in the shadow only with moonlight visibility.
    std::tie(in->visonly, in->moonvis, sp->elev[0], sp->sunelev, sp->sunlit[0]) =
        std::make_tuple(1, 0, 45.0, -20.0, 0.0);
    EXPECT_TRUE(cksatok(in.get(), sp.get(), 0));
    sp->sunlit[0] = -1e-9;
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 0));
    std::tie(in->moonvis, sp->moonlit[0]) = std::make_tuple(1, 4.0);
    EXPECT_TRUE(cksatok(in.get(), sp.get(), 0));
}

TEST_F(SatState, RelativeMode)
{
    // Seen from HST the site is kept, and the mutual range rate uses both satellites' velocities.
    in->relmode = 1;
    selectReference(in.get(), 1, kHst);
    double range[2];
    for (int k = 0; k < 2; ++k) {
        GetSatPos(kPassMjd + (2 * k - 1) / 86400.0, in.get(), sp.get(), 0, 0);
        range[k] = sp->range[0];
    }
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    EXPECT_TRUE(in->obslat == 48.1 && in->obshgt == 500.0);
    EXPECT_NEAR(sp->rrate[0], (range[1] - range[0]) / 2.0, 0.05);
    // Two satellites at 400 km see each other up to 2 x 19.7 degrees apart.
    sp->lat[0] = sp->ra[0] = sp->lon[0] = 0.0;
    sp->height[0] = sp->sunlit[0] = 400.0;
    sp->dec[0] = 39.3;
    in->visonly = 0;
    EXPECT_TRUE(cksatok(in.get(), sp.get(), 0));
    sp->dec[0] = 39.6;
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 0));
}

TEST_F(SatState, FootprintCircleAtTheHorizonDistance)
{
    for (const double h : {400.0, 35786.0})
        for (const double lat : {0.0, 51.6, -75.0, 88.0}) {
            sp->height[3] = h;
            sp->lon[3] = -179.5;
            GetSatVis(sp.get(), lat * kDeg, 3);
            ASSERT_EQ(sp->ncircle, 64);
            for (int k = 0; k < 64; ++k)
                EXPECT_NEAR(centralAngle(lat * kDeg, -179.5 * kDeg, sp->circlat[3][k], sp->circlon[3][k]),
                            std::acos(kRe / (kRe + h)), 1e-7) << h << " " << lat << " " << k;
        }
    // The full state computation draws the circle around the sub-satellite point.
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 1);
    EXPECT_NEAR(centralAngle(sp->lat[0] * kDeg, sp->lon[0] * kDeg, sp->circlat[0][16], sp->circlon[0][16]),
                std::acos(kRe / (kRe + sp->height[0])), 1e-7);
}

TEST_F(SatState, KeplerModelWithSecularJ2)
{
    in->sgp4flg[0] = 0;
    auto node = [&](double t) {
        GetSatPos(t, in.get(), sp.get(), 0, 0);
        const Vec3 h = sp->vec1 * sp->vec2;
        return std::atan2(h[0], -h[1]) / kDeg;
    };
    // The ISS orbit plane turns westward by about 5 degrees a day.
    const double epoch = in->elepoch[0];
    EXPECT_NEAR(std::remainder(node(epoch + 1.0) - node(epoch), 360.0), -4.96, 0.05);
    // Vis-viva: the energy of the ellipse of the current semi-major axis.
    in->eladot[0] = -0.1;
    for (const double dt : {0.0, 0.3, 2.0}) {
        GetSatPos(epoch + dt, in.get(), sp.get(), 0, 0);
        EXPECT_NEAR(energy(sp.get()) / (-kGm / (2.0 * (in->elsma[0] - 0.1 * dt))), 1.0, 1e-9) << dt;
    }
    // Hyperbola of eccentricity 1.5, perigee 7000 km at the epoch.
    in->elecc[0] = 1.5;
    in->elmm[0] = 7000.0;
    GetSatPos(epoch, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(abs(sp->vec1), 7000.0, 1e-6);
    EXPECT_NEAR(abs(sp->vec2), std::sqrt(kGm * 2.5 / 7000.0), 1e-9);
    GetSatPos(epoch + 0.5, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(energy(sp.get()), kGm / (2.0 * 14000.0), 1e-6);
}

TEST_F(SatState, OccultationTargetDirection)
{
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    const DateFrame f = MakeDateFrame(in.get(), kPassMjd);
    // The Sun's own R.A. and Dec., referred to the epoch year, point at the Sun at the site.
    double az, el;
    for (const double epoch : {0.0, 2000.0}) {
        in->epoch = epoch;
        in->occradec = 1;
        SkyCoordinates(mxvct(EpochMatrix(in.get(), f), SunOfDate(f)), in->occra, in->occdec);
        convRDAE(in.get(), kPassMjd, f.T, az, el);
        EXPECT_NEAR(std::remainder((az - sp->sunazim) / kDeg, 360.0), 0.0, 0.005) << epoch;
        EXPECT_NEAR(el / kDeg, sp->sunelev, 0.005) << epoch;
    }
}

TEST_F(SatState, YawSteeringFollowsTheGroundTrack)
{
    // Northbound polar equator crossing: the ground track heads atan(omega r / v) west of north.
    const Mat3 m = GetYSMat(Vec3(7000.0, 0.0, 0.0), Vec3(0.0, 0.0, 7.5), 0.0, 0.0);
    EXPECT_NEAR(std::atan2(-m.at(0, 1), m.at(0, 2)), std::atan(7.292115e-5 * 7000.0 / 7.5), 1e-12);
    EXPECT_NEAR(m.at(0, 0), 0.0, 1e-12);
    // At 45 deg the belly follows the ellipsoid normal (0.19 deg off); metres give the same frame.
    const Vec3 r45 = geodeticToCartesian(45.0, 0.0, 500.0);
    const Mat3 k = GetYSMat(r45, Vec3(0.0, 7.5, 0.0), 0.0, 0.0);
    const Mat3 mm = GetYSMat(r45 * 1000.0, Vec3(0.0, 7500.0, 0.0), 0.0, 0.0);
    EXPECT_LT(std::acos(-(k.at(2, 0) + k.at(2, 2)) * std::sqrt(0.5)), 3e-4);
    EXPECT_NEAR(mm.at(2, 2), k.at(2, 2), 1e-12);
}
