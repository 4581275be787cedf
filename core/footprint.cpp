// Footprint: the circle on the ground from which a satellite is above the horizon.
#include <algorithm>
#include <cmath>

#include "core/geodesy.h"
#include "core/satstate.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kPi;
using angle_units::kTwoPi;
// Azimuth of the first circle point (radians), off zero so that no point sits on a meridian.
constexpr double kFirstAzimuth = 1e-7;
// Denominators below this size leave the longitude offset at 0.
constexpr double kTinyDenominator = 1e-50;

}  // namespace

void GetSatVis(SatPosData* sp, double lat, int slot)
{
    if (slot < 0 || slot >= kMaxSat) return;
    const double rho = HorizonAngle(sp->height[slot]);
    const double cosr = std::cos(rho), sinr = std::sin(rho);
    const double cosp = std::cos(lat), sinp = std::sin(lat);
    const double lon = sp->lon[slot] * kDegToRad;
    for (int k = 0; k < kCirclePoints; ++k) {
        const double az = kFirstAzimuth + k * kTwoPi / kCirclePoints;
        const double latk = std::asin(std::clamp(sinr * cosp * std::cos(az) + cosr * sinp, -1.0, 1.0));
        const double den = std::cos(latk) * cosp;
        double off = std::fabs(den) < kTinyDenominator
                         ? 0.0
                         : std::acos(std::clamp((cosr - std::sin(latk) * sinp) / den, -1.0, 1.0));
        if (az > kPi) off = -off;
        double lonk = lon + off;
        if (lonk > kTwoPi) lonk -= kTwoPi;
        if (lonk < -kPi) lonk += kTwoPi;
        sp->circlat[slot][k] = latk;
        sp->circlon[slot][k] = lonk;
    }
    sp->ncircle = kCirclePoints;
}
