#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "astro/timescales.h"
#include "core/launch.h"
#include "core/launchsites.h"
#include "core/meanmotion.h"
#include "core/satstate.h"
#include "core/tlefile.h"
#include "iss_settings.h"

namespace {
constexpr double kDeg = M_PI / 180.0;
// Half a sidereal day, days.
constexpr double kHalfSiderealDay = 0.5 * 0.99726957;

// Difference of two angles in degrees, folded into [-180, 180).
double angleDiff(double a, double b) { return std::remainder(a - b, 360.0); }

// Settings whose prime slot 0 asks for a Keplerian orbit of height h (km), eccentricity e and
// inclination incl (degrees) from the site lat, lon with the cut-off time meco (minutes).
std::unique_ptr<WinpData> launchSettings(double lat, double lon, double incl, bool south, double meco,
                                         double e = 0.0, double h = 300.0)
{
    auto in = IssSettings();
    in->mjd = 61093.3;
    in->lnchlat = lat;
    in->lnchlon = lon;
    in->lnchsouth = south;
    in->lnchmeco = meco;
    in->elincl[0] = incl;
    in->elecc[0] = e;
    in->elsma[0] = 6378.137 + h;
    in->elmm[0] = getn0(in->elsma[0], e, incl);
    in->sgp4flg[0] = 0;
    in->eladot[0] = in->elndot[0] = in->elnddot[0] = 0.0;
    return in;
}

// Geocentric unit vector (mean equator of date) of the site as the launch places it at mjd.
Vec3 siteDirection(double lat, double lon, double mjd)
{
    const double phi = std::atan(std::tan(lat * kDeg) / 1.00674);
    const double ra = lsidtim(mjd, lon, 0.0) * 15.0 * kDeg;
    return Vec3(std::cos(phi) * std::cos(ra), std::cos(phi) * std::sin(ra), std::sin(phi));
}

// Ascending node of the osculating orbit of slot at mjd (degrees).
double nodeAt(WinpData* in, int slot, double mjd)
{
    auto sp = std::make_unique<SatPosData>();
    GetSatPos(mjd, in, sp.get(), slot, 0);
    const Vec3 h = Vec3(in->stpos[0][slot], in->stpos[1][slot], in->stpos[2][slot]) *
                   Vec3(in->stvel[0][slot], in->stvel[1][slot], in->stvel[2][slot]);
    return std::atan2(h[0], -h[1]) / kDeg;
}
}  // namespace

TEST(LaunchOrb, OrbitPlaneRunsThroughTheSiteAlongTheAzimuth)
{
    // With no ascent time the orbit plane holds the site at lift-off, the site's argument of
    // latitude is the argument of perigee, and the ground track leaves along the azimuth.
    const struct {
        int site;
        double incl;
        bool south;
    } cases[] = {{1, 51.6, false}, {1, 51.6, true}, {2, 51.6, false}, {16, 98.0, false},
                 {16, 98.0, true}, {5, 82.9, true}, {17, 0.5, false}, {15, 130.0, false}};
    for (const auto& c : cases) {
        const LaunchSite& s = LaunchSites()[c.site];
        auto in = launchSettings(s.lat, s.lon, c.incl, c.south, 0.0);
        LaunchOrb(in.get());
        SCOPED_TRACE(std::string(s.name) + (c.south ? " south" : " north"));
        EXPECT_NEAR(in->elincl[0], c.incl, 1e-9);
        const double node = in->elnode[0] * kDeg, i = c.incl * kDeg;
        const Vec3 h(std::sin(i) * std::sin(node), -std::sin(i) * std::cos(node), std::cos(i));
        const Vec3 site = siteDirection(s.lat, s.lon, in->mjd);
        EXPECT_NEAR(dot(h, site), 0.0, 1e-9);
        const Vec3 ascending(std::cos(node), std::sin(node), 0.0);
        EXPECT_NEAR(angleDiff(std::atan2(dot(site, h * ascending), dot(site, ascending)) / kDeg,
                              in->elargp[0]), 0.0, 1e-6);
        const Vec3 east = vnorm(Vec3(0, 0, 1) * site), north = site * east;
        const Vec3 motion = h * site;
        EXPECT_NEAR(angleDiff(std::atan2(dot(motion, east), dot(motion, north)) / kDeg, in->lnchazim),
                    0.0, 1e-6);
    }
}

TEST(LaunchOrb, DueEastWhenTheInclinationIsTheSiteLatitude)
{
    // The site latitude is made geocentric first: 28.5 degrees geocentric into 28.5 gives the
    // site at the orbit's northernmost point and an azimuth of 90.
    const double lat = std::atan(std::tan(28.5 * kDeg) * 1.00674) / kDeg;
    auto in = launchSettings(lat, -80.6, 28.5, false, 0.0);
    LaunchOrb(in.get());
    EXPECT_NEAR(in->elargp[0], 90.0, 1e-5);
    EXPECT_NEAR(in->lnchazim, 90.0, 1e-5);
    // Below the site latitude the orbit cannot reach the site: due east from its highest point.
    auto low = launchSettings(28.6272, -80.6208, 28.0, false, 0.0);
    LaunchOrb(low.get());
    EXPECT_EQ(low->elargp[0], 90.0);
    EXPECT_EQ(low->lnchazim, 90.0);
    // Kennedy Space Center (28.46 degrees geocentric) into 28.5: nearly due east.
    auto ksc = launchSettings(28.6272, -80.6208, 28.5, false, 0.0);
    LaunchOrb(ksc.get());
    EXPECT_NEAR(ksc->lnchazim, 90.0, 2.0);
}

TEST(LaunchOrb, PerigeeIsReachedAtCutOff)
{
    auto in = launchSettings(45.92, 63.3423, 51.6, false, 8.8, 0.02);
    LaunchOrb(in.get());
    EXPECT_EQ(in->elepoch[0], in->mjd);
    EXPECT_EQ(in->svpos[0][0], in->stpos[0][0]);
    auto sp = std::make_unique<SatPosData>();
    const double perigee = in->elsma[0] * (1.0 - in->elecc[0]);
    const double cutoff = in->mjd + 8.8 / 1440;
    for (double minutes : {-10.0, 0.0, 10.0}) {
        GetSatPos(cutoff + minutes / 1440, in.get(), sp.get(), 0, 0);
        const double r = abs(sp->vec1);
        if (minutes == 0.0)
            EXPECT_NEAR(r, perigee, 0.1);
        else
            EXPECT_GT(r, perigee + 5.0);
    }
}

TEST(LaunchOrb, RendezvousMeetsTheTargetPlane)
{
    // A launch from Baikonur toward the ISS (slot 0) into a 200 x 250 km SGP4 orbit, at four
    // start times through a day: the launch moves by at most half a sidereal day, and 1.3 days
    // later both orbits share their node.
    for (double start : {0.0, 0.25, 0.5, 0.75}) {
        auto in = IssSettings();
        ShiftElm(in.get(), 1, 0);
        in->nsat = 2;
        in->prime = 1;
        in->mjd = 61093.0 + start;
        const LaunchSite& s = LaunchSites()[2];
        in->lnchlat = s.lat;
        in->lnchlon = s.lon;
        in->lnchmeco = 8.8;
        in->rdvsel = 0;
        in->rdvslot = 0;
        in->rdvtime = 1.3;
        in->elincl[1] = 51.64;
        in->elsma[1] = 6378.137 + 225.0;
        in->elecc[1] = 25.0 / in->elsma[1];
        in->elmm[1] = getn0(in->elsma[1], in->elecc[1], 51.64);
        const double before = in->mjd;
        LaunchOrb(in.get());
        SCOPED_TRACE(start);
        EXPECT_EQ(in->mjd, in->elepoch[1]);
        EXPECT_LE(std::fabs(in->mjd - before), kHalfSiderealDay);
        EXPECT_EQ(in->sgp4flg[1], 1);
        const double meet = in->mjd + in->rdvtime;
        EXPECT_NEAR(angleDiff(nodeAt(in.get(), 1, meet), nodeAt(in.get(), 0, meet)), 0.0, 0.5);
    }
}

TEST(LaunchSites, TableAndLookUp)
{
    EXPECT_EQ(LaunchSites().size(), 21u);
    EXPECT_STREQ(LaunchSites()[0].name, "User");
    EXPECT_EQ(FindLaunchSite("kennedy"), 1);
    EXPECT_EQ(LaunchSites()[FindLaunchSite("Woomera")].lat, -31.12);
    EXPECT_EQ(FindLaunchSite("Wallops"), 13);  // the first of the two entries
    EXPECT_EQ(FindLaunchSite("User"), -1);
    EXPECT_EQ(FindLaunchSite(""), -1);
    EXPECT_EQ(FindLaunchSite("Baikonur Cosmodrome"), -1);
}
