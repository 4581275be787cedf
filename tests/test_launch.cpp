#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "astro/timescales.h"
#include "core/launch.h"
#include "core/launchsites.h"
#include "core/meanmotion.h"
#include "core/satstate.h"
#include "core/tlefile.h"
#include "test_site.h"

namespace {
constexpr double kDeg = M_PI / 180.0;

double angleDiff(double a, double b) { return std::remainder(a - b, 360.0); }

// The ISS settings whose prime slot p asks for an orbit 200 x 250 km high at incl (degrees)
// from the site lat, lon with the cut-off time meco (minutes); Keplerian unless sgp4.
std::unique_ptr<WinpData> launch(double lat, double lon, double incl, bool south, double meco, int p, bool sgp4)
{
    auto in = IssSettings();
    ShiftElm(in.get(), p, 0);
    in->nsat = p + 1;
    in->prime = p;
    in->mjd = 61093.3;
    in->lnchlat = lat;
    in->lnchlon = lon;
    in->lnchsouth = south;
    in->lnchmeco = meco;
    in->elincl[p] = incl;
    in->elsma[p] = 6378.137 + 225.0;
    in->elecc[p] = 25.0 / in->elsma[p];
    in->elmm[p] = getn0(in->elsma[p], in->elecc[p], incl);
    in->sgp4flg[p] = sgp4;
    in->eladot[p] = in->elndot[p] = in->elnddot[p] = 0.0;
    return in;
}

// Ascending node (degrees) of the osculating orbit of slot at mjd.
double nodeAt(WinpData* in, int slot, double mjd)
{
    auto sp = std::make_unique<SatPosData>();
    GetSatPos(mjd, in, sp.get(), slot, 0);
    const Vec3 h = sp->vec1 * sp->vec2;
    return std::atan2(h[0], -h[1]) / kDeg;
}
}  // namespace

TEST(LaunchOrb, OrbitPlaneThroughTheSiteAndRendezvousWithTheTargetPlane)
{
    // Without ascent the plane holds the site at lift-off (its argument of latitude = perigee) along the azimuth.
    const struct { const char* site; double incl; bool south; } cases[] = {
        {"Kennedy", 51.6, false}, {"kennedy", 51.6, true}, {"Woomera", 98.0, true}, {"Alcantara", 130.0, false}};
    for (const auto& c : cases) {
        const LaunchSite& s = LaunchSites()[FindLaunchSite(c.site)];
        auto in = launch(s.lat, s.lon, c.incl, c.south, 0.0, 0, false);
        LaunchOrb(in.get());
        SCOPED_TRACE(std::string(s.name) + (c.south ? " south" : " north"));
        const double node = in->elnode[0] * kDeg, i = c.incl * kDeg;
        const Vec3 h(std::sin(i) * std::sin(node), -std::sin(i) * std::cos(node), std::cos(i));
        const double phi = std::atan(std::tan(s.lat * kDeg) / 1.00674);
        const Vec3 site = polcar(Vec3(1.0, lsidtim(in->mjd, s.lon, 0.0) * 15.0 * kDeg, phi));
        EXPECT_NEAR(dot(h, site), 0.0, 1e-9);
        const Vec3 ascending(std::cos(node), std::sin(node), 0.0);
        EXPECT_NEAR(angleDiff(atan2(dot(site, h * ascending), dot(site, ascending)) / kDeg, in->elargp[0]), 0, 1e-6);
        const Vec3 east = vnorm(Vec3(0, 0, 1) * site), north = site * east, motion = h * site;
        EXPECT_NEAR(angleDiff(atan2(dot(motion, east), dot(motion, north)) / kDeg, in->lnchazim), 0.0, 1e-6);
    }
    EXPECT_EQ(FindLaunchSite("User"), -1);
    // Due east from 28.5 degrees geocentric into 28.5.
    auto edge = launch(std::atan(std::tan(28.5 * kDeg) * 1.00674) / kDeg, -80.6, 28.5, false, 0.0, 0, false);
    LaunchOrb(edge.get());
    EXPECT_NEAR(edge->elargp[0], 90.0, 1e-5);
    EXPECT_NEAR(edge->lnchazim, 90.0, 1e-5);
    // Toward the ISS from Baikonur: launch within half a sidereal day, nodes shared at the meeting.
    for (double start : {0.0, 0.25, 0.5, 0.75}) {
        auto rdv = launch(45.92, 63.3423, 51.64, false, 8.8, 1, true);
        rdv->mjd += start;
        rdv->rdvsel = rdv->rdvslot = 0;
        const double before = rdv->mjd;
        LaunchOrb(rdv.get());
        SCOPED_TRACE(start);
        EXPECT_EQ(rdv->mjd, rdv->elepoch[1]);
        EXPECT_LE(std::fabs(rdv->mjd - before), 0.5 * 0.99726957);
        const double meet = rdv->mjd + rdv->rdvtime;
        EXPECT_NEAR(angleDiff(nodeAt(rdv.get(), 1, meet), nodeAt(rdv.get(), 0, meet)), 0.0, 0.5);
    }
}
