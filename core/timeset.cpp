#include "core/timeset.h"

#include <algorithm>
#include <cmath>

#include "astro/timescales.h"
#include "foundation/units.h"

namespace {
// MJD of 1970 January 1, 0h UT, the origin of the system clock.
constexpr long long kMjdUnixEpoch = 40587;
constexpr long long kSecondsPerDay = 86400;
using time_units::kHoursPerDay;
using time_units::kSecondsPerHour;
// MJD range (days) accepted when splitting an instant into date fields; keeps them in int range.
constexpr double kMjdLimit = 1e8;
using time_units::kTtMinusTai;

// Refraction is applied only between these elevations, degrees.
constexpr double kRefrLowest = -2.0;
constexpr double kRefrHighest = 85.0;
// From this elevation (degrees) the tangent law is used: R = kRefrTangent / tan(e), degrees
// (54.76 arcseconds, standard atmosphere of 1010 mbar and 10 deg C).
constexpr double kRefrTangentFrom = 10.0;
constexpr double kRefrTangent = 0.01521154622;
// Below the horizon (e <= -1 deg) the refraction falls linearly to 0 at -2 deg: R = k (e + 2).
constexpr double kRefrHorizonFrom = -1.0;
constexpr double kRefrHorizonSlope = 0.84446937;
// Low-elevation rational fit R = P/T (a e^2 + b e + c) / (d e^2 + f e + 1), degrees, with
// P/T = 1010 mbar / 283 K (Explanatory Supplement to the Astronomical Almanac, 1992).
constexpr double kRefrPressureTemp = 3.5689;
constexpr double kRefrNum2 = 0.0002, kRefrNum1 = 0.0196, kRefrNum0 = 0.1594;
constexpr double kRefrDen2 = 0.0845, kRefrDen1 = 0.505;

// Civil date and time in whole seconds.
struct CivilTime {
    int day, month, year, hour, minute, second;
};

// Date and time of an instant given in seconds since MJD 0.
CivilTime civilFromSeconds(long long s)
{
    long long days = s / kSecondsPerDay;
    long long sod = s % kSecondsPerDay;
    if (sod < 0) {
        sod += kSecondsPerDay;
        --days;
    }
    CivilTime c{};
    double hours;
    caldat(static_cast<double>(days), c.day, c.month, c.year, hours);
    c.hour = static_cast<int>(sod / 3600);
    c.minute = static_cast<int>(sod / 60 % 60);
    c.second = static_cast<int>(sod % 60);
    return c;
}

// Seconds since MJD 0 of an MJD, rounded to the nearest second (NaN as 0, clamped to +/-1e8 days).
long long secondsOfMjd(double mjdValue)
{
    const double m = std::isnan(mjdValue) ? 0.0 : std::clamp(mjdValue, -kMjdLimit, kMjdLimit);
    return std::llround(m * static_cast<double>(kSecondsPerDay));
}

// Seconds since MJD 0 of a system clock reading.
long long secondsOfClock(std::time_t t) { return static_cast<long long>(t) + kMjdUnixEpoch * kSecondsPerDay; }

void setFields(WinpData* in, const CivilTime& c)
{
    in->day = c.day;
    in->month = c.month;
    in->year = c.year;
    in->hour = c.hour;
    in->minute = c.minute;
    in->second = c.second;
}

// Hours of the day of the time fields of in.
double hoursOf(const WinpData* in) { return in->hour + in->minute / 60.0 + in->second / kSecondsPerHour; }

// System zone at t in seconds west of Greenwich: UT minus the local civil time.
long systemZoneWest(std::time_t t)
{
    std::tm local{};
    if (!localtime_r(&t, &local)) return 0;
    const double localDay = mjd(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900, 0.0);
    const long long localSeconds = std::llround(localDay) * kSecondsPerDay + local.tm_hour * 3600LL +
                                   local.tm_min * 60LL + local.tm_sec;
    return static_cast<long>(secondsOfClock(t) - localSeconds);
}
}  // namespace

double ElvRefr(const WinpData* in, double elev)
{
    if (!in->refract || in->relmode || !(elev > kRefrLowest && elev < kRefrHighest)) return elev;
    if (elev >= kRefrTangentFrom) return elev + kRefrTangent / std::tan(elev * angle_units::kDegToRad);
    if (elev <= kRefrHorizonFrom) return elev + kRefrHorizonSlope * (elev - kRefrLowest);
    const double num = (kRefrNum2 * elev + kRefrNum1) * elev + kRefrNum0;
    const double den = (kRefrDen2 * elev + kRefrDen1) * elev + 1.0;
    return elev + kRefrPressureTemp * num / den;
}

double SetTtUt(const WinpData* in, int year)
{
    return in->iersflg ? kTtMinusTai - in->utctai : DefTdUt(year);
}

void DefDate(int& day, int& month, int& year)
{
    const CivilTime c = civilFromSeconds(secondsOfClock(std::time(nullptr)));
    day = c.day;
    month = c.month;
    year = c.year;
}

void DefTime(WinpData* in, std::time_t now)
{
    setFields(in, civilFromSeconds(secondsOfClock(now)));
    in->systzone = systemZoneWest(now);
}

void DefTime(WinpData* in) { DefTime(in, std::time(nullptr)); }

void setNewMjd(WinpData* in)
{
    if (in->systzflg) in->timezone = -in->systzone / kSecondsPerHour;
    in->mjd = mjd(in->day, in->month, in->year, hoursOf(in) - in->timezone);
    in->passcont = 0;
    in->passepoch = 0.0;
    if (in->deltamode) {
        in->deltamode = 0;
        in->rtmode = 0;
    }
    in->ttut = SetTtUt(in, in->year);
}

void setLocalDate(WinpData* in)
{
    setFields(in, civilFromSeconds(secondsOfMjd(in->mjd + in->timezone / 24.0)));
}

double RT_MJD(WinpData* in, std::time_t now)
{
    const CivilTime saved{in->day, in->month, in->year, in->hour, in->minute, in->second};
    DefTime(in, now);
    const double now_mjd = mjd(in->day, in->month, in->year, hoursOf(in));
    setFields(in, saved);
    return now_mjd + in->rtoffset / kHoursPerDay;
}

double RT_MJD(WinpData* in) { return RT_MJD(in, std::time(nullptr)); }
