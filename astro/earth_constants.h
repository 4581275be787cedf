// Earth and astronomical constants of the satellite computations, each named once with its source.
#pragma once

// WGS-84 equatorial radius, km (NIMA TR8350.2).
constexpr double kEarthRadiusKm = 6378.137;
// WGS-84 first eccentricity squared (NIMA TR8350.2).
constexpr double kEarthE2 = 0.0066943799901413165;

// Earth's GM of the Keplerian element model, km^3/day^2: 398600.448 km^3/s^2 times 86400^2,
// rounded to 11 significant digits. The value has no published source of its own; it is the one
// the element conversions have always used, so that stored orbits keep their meaning.
constexpr double kGmKmDay = 2.9755364003e15;
// Earth's GM of the JGM-3 gravity model, km^3/day^2: 398600.4415 km^3/s^2 times 86400^2.
constexpr double kGmJgm3KmDay = 2975536351779840.0;

// Earth radii per astronomical unit: 149597870.691 km (JPL DE405) / 6378.137 km.
constexpr double kEarthRadiiPerAu = 23454.79106062;
