#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "astro/frames.h"
#include "astro/timescales.h"
#include "core/attitude.h"
#include "core/dateframe.h"
#include "core/defaults.h"
#include "core/satstate.h"
#include "core/tlefields.h"
#include "foundation/textconv.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
// WGS-84 equatorial radius (km), eccentricity squared, and the Kepler model's GM (km^3/s^2).
constexpr double kRe = 6378.137;
constexpr double kE2 = 0.0066943799901413165;
constexpr double kGm = 2.9755364003e15 / (86400.0 * 86400.0);
// An instant inside the reference window (2026-02-22 02:23:27.6 UTC), during an ISS pass over site A.
constexpr double kPassMjd = 61093.0996250;

struct Site {
    double lat, lon, hgt;
};
const Site kSiteA{48.1, 11.6, 500.0};

// Look angles of one satellite from one site at one instant (the reference file's LOOK row).
struct LookRow {
    int satno;
    std::string site;
    double mjd, az, el, range, rrate;
};
// Element lines, sites and LOOK rows of passes_reference.txt.
struct Reference {
    std::map<int, std::pair<std::string, std::string>> tle;
    std::map<std::string, Site> sites;
    std::vector<LookRow> looks;
};

Reference readReference()
{
    Reference ref;
    std::ifstream file(ORBIKA_TEST_DATA "/passes_reference.txt");
    EXPECT_TRUE(file.good());
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream s(line);
        std::string key;
        s >> key;
        if (key == "LOOK") {
            LookRow r;
            std::string utc;
            s >> r.satno >> r.site >> utc >> r.mjd >> r.az >> r.el >> r.range >> r.rrate;
            ref.looks.push_back(r);
        } else if (key == "#" && line.size() > 6 && (line[6] == '1' || line[6] == '2')) {
            const std::string body = line.substr(6);
            const int satno = std::stoi(body.substr(2, 5));
            (line[6] == '1' ? ref.tle[satno].first : ref.tle[satno].second) = body;
        } else if (key == "#" && line.compare(0, 9, "#   SITE ") == 0) {
            std::string site, word;
            Site st;
            s >> word >> site >> word >> st.lat >> word >> st.lon >> word >> st.hgt;
            ref.sites[site] = st;
        }
    }
    return ref;
}

// Settings at the program defaults with an exact model: no refraction, no IERS values, WGS-72.
std::unique_ptr<WinpData> settings()
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->refract = false;
    in->iersflg = false;
    in->gravflg = 0;
    in->sgpslot = kNoSgpSlot;
    in->nsat = 1;
    in->prime = 0;
    return in;
}

// Stores the element lines into slot.
void loadTle(WinpData* in, int slot, const std::string& l1, const std::string& l2)
{
    TleFields f{};
    ASSERT_TRUE(ParseTleLine1(l1.c_str(), f));
    ASSERT_TRUE(ParseTleLine2(l2.c_str(), f));
    StoreTle(in, slot, f);
    in->sgpslot = kNoSgpSlot;
}

void setSite(WinpData* in, const Site& s)
{
    in->obslat = s.lat;
    in->obslon = s.lon;
    in->obshgt = s.hgt;
}

// Settings with ISS (ZARYA) of the reference file in slot 0, seen from site A.
std::unique_ptr<WinpData> issSettings()
{
    const Reference ref = readReference();
    auto in = settings();
    loadTle(in.get(), 0, ref.tle.at(25544).first, ref.tle.at(25544).second);
    setSite(in.get(), kSiteA);
    return in;
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
    return std::acos(std::max(-1.0, std::min(1.0, c)));
}

// Angle difference a - b in degrees folded into -180..180.
double angleDiff(double a, double b)
{
    return std::remainder(a - b, 360.0);
}

}  // namespace

TEST(SatState, LookAnglesMatchReference)
{
    const Reference ref = readReference();
    ASSERT_EQ(ref.looks.size(), 100u);
    auto in = settings();
    auto sp = std::make_unique<SatPosData>();
    for (const LookRow& row : ref.looks) {
        const auto& lines = ref.tle.at(row.satno);
        loadTle(in.get(), 0, lines.first, lines.second);
        setSite(in.get(), ref.sites.at(row.site));
        GetSatPos(row.mjd, in.get(), sp.get(), 0, 0);
        const double d[4] = {angleDiff(sp->azim[0], row.az), sp->elev[0] - row.el,
                             sp->range[0] - row.range, sp->rrate[0] - row.rrate};
        SCOPED_TRACE(std::to_string(row.satno) + " " + row.site + " " + std::to_string(row.mjd));
        EXPECT_NEAR(d[0], 0.0, 0.002);
        EXPECT_NEAR(d[1], 0.0, 0.002);
        EXPECT_NEAR(d[2], 0.0, 0.005);
        EXPECT_NEAR(d[3], 0.0, 0.001);
    }
}

TEST(SatState, SubSatellitePointAndObserverPlacement)
{
    auto in = issSettings();
    auto sp = std::make_unique<SatPosData>();
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    // The sub-point converted back on the ellipsoid gives the satellite's position again.
    const Vec3 fixed = geodeticToCartesian(sp->lat[0], sp->lon[0], sp->height[0]);
    const Vec3& r = sp->vec1;
    EXPECT_NEAR(std::hypot(fixed[0], fixed[1]), std::hypot(r[0], r[1]), 1e-6);
    EXPECT_NEAR(fixed[2], r[2], 1e-6);
    double eqeq;
    nutmat(julcent(kPassMjd), eqeq, false);
    const double gast = lsidtim(kPassMjd, 0.0, eqeq) * 15.0;
    EXPECT_NEAR(angleDiff(std::atan2(r[1], r[0]) / kDeg - gast, sp->lon[0]), 0.0, 1e-6);

    // The site sits at atan(tan(lat)/1.00674) on the ellipsoid, except within 2 degrees of a
    // pole, where the geodetic latitude is kept.
    for (const double lat : {60.0, -30.0, 89.0, -89.0}) {
        const double placed = std::fabs(lat) < 88.0 ? std::atan(std::tan(lat * kDeg) / 1.00674) / kDeg : lat;
        setSite(in.get(), Site{lat, 11.6, 300.0});
        GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
        const Vec3 sat = geodeticToCartesian(sp->lat[0], sp->lon[0], sp->height[0]);
        EXPECT_NEAR(abs(sat - geodeticToCartesian(placed, 11.6, 0.3)), sp->range[0], 1e-4) << lat;
    }
}

TEST(SatState, EpochReferredSkyPositionDiffersByPrecession)
{
    auto in = issSettings();
    auto sp = std::make_unique<SatPosData>();
    double lon[2], lat[2];
    const double obliquity = 23.4393 * kDeg;
    for (int k = 0; k < 2; ++k) {
        in->epoch = k == 0 ? 0.0 : 2000.0;
        GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
        const double ra = DmsDegF(sp->ra[0]) * 15.0 * kDeg, dec = DmsDegF(sp->dec[0]) * kDeg;
        const Vec3 u(std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec));
        const double y = u[1] * std::cos(obliquity) + u[2] * std::sin(obliquity);
        lon[k] = std::atan2(y, u[0]) / kDeg * 3600.0;
        lat[k] = std::asin(u[2] * std::cos(obliquity) - u[1] * std::sin(obliquity)) / kDeg * 3600.0;
    }
    // General precession 5029.1"/century over 26.1 years (1315"), plus the nutation in
    // longitude (within 18") and the ecliptic's own small motion.
    EXPECT_NEAR(lon[0] - lon[1], 1315.0, 25.0);
    EXPECT_NEAR(lat[0] - lat[1], 0.0, 30.0);
}

TEST(SatState, ZeroEccentricityAndPropagationErrors)
{
    auto in = issSettings();
    auto sp = std::make_unique<SatPosData>();
    in->elecc[0] = 0.0;
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    EXPECT_EQ(in->sgpslot, 0);
    EXPECT_GT(sp->height[0], 380.0);
    EXPECT_LT(sp->height[0], 450.0);
    const double lat0 = sp->lat[0];
    in->elecc[0] = 1e-8;
    in->sgpslot = kNoSgpSlot;
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(sp->lat[0], lat0, 1e-9);

    // Heavy drag makes the orbit decay: the propagator fails and the satellite is put deep
    // inside the Earth, where it is never visible.
    in->elbstar[0] = 0.5;
    in->sgpslot = kNoSgpSlot;
    in->visonly = 0;
    in->maxsunelev = 90.0;
    GetSatPos(kPassMjd + 300.0, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(abs(sp->vec1), 100.0, 1e-9);
    EXPECT_LT(sp->height[0], -6000.0);
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 0));
}

TEST(SatState, MagnitudeOfThePrimeSatellite)
{
    const Reference ref = readReference();
    auto in = issSettings();
    loadTle(in.get(), 1, ref.tle.at(20580).first, ref.tle.at(20580).second);
    in->nsat = 2;
    auto sp = std::make_unique<SatPosData>();
    for (const double charlen : {0.0, 20.0}) {
        in->charlen = charlen;
        for (int prime = 0; prime < 2; ++prime) {
            in->prime = prime;
            sp->mag = -50.0;
            GetSatPos(kPassMjd, in.get(), sp.get(), prime, 0);
            GetSatPos(kPassMjd, in.get(), sp.get(), 1 - prime, 0);  // leaves mag alone
            if (charlen == 0.0)
                EXPECT_EQ(sp->mag, kNoMagnitude) << prime;
            else
                EXPECT_TRUE(sp->mag > -6.0 && sp->mag < 12.0) << prime << " " << sp->mag;
        }
    }
    // A satellite twice as far away is 5 log10(2) = 1.505 magnitudes fainter at the same phase.
    in->prime = 0;
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    const double near = sp->mag;
    in->charlen = 10.0;
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(sp->mag - near, 5.0 * std::log10(2.0), 1e-9);
}

TEST(SatState, SatelliteOnTheEarthLimbCountsAsSunlit)
{
    // Circular equatorial Kepler orbit at 500 km: the local vertical is the radius.
    auto in = settings();
    const double a = kRe + 500.0;
    in->sgp4flg[0] = 0;
    in->numflg[0] = 0;
    in->elepoch[0] = kPassMjd;
    in->elsma[0] = a;
    in->elecc[0] = in->elincl[0] = in->elnode[0] = in->elargp[0] = in->elmanom[0] = 0.0;
    in->eladot[0] = in->elndot[0] = in->elnddot[0] = 0.0;
    in->elmm[0] = std::sqrt(kGm / (a * a * a)) * 86400.0 / (2.0 * kPi);
    auto sp = std::make_unique<SatPosData>();
    auto sunlit = [&](double t) {
        GetSatPos(t, in.get(), sp.get(), 0, 0);
        return sp->sunlit[0];
    };
    double t0 = kPassMjd, t1 = t0;
    while (sunlit(t1 + 20.0 / 86400.0) * sunlit(t0) > 0.0 && t1 < kPassMjd + 0.1) t1 += 20.0 / 86400.0;
    t1 += 20.0 / 86400.0;
    t0 = t1 - 20.0 / 86400.0;
    for (int it = 0; it < 50; ++it) {
        const double tm = 0.5 * (t0 + t1);
        (sunlit(tm) * sunlit(t0) > 0.0 ? t0 : t1) = tm;
    }
    // Where sunlit changes sign, the Sun grazes the limb: its direction from the satellite
    // makes the angle asin(R/r) with the nadir.
    sunlit(t0);
    const Vec3 r = sp->vec1 / kRe;
    const Vec3 sun = SunOfDate(MakeDateFrame(in.get(), t0));
    const double nadir = std::acos(dot(vnorm(sun - r), vnorm(-r)));
    EXPECT_NEAR(nadir, std::asin(1.0 / abs(r)), 1e-7);

    in->visonly = 1;
    in->moonvis = 0;
    sp->elev[0] = 45.0;
    sp->sunelev = -20.0;
    sp->sunlit[0] = 0.0;
    EXPECT_TRUE(cksatok(in.get(), sp.get(), 0));
    sp->sunlit[0] = -1e-9;
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 0));
}

TEST(SatState, RelativeMode)
{
    const Reference ref = readReference();
    auto in = issSettings();
    auto normal = std::make_unique<SatPosData>();
    auto rel = std::make_unique<SatPosData>();
    GetSatPos(kPassMjd, in.get(), normal.get(), 0, 0);
    in->relmode = 1;
    GetSatPos(kPassMjd, in.get(), rel.get(), 0, 0);
    const double* pairs[][2] = {{normal->lat, rel->lat},     {normal->lon, rel->lon},
                                {normal->height, rel->height}, {normal->ra, rel->ra},
                                {normal->dec, rel->dec},     {normal->azim, rel->azim},
                                {normal->elev, rel->elev},   {normal->range, rel->range},
                                {normal->rrate, rel->rrate}, {normal->sunlit, rel->sunlit}};
    for (const auto& p : pairs) EXPECT_EQ(p[0][0], p[1][0]);

    // Two satellites: the prime is seen from the second (HST), the site is kept.
    loadTle(in.get(), 1, ref.tle.at(20580).first, ref.tle.at(20580).second);
    in->nsat = 2;
    in->relmode = 0;
    GetSatPos(kPassMjd, in.get(), normal.get(), 1, 0);
    GetSatPos(kPassMjd, in.get(), normal.get(), 0, 0);
    const double dt = 1.0 / 86400.0;
    in->relmode = 1;
    GetSatPos(kPassMjd + dt, in.get(), rel.get(), 0, 0);
    const double later = rel->range[0];
    GetSatPos(kPassMjd - dt, in.get(), rel.get(), 0, 0);
    const double earlier = rel->range[0];
    GetSatPos(kPassMjd, in.get(), rel.get(), 0, 0);
    EXPECT_EQ(in->obslat, kSiteA.lat);
    EXPECT_EQ(in->obslon, kSiteA.lon);
    EXPECT_EQ(in->obshgt, kSiteA.hgt);
    EXPECT_EQ(rel->ra[0], normal->lat[0]);
    EXPECT_EQ(rel->dec[0], normal->lon[0]);
    EXPECT_EQ(rel->sunlit[0], normal->height[0]);
    EXPECT_EQ(rel->lat[0], normal->lat[1]);
    EXPECT_EQ(rel->primelit, normal->sunlit[0]);
    EXPECT_EQ(rel->seclit, normal->sunlit[1]);
    // The mutual range rate uses both satellites' velocities (several km/s here, against
    // the site's 0.3 km/s).
    EXPECT_NEAR(rel->rrate[0], (later - earlier) / 2.0, 0.05);
}

TEST(SatState, FootprintCircleAtTheHorizonDistance)
{
    auto sp = std::make_unique<SatPosData>();
    for (const double h : {400.0, 3000.0, 35786.0})
        for (const double lat : {0.0, 51.6, -75.0, 88.0})
            for (const double lon : {-179.5, 12.0, 170.0}) {
                sp->height[3] = h;
                sp->lon[3] = lon;
                GetSatVis(sp.get(), lat * kDeg, 3);
                ASSERT_EQ(sp->ncircle, 64);
                const double radius = std::acos(kRe / (kRe + h));
                for (int k = 0; k < 64; ++k) {
                    const double plat = sp->circlat[3][k], plon = sp->circlon[3][k];
                    EXPECT_NEAR(centralAngle(lat * kDeg, lon * kDeg, plat, plon), radius, 1e-7)
                        << h << " " << lat << " " << lon << " " << k;
                    EXPECT_TRUE(plon >= -kPi && plon <= 2.0 * kPi);
                }
                // The first point lies due north (or across the pole).
                EXPECT_NEAR(sp->circlat[3][0], lat * kDeg + radius > kPi / 2 ? kPi - lat * kDeg - radius
                                                                             : lat * kDeg + radius,
                            1e-6);
            }
    // The full state computation draws the circle around the sub-satellite point.
    auto in = issSettings();
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 1);
    EXPECT_NEAR(centralAngle(sp->lat[0] * kDeg, sp->lon[0] * kDeg, sp->circlat[0][16], sp->circlon[0][16]),
                std::acos(kRe / (kRe + sp->height[0])), 1e-7);
}

TEST(SatState, KeplerModelWithSecularJ2)
{
    auto in = issSettings();
    in->sgp4flg[0] = 0;
    auto sp = std::make_unique<SatPosData>();
    auto node = [&](double t) {
        GetSatPos(t, in.get(), sp.get(), 0, 0);
        const Vec3 h = sp->vec1 * sp->vec2;
        return std::atan2(h[0], -h[1]) / kDeg;
    };
    // The ISS orbit plane turns westward by about 5 degrees a day.
    const double epoch = in->elepoch[0];
    EXPECT_NEAR(angleDiff(node(epoch + 1.0), node(epoch)), -4.96, 0.05);
    // Vis-viva: the energy of the osculating ellipse of the current semi-major axis.
    in->eladot[0] = -0.1;
    for (const double dt : {0.0, 0.3, 2.0}) {
        GetSatPos(epoch + dt, in.get(), sp.get(), 0, 0);
        const double a = in->elsma[0] - 0.1 * dt;
        const double energy = dot(sp->vec2, sp->vec2) / 2.0 - kGm / abs(sp->vec1);
        EXPECT_NEAR(energy / (-kGm / (2.0 * a)), 1.0, 1e-9) << dt;
    }
    // Hyperbola, perigee 7000 km at the epoch.
    in->elecc[0] = 1.5;
    in->elmm[0] = 7000.0;
    GetSatPos(epoch, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(abs(sp->vec1), 7000.0, 1e-6);
    EXPECT_NEAR(dot(sp->vec1, sp->vec2), 0.0, 1e-6);
    EXPECT_NEAR(abs(sp->vec2), std::sqrt(kGm * 2.5 / 7000.0), 1e-9);
    GetSatPos(epoch + 0.5, in.get(), sp.get(), 0, 0);
    const double energy = dot(sp->vec2, sp->vec2) / 2.0 - kGm / abs(sp->vec1);
    EXPECT_NEAR(energy, kGm / (2.0 * 14000.0), 1e-6);
}

TEST(SatState, VisibilityRules)
{
    auto in = settings();
    auto sp = std::make_unique<SatPosData>();
    in->minsatelev = 10.0;
    in->maxsunelev = -6.0;
    in->visonly = 0;
    sp->elev[2] = 10.0;
    sp->sunelev = -6.5;
    EXPECT_TRUE(cksatok(in.get(), sp.get(), 2));
    sp->sunelev = -6.0;  // the Sun limit is strict
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 2));
    sp->sunelev = -7.0;
    sp->elev[2] = 9.999;
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 2));
    sp->elev[2] = 30.0;
    in->visonly = 1;
    sp->sunlit[2] = -3.0;
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 2));
    // Moonlight visibility: in the Earth's shadow but lit by the Moon.
    in->moonvis = 1;
    sp->moonlit[2] = 4.0;
    EXPECT_TRUE(cksatok(in.get(), sp.get(), 2));
    sp->sunlit[2] = 1.0;
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 2));

    // Relative mode: two satellites at 400 km see each other up to 2 x 19.9 degrees apart.
    in->relmode = 1;
    in->nsat = 2;
    in->visonly = 0;
    sp->lat[0] = 10.0;
    sp->lon[0] = 20.0;
    sp->height[0] = 400.0;
    sp->ra[0] = 10.0;
    sp->sunlit[0] = 400.0;
    sp->dec[0] = 20.0 + 39.0 / std::cos(10.0 * kDeg);
    EXPECT_TRUE(cksatok(in.get(), sp.get(), 0));
    sp->dec[0] = 20.0 + 40.5 / std::cos(10.0 * kDeg);
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 0));
    sp->dec[0] = 30.0;
    in->visonly = 1;
    sp->primelit = 2.0;
    sp->seclit = -1.0;
    EXPECT_FALSE(cksatok(in.get(), sp.get(), 0));
}

TEST(SatState, YawSteeringFollowsTheGroundTrack)
{
    // Polar orbit crossing the equator northward: the Earth turns east under the satellite,
    // so the ground track heads west of north by atan(omega r / v).
    const Vec3 r(7000.0, 0.0, 0.0), v(0.0, 0.0, 7.5);
    const Mat3 m = GetYSMat(nullptr, r, v, 0.0, 0.0);
    const Vec3 nose(m.at(0, 0), m.at(0, 1), m.at(0, 2));
    EXPECT_NEAR(std::atan2(-nose[1], nose[2]), std::atan(7.292115e-5 * 7000.0 / 7.5), 1e-12);
    EXPECT_NEAR(nose[0], 0.0, 1e-12);
    // Over 45 degrees geodetic latitude the belly points down the ellipsoid normal, which
    // differs from the radius by 0.19 degrees.
    const Vec3 r45 = geodeticToCartesian(45.0, 0.0, 500.0);
    const Mat3 m45 = GetYSMat(nullptr, r45, Vec3(0.0, 7.5, 0.0), 0.0, 0.0);
    const Vec3 belly(m45.at(2, 0), m45.at(2, 1), m45.at(2, 2));
    const Vec3 normal(std::cos(45.0 * kDeg), 0.0, std::sin(45.0 * kDeg));
    EXPECT_LT(std::acos(-dot(belly, normal)), 3e-4);
    // Scale-free: metres and m/s give the same frame.
    const Mat3 mm = GetYSMat(nullptr, r45 * 1000.0, Vec3(0.0, 7500.0, 0.0), 20.0, 10.0);
    const Mat3 mk = GetYSMat(nullptr, r45, Vec3(0.0, 7.5, 0.0), 20.0, 10.0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(mm.at(i, j), mk.at(i, j), 1e-12);
}
