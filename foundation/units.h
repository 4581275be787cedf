// Units of angle, time and length shared by every layer, each defined once.
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

namespace time_units {
constexpr double kSecondsPerMinute = 60.0;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kMinutesPerDay = 1440.0;
constexpr double kHoursPerDay = 24.0;
// TT - TAI, seconds (IAU 1991, exact by definition).
constexpr double kTtMinusTai = 32.184;
// One minute and one second as fractions of a day.
constexpr double kMinute = 1.0 / kMinutesPerDay;
constexpr double kSecond = 1.0 / kSecondsPerDay;
}  // namespace time_units

// The propagators work in km, the numerical state and the site height in metres.
namespace length_units {
constexpr double kMetresPerKm = 1000.0;
}  // namespace length_units
