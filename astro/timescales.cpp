#include "astro/timescales.h"

#include <cmath>

#include "astro/leapseconds.h"
#include "foundation/arith.h"
#include "foundation/units.h"

namespace {
// MJD of J2000.0 (2000 January 1, 12h).
constexpr double kMjdJ2000 = 51544.5;
// The day after which the Gregorian calendar applies (yyyymmdd).
constexpr double kGregorianStart = 15821004.1;
// First year of UTC in whole-second steps: from it on to the end of the leap-second table,
// TT - UTC is TT - TAI plus the leap seconds in force on 1 January.
constexpr int kFirstLeapYear = 1972;
// Degrees to radians as used by the obliquity formula.
constexpr double kDegToRad = 0.0174532925199;

// TT - UTC polynomial in centuries t from 2000 (seconds), valid 1900-1985; its coefficients have
// no recorded source.
double ttUtcPoly(double t)
{
    return 71.28 + t * (92.23 + t * (-160.22 + t * (-516.12 - 339.84 * t)));
}

// Year whose TT - UTC model value is used for years from 2000 on.
int effectiveYear(int year)
{
    if (year <= 2006) return year;
    if (year == 2007) return 2006;
    int y = year - 2;
    if (y > 2007) y = year - 3;
    if (y > 2007) y = year - 4;
    if (year - 4 > 2008) y = year - 5;
    return y;
}

// TT - UTC model value in seconds before rounding. Before 1650 the parabolas of Stephenson and
// Morrison (1984, Phil. Trans. R. Soc. Lond. A 313, 47) in centuries from 1800; 1650 to 1900
// a parabola and two lines, and from 1986 a table of yearly values, whose sources are not recorded.
double ttUtcModel(int year)
{
    static const double table1986[] = {55, 55, 56, 56, 57, 58, 58, 59, 60};
    const double tc = (year - 1800) / 100.0;
    if (year < 948) return 1360.0 + 320.0 * tc + 44.3 * tc * tc;
    if (year < 1650) return 25.5 * tc * tc;
    if (year < 1865) return 13.3066 * (tc - 0.19) * (tc - 0.19) + 5.156;
    if (year < 1885) return 6.0 - 0.6 * (year - 1865);
    if (year < 1900) return -6.0 - 0.2 * (year - 1885);
    const double t2000 = (year - 2000) / 100.0;
    if (year < 1986) return ttUtcPoly(t2000);
    if (year < 1995) return table1986[year - 1986];
    if (year < 2000) return ttUtcPoly(t2000) - 6.28;
    const int y = effectiveYear(year);
    if (y - 6 < 1999) return 70.3421907216 - 6.28;
    if (y - 6 > 2013) {
        const double u = (y - 2019) / 100.0;
        return 73.0 + 75.0 * u + 27.5 * u * u;
    }
    return ttUtcPoly((y - 2006) / 100.0) - 6.28;
}

// Calendar date of a day number a (<= 0) before JD 0, proleptic Julian calendar counted backward.
void caldatBeforeJd0(long a, int& day, int& month, int& year)
{
    const long k = static_cast<long>((-a - 0.1) / 365.25);
    const long u = k + 1;
    year = static_cast<int>(-4713 - k);
    const long leap = (u % 4 == 0) ? 61 : 60;
    long n = u / 4 + 365 * u + a;
    if (n == 0) {
        day = 31; month = 12; year = static_cast<int>(-4714 - k);
    } else if (n < leap) {
        month = n < 32 ? 1 : 2;
        day = static_cast<int>(n < 32 ? n : n - 31);
    } else {
        n -= leap;
        const long g = static_cast<long>((n + 123) / 30.6001);
        month = static_cast<int>(g - 1);
        day = static_cast<int>(n - static_cast<long>(30.6001 * g) + 123);
    }
}
}  // namespace

double mjd(int day, int month, int year, double hour)
{
    const double a = 10000.0 * year + 100.0 * month + day;
    if (month <= 2) {
        month += 12;
        --year;
    }
    long b;
    if (a > kGregorianStart)
        b = year / 400 - year / 100 + year / 4;
    else if (year >= -4716)
        b = (year + 4716) / 4 - 1181;
    else
        b = -1182 - (static_cast<long>(-(year + 4717)) >> 2);
    return 365.0 * year - 679004.0 + b + static_cast<long>(30.6001 * (month + 1)) + day + hour / 24.0;
}

void caldat(double mjdv, int& day, int& month, int& year, double& hour)
{
    long a = static_cast<long>(mjdv + 2400001.0);
    hour = 24.0 * (mjdv - std::floor(mjdv));
    if (mjdv < -2400001.0) {
        if (mjdv == std::floor(mjdv)) ++a;
        caldatBeforeJd0(a, day, month, year);
        return;
    }
    long c;
    if (a <= 2299160) {
        c = a + 1524;
    } else {
        const long b = static_cast<long>((a - 1867216.25) / 36524.25);
        c = a + b - b / 4 + 1525;
    }
    const long d = static_cast<long>((c - 122.1) / 365.25);
    const long e = 365 * d + d / 4;
    const long f = static_cast<long>((c - e) / 30.6001);
    day = static_cast<int>(c - e - static_cast<long>(30.6001 * f));
    month = static_cast<int>(f - 1 - 12 * (f / 14));
    year = static_cast<int>(d - 4715 - (month + 7) / 10);
}

double julcent(double mjdv) { return (mjdv - kMjdJ2000) / kJulianCentury; }

double lsidtim(double mjdv, double lambda, double dsec)
{
    const double m0 = std::trunc(mjdv);
    const double t0 = julcent(m0);
    const double ut = (mjdv - m0) * 24.0;
    const double gmst = 6.697374558 + 1.0027379093 * ut
                        + (8640184.812866 + (0.093104 - 6.2e-6 * t0) * t0) * t0 / 3600.0;
    return 24.0 * frac((gmst + lambda / 15.0) / 24.0) + dsec / 3600.0;
}

double eps(double T)
{
    return (23.43929111 - (46.815 + (0.00059 - 0.001813 * T) * T) * T / 3600.0) * kDegToRad;
}

double DefTdUt(int year)
{
    if (year >= kFirstLeapYear && year <= kLeapTableLastYear)
        return time_units::kTtMinusTai + TaiMinusUtc(mjd(1, 1, year, 0.0));
    const double d = ttUtcModel(year);
    const double rounded = d >= 0 ? std::floor(d + 0.5) : -std::floor(0.5 - d);
    return rounded + 0.184;
}
