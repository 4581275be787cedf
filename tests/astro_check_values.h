// Test helpers for the Sun, Moon and planet series: the check-value file and the bodies.
#pragma once
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/moon200.h"
#include "astro/plan200.h"
#include "astro/sun200.h"
#include "foundation/units.h"
#include "foundation/vec3.h"

// One line of astro_check_values.txt: the series' values and the independent ephemeris'.
struct AstroCheckRow {
    double mjd = 0.0, T = 0.0;
    std::string body;
    double lon = 0.0, lat = 0.0, dist = 0.0;           // degrees, degrees, AU or Earth radii
    double refLon = 0.0, refLat = 0.0, refDist = 0.0;  // independent ephemeris, same units
};

// All rows of the check-value file (empty when it cannot be read).
inline std::vector<AstroCheckRow> readAstroCheckValues()
{
    std::vector<AstroCheckRow> rows;
    std::ifstream in(std::string(ORBIKA_TEST_DATA) + "/astro_check_values.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        AstroCheckRow r;
        if (f >> r.mjd >> r.T >> r.body >> r.lon >> r.lat >> r.dist >> r.refLon >> r.refLat >> r.refDist)
            rows.push_back(r);
    }
    return rows;
}

// Rows of one body.
inline std::vector<AstroCheckRow> astroCheckRows(const std::string& body)
{
    std::vector<AstroCheckRow> out;
    for (const AstroCheckRow& r : readAstroCheckValues())
        if (r.body == body) out.push_back(r);
    return out;
}

// Position of a body by its lower-case name at T Julian centuries TT (Sun, planets: AU;
// Moon: Earth radii), each from a fresh series object.
inline Vec3 astroBodyPosition(const std::string& body, double T)
{
    if (body == "sun") return Sun200().position(T);
    if (body == "moon") return Moon200().position(T);
    Plan200 p;
    if (body == "mercury") return p.Mercury(T);
    if (body == "venus") return p.Venus(T);
    if (body == "mars") return p.Mars(T);
    if (body == "jupiter") return p.Jupiter(T);
    if (body == "saturn") return p.Saturn(T);
    return Vec3();
}

// Longitude in [0, 360), latitude (degrees) and length of a Cartesian vector.
struct LonLatDist {
    double lon, lat, dist;
};
inline LonLatDist lonLatDist(const Vec3& v)
{
    const Vec3 p = carpol(v);
    return {p[1] * angle_units::kRadToDeg, p[2] * angle_units::kRadToDeg, p[0]};
}

// Difference a - b of two longitudes in degrees, in (-180, 180].
inline double lonDifference(double a, double b)
{
    const double d = std::fmod(a - b, 360.0);
    return d > 180.0 ? d - 360.0 : d <= -180.0 ? d + 360.0 : d;
}

// Largest differences of the series from the listed values of one body.
struct AstroDeviation {
    int rows = 0;
    double lonDeg = 0.0, latDeg = 0.0, dist = 0.0;          // from the series columns
    double lonArcsec = 0.0, latArcsec = 0.0, refDist = 0.0;  // from the independent columns
};
inline AstroDeviation astroDeviation(const std::string& body)
{
    AstroDeviation d;
    for (const AstroCheckRow& r : astroCheckRows(body)) {
        const LonLatDist got = lonLatDist(astroBodyPosition(body, r.T));
        ++d.rows;
        d.lonDeg = std::fmax(d.lonDeg, std::fabs(lonDifference(got.lon, r.lon)));
        d.latDeg = std::fmax(d.latDeg, std::fabs(got.lat - r.lat));
        d.dist = std::fmax(d.dist, std::fabs(got.dist - r.dist));
        d.lonArcsec = std::fmax(d.lonArcsec, 3600.0 * std::fabs(lonDifference(got.lon, r.refLon)));
        d.latArcsec = std::fmax(d.latArcsec, 3600.0 * std::fabs(got.lat - r.refLat));
        d.refDist = std::fmax(d.refDist, std::fabs(got.dist - r.refDist));
    }
    return d;
}
