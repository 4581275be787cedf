#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <tuple>

#include "astro/timescales.h"
#include "cli_run.h"
#include "core/orbitdet.h"
#include "core/tlefields.h"
#include "core/tlesave.h"
#include "pass_reference.h"

namespace {
constexpr double kStartMjd = 61093.5;  // --start "2026-02-22 12:00:00", UT

// The elements of the TLE lines l1, l2, after checking their checksums.
TleFields elements(const std::string& l1, const std::string& l2)
{
    TleFields f{};
    EXPECT_EQ(tcksum(l1.c_str()), l1.back()) << l1;
    EXPECT_EQ(tcksum(l2.c_str()), l2.back()) << l2;
    EXPECT_TRUE(ParseTleLine1(l1.c_str(), f) && ParseTleLine2(l2.c_str(), f)) << l1 << "\n" << l2;
    return f;
}
}  // namespace

TEST(CliOrbit, LaunchAndOrbdetPrintTheirOrbits)
{
    const std::string args = "launch --launch-site kennedy --incl 28 --perigee 200 --apogee 250 "
                             "--start \"2026-02-22 12:00:00\"";
    std::vector<std::string> out = splitLines(runCli(args, "LC_ALL=de_DE.UTF-8").out);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[0], "Launch Azimuth (deg): 90.00");  // below the site's latitude: due east
    TleFields f = elements(out[2], out[3]);
    EXPECT_NEAR(TleEpochMjd(f.epochyear, f.epochday), kStartMjd, 1e-8);
    EXPECT_EQ(f.ephtype, '0');  // SGP4 mean elements of a 200 x 250 km orbit
    EXPECT_NEAR(f.incl, 28.0, 0.05);
    EXPECT_NEAR(f.ecc, 25.0 / 6603.137, 0.002);
    EXPECT_DOUBLE_EQ(std::atof(out[5].c_str() + 19), f.incl);
    EXPECT_EQ(runCli(args + " --json").out.rfind("{\"azimuth_deg\": 90, \"name\": \"Launch\"", 0), 0u);
    // Toward the ISS (times of zone +3): the launch time moves by at most half a sidereal day.
    ScopedTempDir dir;
    std::ofstream("iss.tle") << referenceTle(kIss);
    out = splitLines(runCli("launch --launch-site baikonur --incl 51.64 --perigee 200 --apogee 250 --tz 3 --start "
                            "\"2026-02-22 15:00:00\" --sat iss --tle iss.tle").out);
    int y, mo, d, h, mi, s;
    ASSERT_EQ(std::sscanf(out.at(1).c_str(), "Launch time: %d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6);
    EXPECT_LE(std::fabs(mjd(d, mo, y, h + mi / 60.0 + s / 3600.0 - 3.0) - kStartMjd), 0.5 * 0.99726957);
    // The second sighting as R.A./Dec. of date; the same determination done here.
    const std::vector<std::string> od = splitLines(runCli("orbdet --site 48.1,11.6,500 --dt 60 --start "
                                                      "\"2026-02-22 12:00:00\" --obs1 200,40 --obs2 4.153,58.2 --radec2 --epoch 0")
                                                   .out);
    ASSERT_EQ(od.size(), 5u);
    auto in = SiteASettings();
    std::tie(in->mjd, in->nsat, in->od1radec, in->od2radec, in->epoch) = std::make_tuple(kStartMjd, 0, 0, 1, 0.0);
    std::tie(in->locaz, in->locel, in->locra, in->locdec, in->oddeltm) = std::make_tuple(200.0, 40.0, 4.153, 58.2, 60.0);
    OrbitDet(in.get());
    EXPECT_EQ(od[0].rfind("New ", 0), 0u);
    const TleFields g = elements(od[1], od[2]);
    EXPECT_EQ(g.ephtype, '9');  // Keplerian elements
    EXPECT_NEAR(g.incl, in->elincl[0], 1e-4);
    EXPECT_NEAR(g.mm, in->elmm[0], 1e-8);
    char sma[64];
    std::snprintf(sma, sizeof sma, "Semi-major axis (km): %.3f", in->elsma[0]);
    EXPECT_EQ(od[3], sma);
}

TEST(CliOrbit, BadArgumentsAreRefusedWithOneLine)
{
    const std::string od = "orbdet --site 48.1,11.6,500 ", la = "launch --launch-site kennedy ";
    const std::vector<std::string> bad = {
        od + "--obs1 200,40 --dt 60", od + "--obs1 abc,40 --obs2 1,2 --dt 60", od + "--obs1 2,4 --obs2 1,2 --dt 0",
        od + "--obs1 25,40 --radec1 --obs2 1,2 --dt 60", la + "--incl 200 --perigee 300 --apogee 400",
        la + "--incl 51.6 --perigee 300 --apogee 200", "launch --launch-site Atlantis --incl 5 --perigee 3 --apogee 4"};
    for (const std::string& args : bad) {
        const CliRun run = runCli(args + " 2>&1");
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(splitLines(run.out).size(), 1u) << args << "\n" << run.out;
        EXPECT_EQ(run.out.rfind("orbika-cli: ", 0), 0u) << run.out;
    }
}
