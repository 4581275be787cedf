#include "core/elementcheck.h"

#include <cmath>
#include <cstdio>

#include "core/geodesy.h"
#include "core/tleformat.h"

namespace {

// Largest |B*| accepted, 1/Earth radii: an order of magnitude above the drag term of any object
// in the public catalogue just before re-entry.
constexpr double kMaxBstar = 1.0;
// Largest mean motion accepted, rev/day: an orbit of this period would lie inside the Earth.
constexpr double kMaxMeanMotion = 20.0;
// Largest day-of-year field of a TLE epoch (December 31 of a leap year, 24h).
constexpr double kLastEpochDay = 367.0;
// Column of the checksum digit of an element line.
constexpr size_t kChecksumColumn = 69;

// The text "what value is not within" with x written in.
std::string outside(const char* what, double x, const char* range)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, "%s %g is not %s", what, x, range);
    return buf;
}

}  // namespace

std::string ImplausibleElements(const TleFields& f)
{
    for (double x : {f.incl, f.node, f.argp, f.manom, f.ecc, f.mm, f.ndot, f.nddot, f.bstar, f.epochday})
        if (!std::isfinite(x)) return "an element is not a number";
    if (!(f.epochday >= 1.0 && f.epochday < kLastEpochDay)) return outside("epoch day", f.epochday, "from 1 to 366");
    if (f.statevector) return "";
    // The program's own entries of open orbits hold the perigee distance (km) in place of the
    // mean motion; no real mean motion comes near the Earth's radius in rev/day.
    if (f.ecc >= 1.0 && f.mm >= kEarthRadiusKm) return "";
    if (!(f.mm > 0.0 && f.mm <= kMaxMeanMotion)) return outside("mean motion", f.mm, "above 0 and at most 20 rev/day");
    if (!(f.ecc >= 0.0 && f.ecc < 1.0)) return outside("eccentricity", f.ecc, "from 0 to below 1");
    if (!(f.incl >= 0.0 && f.incl <= 180.0)) return outside("inclination", f.incl, "from 0 to 180 degrees");
    if (!(std::fabs(f.bstar) <= kMaxBstar)) return outside("B*", f.bstar, "within +/-1");
    return "";
}

bool TleChecksumOk(const std::string& line)
{
    if (line.size() < kChecksumColumn) return true;
    const char digit = line[kChecksumColumn - 1];
    return digit < '0' || digit > '9' || tcksum(line.c_str()) == digit;
}
