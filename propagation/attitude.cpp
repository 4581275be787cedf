#include "propagation/attitude.h"

#include <algorithm>
#include <cmath>

#include "foundation/units.h"
#include "propagation/forcemodel.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kPi;
// Below this sine of the angle between two unit vectors they count as parallel.
constexpr double kParallel = 1e-10;

// Unit vector along a, or along fallback when a is (nearly) zero.
Vec3 unitOr(const Vec3& a, const Vec3& fallback)
{
    return abs(a) > 1e-30 ? vnorm(a) : fallback;
}

// Unit vector perpendicular to the unit vector x: x cross north, or x cross the x axis
// when x points at a pole.
Vec3 anyPerpendicular(const Vec3& x)
{
    const Vec3 w = x * Vec3(0, 0, 1);
    return abs(w) > kParallel ? vnorm(w) : vnorm(x * Vec3(1, 0, 0));
}

// Matrix whose rows are the vectors a, b, c.
Mat3 rows(const Vec3& a, const Vec3& b, const Vec3& c)
{
    Mat3 m;
    m.assign(a[0], a[1], a[2], b[0], b[1], b[2], c[0], c[1], c[2]);
    return m;
}
}  // namespace

Mat3 GetRVMat(const Vec3& r, const Vec3& v, double yaw, double pitch, int mode)
{
    const Vec3 up = unitOr(r, Vec3(0, 0, 1));
    const Vec3 nose = unitOr(v, anyPerpendicular(up));
    // Right wing = belly x nose with the belly toward the Earth's centre (-up).
    const Vec3 w = nose * up;
    const Vec3 right = abs(w) > kParallel ? vnorm(w) : anyPerpendicular(nose);
    const Vec3 belly = nose * right;
    Mat3 m = rows(nose, right, belly);
    if (mode == 2) {
        const double tilt = std::acos(std::clamp(dot(up, nose), -1.0, 1.0)) - 0.5 * kPi;
        m *= yrot(tilt);
    }
    m *= zrot(yaw * kDegToRad);
    m *= yrot(pitch * kDegToRad);
    return m;
}

Mat3 GetYSMat(const Vec3& r, const Vec3& v, double yaw, double pitch)
{
    // Normal of the ellipsoid through r: the gradient of x^2 + y^2 + (z/(1-f))^2.
    const double polar = (1.0 - kEarthFlattening) * (1.0 - kEarthFlattening);
    const Vec3 up(r[0], r[1], r[2] / polar);
    const Vec3 ground = v - Vec3(0.0, 0.0, kEarthRotation) * r;
    return GetRVMat(up, ground, yaw, pitch, 2);
}
