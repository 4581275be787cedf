#include "astro/datetext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/timescales.h"
#include "foundation/arith.h"
#include "foundation/textconv.h"

namespace {
// MJD range (days) handed to the calendar routines; keeps their integer fields in range.
constexpr double kMjdLimit = 1e8;
// dtmstr text: "MON dd hh:mm" and its terminator.
constexpr int kDtmBytes = 13;
}  // namespace

void caltime(double mjd, int& day, int& month, int& year, int& hour, int& minute, double& second)
{
    const double m = std::isnan(mjd) ? 0.0 : std::clamp(mjd, -kMjdLimit, kMjdLimit);
    double hours;
    caldat(m, day, month, year, hours);
    dms(hours, hour, minute, second);
}

void dtmstr(double mjd, char* out)
{
    int day, month, year, hour, minute;
    double second;
    caltime(mjd, day, month, year, hour, minute, second);
    if (second > 30.0) ++minute;
    if (minute == 60) {
        ++hour;
        minute = 0;
    }
    char mon[4];
    GetMonth(month, mon);
    std::snprintf(out, kDtmBytes, "%s %2i %2i:%02i", mon, day, hour, minute);
}
