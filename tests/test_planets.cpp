#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "astro/timescales.h"
#include "astro_check_values.h"
#include "cli_run.h"

namespace {
const std::array<const char*, 5> kPlanets = {"mercury", "venus", "mars", "jupiter", "saturn"};

// Largest tolerated differences from the independent ephemeris: a little above the worst
// found over 1900-2100 (arcsec, arcsec, AU).
struct PlanetTolerance {
    const char* body;
    double lonArcsec, latArcsec, radius;
};
constexpr std::array<PlanetTolerance, 5> kReferenceTolerance = {{
    {"mercury", 2.4, 1.6, 2.5e-6},
    {"venus", 1.5, 1.5, 2.5e-6},
    {"mars", 1.8, 0.8, 1.1e-5},
    {"jupiter", 5.3, 1.4, 6.5e-5},
    {"saturn", 5.3, 2.4, 1.0e-4},
}};

// Standard output and exit status of a shell command.
// Exit status of orbika-cli with the given arguments, its output discarded.
int cliStatus(const std::string& args)
{
    return runCli(args + " 2>/dev/null").status;
}
}  // namespace

TEST(PlanetSeries, ReproduceCheckValues)
{
    for (const char* body : kPlanets) {
        const AstroDeviation d = astroDeviation(body);
        EXPECT_EQ(d.rows, 6) << body;
        EXPECT_LT(d.lonDeg, 1e-6) << body;
        EXPECT_LT(d.latDeg, 1e-6) << body;
        EXPECT_LT(d.dist, 1e-8) << body;
    }
}

TEST(PlanetSeries, AgreeWithIndependentEphemeris)
{
    for (const PlanetTolerance& tol : kReferenceTolerance) {
        const AstroDeviation d = astroDeviation(tol.body);
        EXPECT_EQ(d.rows, 6) << tol.body;
        EXPECT_LT(d.lonArcsec, tol.lonArcsec) << tol.body;
        EXPECT_LT(d.latArcsec, tol.latArcsec) << tol.body;
        EXPECT_LT(d.refDist, tol.radius) << tol.body;
    }
}

TEST(PlanetSeries, RateVelocityFollowsThePositions)
{
    // The published rate series are crude: within a few per cent of the true velocity.
    const double day = 1.0 / 36525.0;
    for (double T = -1.0; T <= 1.0; T += 0.0417) {
        Plan200 p;
        const std::array<Vec3 (Plan200::*)(double), 5> methods = {
            &Plan200::Mercury, &Plan200::Venus, &Plan200::Mars, &Plan200::Jupiter, &Plan200::Saturn};
        for (std::size_t k = 0; k < methods.size(); ++k) {
            const Vec3 numeric = 0.5 * ((p.*methods[k])(T + day) - (p.*methods[k])(T - day));
            (p.*methods[k])(T);
            EXPECT_LT(abs(p.velocity() - numeric), 0.03 * abs(numeric)) << kPlanets[k] << " T " << T;
        }
    }
}

TEST(EphemCli, PrintsTheLibraryPositionsInAnyLocale)
{
    const double mjdTT = 60310.0;
    const double T = julcent(mjdTT);
    const std::array<const char*, 7> names = {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn"};
    const std::array<const char*, 7> bodies = {"sun", "moon", "mercury", "venus", "mars", "jupiter", "saturn"};
    // A decimal-comma locale (where installed) must not change the output.
    const CliRun text = runCli("ephem --mjd 60310.0", "LC_ALL=de_DE.UTF-8");
    const CliRun json = runCli("ephem --json --mjd 60310");
    ASSERT_EQ(text.status, 0);
    ASSERT_EQ(json.status, 0);
    ASSERT_EQ(json.out.front(), '[');

    std::size_t textAt = 0, jsonAt = json.out.find('{');
    for (std::size_t k = 0; k < names.size(); ++k) {
        const LonLatDist want = lonLatDist(astroBodyPosition(bodies[k], T));
        std::array<char, 16> name{};
        double lon = 0, lat = 0, dist = 0;
        ASSERT_EQ(std::sscanf(text.out.c_str() + textAt, "%15s %lf %lf %lf", name.data(), &lon, &lat, &dist), 4);
        EXPECT_STREQ(name.data(), names[k]);
        EXPECT_NEAR(lon, want.lon, 1e-8);
        EXPECT_NEAR(lat, want.lat, 1e-8);
        EXPECT_NEAR(dist, want.dist, 1e-8);
        textAt = text.out.find('\n', textAt) + 1;

        ASSERT_NE(jsonAt, std::string::npos);
        ASSERT_EQ(std::sscanf(json.out.c_str() + jsonAt, "{\"name\": \"%15[^\"]\", \"lon\": %lf, \"lat\": %lf, \"dist\": %lf}",
                              name.data(), &lon, &lat, &dist), 4);
        EXPECT_STREQ(name.data(), names[k]);
        EXPECT_NEAR(lon, want.lon, 1e-8);
        EXPECT_NEAR(lat, want.lat, 1e-8);
        EXPECT_NEAR(dist, want.dist, 1e-8);
        jsonAt = json.out.find('{', jsonAt + 1);
    }
    EXPECT_EQ(json.out.substr(json.out.size() - 4), "}\n]\n");
}

TEST(EphemCli, RejectsBadArgumentsWithStatus2)
{
    for (const char* args : {"ephem", "ephem --mjd", "ephem --mjd abc", "ephem --mjd 51544x", "ephem --mjd 1,5",
                             "ephem --mjd nan", "ephem --mjd 1e300", "ephem --mjd 51544 --bogus",
                             "ephem --json", "ephem --mjd 1 --mjd 2"})
        EXPECT_EQ(cliStatus(args), 2) << args;
    EXPECT_EQ(cliStatus("ephem --mjd -1e3"), 0);
}
