// Angle units shared by the frame, nutation and two-body routines.
#pragma once

namespace angle_units {
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;
// Radians per arcsecond, 4.84813681109536e-6.
constexpr double kArcsecToRad = kPi / 648000.0;
}  // namespace angle_units
