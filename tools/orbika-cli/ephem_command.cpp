// orbika-cli ephem: ecliptic positions of the Sun, the Moon and the planets at one TT instant.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "astro/moon200.h"
#include "astro/plan200.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "commands.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "foundation/vec3.h"
#include "options.h"
#include "output.h"

namespace {
// Instants further than this from J2000 (Julian centuries) are refused: the series are fits
// to the present era and lose all meaning long before.
constexpr int kMaxCenturies = 100;
// Half a unit of the last printed decimal (8 decimals): longitudes this close to 360
// would print as 360.
constexpr double kHalfLastDecimal = 0.5e-8;

struct EphemArgs {
    double mjd = 0.0;
    bool json = false;
};

struct BodyCoordinates {
    const char* name;
    double lon, lat, dist;  // degrees [0, 360), degrees, AU or Earth radii
};

// Reads the arguments after "ephem"; false (after a message) when they are unusable.
bool parseArgs(int argc, char** argv, EphemArgs& args)
{
    bool haveMjd = false;
    for (int k = 0; k < argc; ++k) {
        if (std::strcmp(argv[k], "--json") == 0) {
            args.json = true;
        } else if (std::strcmp(argv[k], "--mjd") == 0 && !haveMjd) {
            if (k + 1 >= argc || !isNumberText(argv[k + 1])) {
                complain("ephem: --mjd needs a number (Modified Julian Date, TT)");
                return false;
            }
            args.mjd = Atof(argv[++k]);
            haveMjd = true;
        } else {
            complain("ephem: unexpected argument '%s' (usage: ephem --mjd MJD [--json])", argv[k]);
            return false;
        }
    }
    if (!haveMjd) {
        complain("ephem: --mjd MJD is required");
        return false;
    }
    if (!(std::fabs(julcent(args.mjd)) <= kMaxCenturies)) {
        complain("ephem: MJD must lie within %d Julian centuries of J2000", kMaxCenturies);
        return false;
    }
    return true;
}

// Longitude (degrees, [0, 360) also after rounding), latitude (degrees) and length of v.
BodyCoordinates coordinates(const char* name, const Vec3& v)
{
    const Vec3 p = carpol(v);
    double lon = p[1] * angle_units::kRadToDeg;
    if (lon >= 360.0 - kHalfLastDecimal) lon = 0.0;
    return {name, lon, p[2] * angle_units::kRadToDeg, p[0]};
}

// Sun and Moon geocentric, planets heliocentric, all ecliptic of date, at T Julian centuries TT.
std::array<BodyCoordinates, 7> bodies(double T)
{
    Sun200 sun;
    Moon200 moon;
    Plan200 plan;
    return {{coordinates("Sun", sun.position(T)), coordinates("Moon", moon.position(T)),
             coordinates("Mercury", plan.Mercury(T)), coordinates("Venus", plan.Venus(T)),
             coordinates("Mars", plan.Mars(T)), coordinates("Jupiter", plan.Jupiter(T)),
             coordinates("Saturn", plan.Saturn(T))}};
}

void printText(const std::array<BodyCoordinates, 7>& list)
{
    for (const BodyCoordinates& b : list) emit("%-8s %13.8f %12.8f %13.8f\n", b.name, b.lon, b.lat, b.dist);
}

// JSON array of the bodies.
void printJson(const std::array<BodyCoordinates, 7>& list)
{
    emit("[\n");
    for (std::size_t k = 0; k < list.size(); ++k) {
        const BodyCoordinates& b = list[k];
        emit("  {\"name\": \"%s\", \"lon\": %.8f, \"lat\": %.8f, \"dist\": %.8f}%s\n", b.name, b.lon,
             b.lat, b.dist, k + 1 < list.size() ? "," : "");
    }
    emit("]\n");
}
}  // namespace

int runEphem(int argc, char** argv)
{
    EphemArgs args;
    if (!parseArgs(argc, argv, args)) return 2;
    const auto list = bodies(julcent(args.mjd));
    if (args.json)
        printJson(list);
    else
        printText(list);
    return 0;
}
