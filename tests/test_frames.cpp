#include <gtest/gtest.h>

#include <cmath>

#include "astro/frames.h"
#include "astro/timescales.h"

namespace {
constexpr double kDeg = M_PI / 180.0;
constexpr double kArcsec = kDeg / 3600.0;

Vec3 unitRaDec(double raDeg, double decDeg) { return polcar(Vec3(1.0, raDeg * kDeg, decDeg * kDeg)); }

// Changes of right ascension and declination (arcseconds) from a to b.
void raDecShift(const Vec3& a, const Vec3& b, double& dra, double& ddec)
{
    const Vec3 pa = carpol(a), pb = carpol(b);
    dra = std::remainder(pb[1] - pa[1], 2.0 * M_PI) / kArcsec;
    ddec = (pb[2] - pa[2]) / kArcsec;
}
}  // namespace

// References: Meeus, Astronomical Algorithms (2nd ed.), examples 12.a, 21.b, 21.c, 22.a, 23.a.
TEST(Frames, PrecessionNutationAndAberrationAgainstMeeus)
{
    const Vec3 v(0.3, -0.8, 0.52);
    EXPECT_NEAR(abs(equecl(0.7, eclequ(0.7, v)) - v), 0.0, 1e-15);
    const Vec3 eclPole = carpol(eclequ(0.0, Vec3(0, 0, 1)));   // at R.A. 18h, Dec 90 - eps
    EXPECT_NEAR(eclPole[1], 1.5 * M_PI, 1e-12);
    EXPECT_NEAR(eclPole[2], M_PI / 2 - eps(0.0), 1e-12);
    EXPECT_NEAR(abs(mxvct(pmatequ(0.4, 0.4), v) - v), 0.0, 1e-15);
    // 21.b: theta Persei, J2000 place plus proper motion, precessed to 2028 Nov 13.19 TD.
    const double T = julcent(mjd(13, 11, 2028, 0.19 * 24.0));
    const double ra0 = (2 + 44 / 60.0 + (11.986 + 0.03425 * T * 100) / 3600.0) * 15.0;
    const double dec0 = 49 + 13 / 60.0 + (42.48 - 0.0895 * T * 100) / 3600.0;
    const Vec3 p = carpol(mxvct(pmatequ(0.0, T), unitRaDec(ra0, dec0)));
    EXPECT_NEAR(p[1] / kDeg, 41.5472125, 5e-6);
    EXPECT_NEAR(p[2] / kDeg, 49.3484833, 5e-6);
    // 21.c: ecliptic place of Venus precessed from J2000 to -214 June 30.0.
    const Vec3 venus = carpol(mxvct(pmatecl(0.0, julcent(mjd(30, 6, -214, 0.0))), unitRaDec(149.48194, 1.76549)));
    EXPECT_NEAR(venus[1] / kDeg, 118.704, 1e-3);
    EXPECT_NEAR(venus[2] / kDeg, 1.615, 1e-3);
    // Ecliptic and equatorial precession describe the same motion.
    const Mat3 diff = pmatecl(-0.5, 1.2) - xrot(eps(1.2)) * pmatequ(-0.5, 1.2) * xrot(-eps(-0.5));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(diff.at(i, j), 0.0, 1e-9);
    // 22.a, 1987 April 10 0h TD: dpsi = -3.788", deps = +9.443"; 12.a: eqeq = -0.2317 s.
    const double T1987 = julcent(mjd(10, 4, 1987, 0.0));
    double dpsi, deps, eqeq;
    for (const bool full : {true, false}) {  // the short series is good to 0.15"
        nutangles(T1987, full, dpsi, deps);
        EXPECT_NEAR(dpsi / kArcsec, -3.788, full ? 0.01 : 0.15);
        EXPECT_NEAR(deps / kArcsec, 9.443, full ? 0.01 : 0.15);
    }
    nutmat(T1987, eqeq, true);
    EXPECT_NEAR(eqeq, -0.2317, 0.002);
    // 23.a: theta Persei, mean place of date 2028 Nov 13.19 TD. Nutation moves it by
    // +15.843" in R.A. and +6.218" in Dec.; aberration by +30.045" and +6.697" (less the
    // eccentricity term of about 0.34" that the circular approximation leaves out).
    const double cosDec = std::cos(49.3484833 * kDeg);
    const Vec3 mean = 3.0 * unitRaDec(41.5472125, 49.3484833);
    double dra, ddec;
    raDecShift(mean, mxvct(nutmat(T, eqeq, true), mean), dra, ddec);
    EXPECT_NEAR(dra, 15.843, 0.03);
    EXPECT_NEAR(ddec, 6.218, 0.03);
    raDecShift(mean, aberrat(T, mean), dra, ddec);
    EXPECT_NEAR(dra * cosDec, 30.045 * cosDec, 0.5);
    EXPECT_NEAR(ddec, 6.697, 0.5);
}

TEST(Observer, GeocentricPositionOnWgs84HorizonAndApparentPlaces)
{
    constexpr double a = 6378137.0, b = 6356752.314245;   // WGS-84 radii (m)
    const double when = 58849.3;
    for (double latDeg : {-90.0, -45.0, 0.0, 30.0, 89.0}) {
        // Geocentric radius and latitude of a point on the ellipsoid from its two radii.
        const double c = std::cos(latDeg * kDeg), s = std::sin(latDeg * kDeg);
        const double radius = std::hypot(a * a * c, b * b * s) / std::hypot(a * c, b * s);
        const Vec3 site = carpol(GeoPos(when, 0.0, latDeg * kDeg, 0.3, 0.0));
        EXPECT_NEAR(site[0], radius / a, 1e-8) << latDeg;
        EXPECT_NEAR(site[2], std::atan2(b * b * s, a * a * c), 1e-8) << latDeg;
        // Height goes along the normal to the ellipsoid.
        const Vec3 up = GeoPos(when, 0.0, latDeg * kDeg, 0.3, 8848.0) - GeoPos(when, 0.0, latDeg * kDeg, 0.3, 0.0);
        EXPECT_NEAR(abs(up), 8848.0 / a, 1e-12);
        EXPECT_NEAR(carpol(up)[2], latDeg * kDeg, 1e-9);
    }
    // The site turns with the local sidereal time; without polar motion both forms agree.
    const Vec3 site = GeoPos(when, 0.4, 0.7, -1.9, 250.0);
    EXPECT_NEAR(std::remainder(carpol(site)[1] - lsidtim(when, -1.9 / kDeg, 0.4) * M_PI / 12, 2 * M_PI), 0.0, 1e-12);
    EXPECT_NEAR(abs(GeoPos(when, 0.4, 0.7, -1.9, 250.0, 0.0, 0.0) - site), 0.0, 1e-14);
    // xp tilts the pole toward Greenwich, yp toward 90 deg west: equator points on those
    // meridians gain latitude xp and yp.
    EXPECT_NEAR(carpol(GeoPos(when, 0.0, 0.0, 0.0, 0.0, 0.25, 0.0))[2], 0.25 * kArcsec, 1e-12);
    EXPECT_NEAR(carpol(GeoPos(when, 0.0, 0.0, -M_PI / 2, 0.0, 0.0, 0.4))[2], 0.4 * kArcsec, 1e-12);
    const double t = 60123.77, dsec = -0.8, phi = 48.1 * kDeg, lambda = 11.6 * kDeg;
    const double lst = lsidtim(t, lambda / kDeg, dsec) * M_PI / 12;
    // A star on the meridian at declination = latitude is in the zenith.
    const Vec3 zenith = EquHor(t, dsec, phi, lambda, polcar(Vec3(1.0, lst, phi)));
    EXPECT_NEAR(abs(zenith - Vec3(0, 0, 1)), 0.0, 1e-12);
    const Vec3 dir(0.2, -0.7, 0.4);
    EXPECT_NEAR(abs(HorEqu(t, dsec, phi, lambda, EquHor(t, dsec, phi, lambda, dir)) - dir), 0.0, 1e-15);
    // Horizon points from (hour angle, declination): west, east, south, north.
    struct Case { double hourAngle, dec, azim; };
    for (const Case& c : {Case{M_PI / 2, 0.0, -M_PI / 2}, Case{-M_PI / 2, 0.0, M_PI / 2},
                          Case{0.0, phi - M_PI / 2, M_PI}, Case{M_PI, M_PI / 2 - phi, 0.0}}) {
        double azim, elev, dist, ra, dec;
        AppPos(t, dsec, phi, lambda, 0.0, 0, polcar(Vec3(5.0, lst - c.hourAngle, c.dec)), azim, elev, dist);
        EXPECT_LT(std::fabs(std::remainder(azim - c.azim, 2 * M_PI)) + std::fabs(elev), 1e-9);
        EXPECT_NEAR(dist, 5.0, 1e-12);
        AppRADec(t, dsec, phi, lambda, azim, elev, ra, dec);
        EXPECT_LT(std::fabs(std::remainder(ra - (lst - c.hourAngle), 2 * M_PI)) + std::fabs(dec - c.dec), 1e-9);
        EXPECT_TRUE(ra >= 0.0 && ra < 2 * M_PI);
    }
    double azim, elev, dist;
    AppPos(t, dsec, phi, lambda, 0.0, 0, polcar(Vec3(1.0, lst - M_PI / 2, 0.0)), azim, elev, dist);
    EXPECT_NEAR(azim, -M_PI / 2, 1e-9);   // due west is negative, not 3pi/2
    // Topocentric: an object 0.1 Earth radii straight above the observer.
    const Vec3 overhead = GeoPos(t, dsec, phi, lambda, 500.0) + 0.1 * HorEqu(t, dsec, phi, lambda, Vec3(0, 0, 1));
    AppPos(t, dsec, phi, lambda, 500.0, 1, overhead, azim, elev, dist);
    EXPECT_TRUE(std::fabs(elev - M_PI / 2) < 1e-9 && std::fabs(dist - 0.1) < 1e-12) << elev << " " << dist;
}
