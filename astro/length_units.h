// Length units shared by the satellite computations (the propagators work in km, the numerical
// state and the site height in metres).
#pragma once

namespace length_units {
constexpr double kMetresPerKm = 1000.0;
}  // namespace length_units
