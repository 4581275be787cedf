// Time units shared by the time scales, propagators, pass searches and tools.
#pragma once

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
