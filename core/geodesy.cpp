#include "core/geodesy.h"

#include <cmath>

#include "foundation/units.h"

namespace {
using angle_units::kPi;
using angle_units::kTwoPi;
// Positions closer to the centre (km) have no sub-point.
constexpr double kMinRadius = 0.1;
// Iterations of the ellipsoid correction, and the length (km) below which it stops early.
constexpr int kIterations = 4;
constexpr double kTinyLength = 1e-5;
}  // namespace

void GeodeticPoint(const Vec3& r, double& lat, double& lon, double& height)
{
    lat = lon = height = 0.0;
    if (abs(r) <= kMinRadius) return;
    lon = FoldPi(std::atan2(r[1], r[0]));
    const double rho2 = r[0] * r[0] + r[1] * r[1];
    double sinphi = r[2] / abs(r);
    double n = kEarthRadiusKm, dz = 0.0, len = abs(r);
    for (int it = 0; it < kIterations; ++it) {
        n = kEarthRadiusKm / std::sqrt(1.0 - kEarthE2 * sinphi * sinphi);
        dz = n * kEarthE2 * sinphi;
        len = std::sqrt(rho2 + (r[2] + dz) * (r[2] + dz));
        if (len < kTinyLength) break;
        sinphi = (r[2] + dz) / len;
    }
    lat = std::atan2(r[2] + dz, std::sqrt(rho2));
    height = len - n;
}

double SubSolarLatitude(double delta)
{
    return std::fabs(delta) < kPolarLatitude ? std::atan(std::tan(delta) * kGeocentricRatio)
                                             : delta;
}

double HorizonAngle(double h)
{
    return h > 0.0 ? std::acos(kEarthRadiusKm / (kEarthRadiusKm + h)) : 0.0;
}
