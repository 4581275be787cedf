#include "core/transitremark.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/occtrans.h"
#include "core/satstate.h"
#include "foundation/textconv.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kRadToDeg;
using time_units::kSecond;
// Apparent radius of the Sun (radians) that sets the width of a Sun transit zone.
constexpr double kSunRadius = 0.00462516;
// Apparent diameter (degrees) of the disc crossed, for the transit duration.
constexpr double kDiscDiameter = 0.53;
// Durations (s) outside this range give a blank remark.
constexpr double kMinDuration = 0.05;
constexpr double kMaxDuration = 30.0;
// Half widths (km) from this on are shown as ">50.0".
constexpr double kMaxWidth = 50.0;
// Position of the '>' mark in the remark: the blank before the width.
constexpr int kWideMark = 2;
// Below this the sine of the elevation counts as zero.
constexpr double kTinySine = 1e-10;

// Satellite seen from the site of the settings at one instant, with its centre-line point.
struct Sighting {
    double azim, elev, range;  // radians, radians, km
    bool point;                // a centre-line point exists
    double lat, lon;           // centre-line point, radians
};

Sighting sight(WinpData* in, SatPosData* sp, int slot, double t)
{
    GetSatPos(t, in, sp, slot, 0);
    return {sp->azim[slot] * kDegToRad, sp->elev[slot] * kDegToRad, sp->range[slot],
            sp->ctrlat[slot] < kNoCentreLine, sp->ctrlat[slot] * kDegToRad, sp->ctrlon[slot] * kDegToRad};
}

// Half width (km) of the transit zone across the centre line of direction dir (radians) for a
// satellite at azimuth, elevation and range s, the disc having the apparent radius rad (radians).
double zoneHalfWidth(const Sighting& s, double dir, double rad)
{
    const double w = std::tan(rad) * s.range;
    const double across = w * std::cos(dir - s.azim);
    double along = w * std::sin(dir - s.azim);
    if (std::sin(s.elev) > kTinySine) along /= std::sin(s.elev);
    return std::hypot(across, along);
}
}  // namespace

void SunMoonTr(WinpData* in, double t, int slot, double dist, int defaulted, int& result, char* buf,
               SatPosData* sp)
{
    const double lat = in->obslat, lon = in->obslon;
    const int relmode = in->relmode;
    in->relmode = 0;
    double width = 0.0, duration = 0.0, pa = 0.0;
    GetSatPos(t, in, sp, slot, 0);
    if (sp->ctrlat[slot] < kNoCentreLine) {
        in->obslat = sp->ctrlat[slot];
        in->obslon = sp->ctrlon[slot];
        const Sighting s1 = sight(in, sp, slot, t);
        const double rad = in->occmode == kMoonTarget ? sp->moonsd * kDegToRad : kSunRadius;
        const Sighting s2 = sight(in, sp, slot, t + kSecond);
        double cosd, dir = s1.azim * kRadToDeg;
        if (s1.point && s2.point) ADisDir(s1.lon, s1.lat, s2.lon, s2.lat, cosd, dir);
        width = zoneHalfWidth(s1, dir * kDegToRad, rad);
        ADisDir(s1.azim, s1.elev, s2.azim, s2.elev, cosd, pa);
        const double speed = cosd < 1.0 ? std::acos(cosd) * kRadToDeg : 0.0;
        duration = speed > 0.0 ? kDiscDiameter / speed : 0.0;
    }
    if (duration < kMinDuration || duration > kMaxDuration) {
        std::snprintf(buf, kTransitTextBytes, " ");
    } else {
        std::snprintf(buf, kTransitTextBytes, "   %4.1lf km %4.1lf sec %4.0lf", std::min(width, kMaxWidth), duration, pa);
        decdot0(buf);
        if (width >= kMaxWidth) buf[kWideMark] = '>';
    }
    if (defaulted) result = width >= dist ? 1 : 2;
    in->obslat = lat;
    in->obslon = lon;
    in->relmode = relmode;
}
