// Angle units shared by the frame, nutation, two-body and sky routines.
#pragma once

namespace angle_units {
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;
// Radians and degrees per hour of sidereal time or right ascension.
constexpr double kHourToRad = kPi / 12.0;
constexpr double kDegPerHour = 15.0;
// Seconds of time per radian of the Earth's rotation (43200 / pi, to the digits the program uses).
constexpr double kTimeSecPerRad = 13750.9870831;
// Radians per arcsecond, 4.84813681109536e-6.
constexpr double kArcsecToRad = kPi / 648000.0;
}  // namespace angle_units
