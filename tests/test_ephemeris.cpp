// The Sun, Moon and planet series against published and independent values, and the ephem command.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "astro/moon200.h"
#include "astro/plan200.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "cli_run.h"
#include "foundation/units.h"

namespace {
// Position of a body by name at T Julian centuries TT (AU; the Moon in Earth radii).
Vec3 bodyPosition(const std::string& body, double T)
{
    if (body == "sun") return Sun200().position(T);
    if (body == "moon") return Moon200().position(T);
    Plan200 p;
    if (body == "mercury") return p.Mercury(T);
    if (body == "venus") return p.Venus(T);
    if (body == "mars") return p.Mars(T);
    if (body == "jupiter") return p.Jupiter(T);
    return p.Saturn(T);
}

// Ecliptic longitude, latitude (degrees) and distance of a Cartesian vector.
struct LonLatDist {
    double lon, lat, dist;
};
LonLatDist lonLatDist(const Vec3& v)
{
    const Vec3 p = carpol(v);
    return {p[1] * angle_units::kRadToDeg, p[2] * angle_units::kRadToDeg, p[0]};
}

// Tolerated differences from the independent ephemeris over 1900-2100 (arcsec, arcsec, AU).
struct Tolerance {
    const char* body;
    double lonArcsec, latArcsec, dist;
};
constexpr Tolerance kTolerances[] = {
    {"sun", 3.0, 0.25, 2.5e-6},       {"moon", 5.0, 1.6, 16.0 / 6378.137}, {"mercury", 2.4, 1.6, 2.5e-6},
    {"venus", 1.5, 1.5, 2.5e-6},      {"mars", 1.8, 0.8, 1.1e-5},          {"jupiter", 5.3, 1.4, 6.5e-5},
    {"saturn", 5.3, 2.4, 1.0e-4}};
}  // namespace

TEST(Ephemeris, SeriesMeetCheckValuesAndAnIndependentEphemerisAndVelocitiesFollow)
{
    // Each line of the file: MJD, T, body, the series' lon, lat, dist, the independent ephemeris' same.
    std::ifstream file(ORBIKA_TEST_DATA "/astro_check_values.txt");
    int rows = 0;
    for (std::string line; std::getline(file, line);) {
        std::istringstream f(line);
        double mjd, T, lon, lat, dist, refLon, refLat, refDist;
        std::string body;
        if (line[0] == '#' || !(f >> mjd >> T >> body >> lon >> lat >> dist >> refLon >> refLat >> refDist)) continue;
        const Tolerance* tol = std::find_if(std::begin(kTolerances), std::end(kTolerances),
                                            [&](const Tolerance& t) { return body == t.body; });
        ASSERT_NE(tol, std::end(kTolerances)) << body;
        const LonLatDist got = lonLatDist(bodyPosition(body, T));
        SCOPED_TRACE(line);
        EXPECT_NEAR(std::remainder(got.lon - lon, 360.0), 0.0, 1e-6);
        EXPECT_NEAR(got.lat, lat, 1e-6);
        EXPECT_NEAR(got.dist, dist, body == "moon" ? 1e-6 : 1e-8);
        EXPECT_LT(3600.0 * std::fabs(std::remainder(got.lon - refLon, 360.0)), tol->lonArcsec);
        EXPECT_LT(3600.0 * std::fabs(got.lat - refLat), tol->latArcsec);
        EXPECT_LT(std::fabs(got.dist - refDist), tol->dist);
        ++rows;
    }
    EXPECT_EQ(rows, 6 * 7);
    const double day = 1.0 / 36525.0;  // Julian centuries
    for (double T = -1.0; T <= 1.0; T += 0.0417) {
        // The Sun's Keplerian velocity ignores the perturbations (the Moon's pull moves it by a
        // few 1e-6 AU/day of its 0.0172).
        Vec3 r, v;
        Sun200().state(T, r, v);
        EXPECT_LT(abs(r - Sun200().position(T)), 1e-15) << "T " << T;
        EXPECT_LT(abs(v - 0.5 * (Sun200().position(T + day) - Sun200().position(T - day))), 2e-5) << "T " << T;
        // The published planet rate series are crude: within a few per cent of the true velocity.
        const std::array<Vec3 (Plan200::*)(double), 5> planets = {&Plan200::Mercury, &Plan200::Venus, &Plan200::Mars,
                                                                  &Plan200::Jupiter, &Plan200::Saturn};
        for (size_t k = 0; k < planets.size(); ++k) {
            Plan200 p;
            const Vec3 numeric = 0.5 * ((p.*planets[k])(T + day) - (p.*planets[k])(T - day));
            (p.*planets[k])(T);
            EXPECT_LT(abs(p.velocity() - numeric), 0.03 * abs(numeric)) << k << " T " << T;
        }
    }
}

TEST(EphemCli, PrintsTheLibraryPositionsAndRefusesBadArguments)
{
    // Seven bodies as text and JSON, the Sun's numbers the library's, the same in any locale.
    const CliRun text = runCli("ephem --mjd 60310.0"), json = runCli("ephem --json --mjd 60310");
    ASSERT_TRUE(text.status == 0 && json.status == 0);
    EXPECT_EQ(runCli("ephem --mjd 60310.0", "LC_ALL=de_DE.UTF-8").out, text.out);
    std::istringstream lines(text.out);
    std::string names;
    for (std::string line; std::getline(lines, line);) names += line.substr(0, line.find(' ')) + ",";
    EXPECT_EQ(names, "Sun,Moon,Mercury,Venus,Mars,Jupiter,Saturn,");
    const LonLatDist sun = lonLatDist(bodyPosition("sun", julcent(60310.0)));
    double got[2][3] = {};
    ASSERT_EQ(std::sscanf(text.out.c_str(), "Sun %lf %lf %lf", &got[0][0], &got[0][1], &got[0][2]), 3);
    ASSERT_EQ(std::sscanf(json.out.c_str(), "[\n  {\"name\": \"Sun\", \"lon\": %lf, \"lat\": %lf, \"dist\": %lf}",
                          &got[1][0], &got[1][1], &got[1][2]), 3) << json.out;
    const double want[3] = {sun.lon, sun.lat, sun.dist};
    for (const auto& g : got)
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(g[k], want[k], 1e-8);
    EXPECT_EQ(json.out.substr(json.out.size() - 4), "}\n]\n");
    for (const char* args : {"ephem", "ephem --mjd", "ephem --mjd 51544x", "ephem --mjd 1,5", "ephem --mjd nan",
                             "ephem --mjd 1e300", "ephem --mjd 51544 --bogus", "ephem --mjd 1 --mjd 2"})
        EXPECT_EQ(runCli(std::string(args) + " 2>/dev/null").status, 2) << args;
    EXPECT_EQ(runCli("ephem --mjd -1e3 2>/dev/null").status, 0);
}
