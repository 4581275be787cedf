// Earth and astronomical constants of the satellite computations, each named once with its source.
#pragma once

#include "foundation/units.h"

// WGS-84 equatorial radius, m and km, and flattening 1/298.257223563 (NIMA TR8350.2).
constexpr double kEarthRadiusM = 6378137.0;
constexpr double kEarthRadiusKm = kEarthRadiusM / length_units::kMetresPerKm;
constexpr double kEarthFlattening = 1.0 / 298.257223563;
// WGS-84 first eccentricity squared, f (2 - f) = 0.0066943799901413165.
constexpr double kEarthE2 = 2.0 * kEarthFlattening - kEarthFlattening * kEarthFlattening;

// Earth's GM of the Keplerian element model, km^3/day^2: 398600.448 km^3/s^2 times 86400^2,
// rounded to 11 significant digits. The value has no published source of its own; it is the one
// the element conversions have always used, so that stored orbits keep their meaning.
constexpr double kGmKmDay = 2.9755364003e15;
// Earth's GM of the JGM-3 gravity model, km^3/day^2: 398600.4415 km^3/s^2 times 86400^2.
constexpr double kGmJgm3KmDay = 2975536351779840.0;

// Astronomical unit, km (JPL DE405), and in Earth radii (23454.7910606).
constexpr double kAuKm = 149597870.691;
constexpr double kEarthRadiiPerAu = kAuKm / kEarthRadiusKm;
