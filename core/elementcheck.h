// Plausibility of element sets as read: values that no orbiting object can have are refused
// before they reach the propagators, and TLE lines are checked against their checksums.
#pragma once

#include <string>

#include "core/tlefields.h"

// Why the element set f cannot describe an Earth orbit ("eccentricity 1.2 is not below 1"), or
// "" when its values are usable. State-vector entries are checked for finite elements only, the
// program's open-orbit entries (eccentricity >= 1, perigee distance in the mean-motion field) for a
// perigee outside the Earth.
std::string ImplausibleElements(const TleFields& f);

// True when the element line has no checksum digit in column 69 or the digit matches the line.
bool TleChecksumOk(const std::string& line);
