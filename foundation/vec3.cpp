#include "foundation/vec3.h"

#include <cmath>

double atan20(double y, double x)
{
    return (y == 0.0 && x == 0.0) ? 0.0 : std::atan2(y, x);
}

double polarPhi(const Vec3& v)
{
    const double phi = atan20(v[1], v[0]);
    return phi < 0.0 ? phi + 2.0 * M_PI : phi;
}

double polarTheta(const Vec3& v) { return atan20(v[2], std::sqrt(v[0] * v[0] + v[1] * v[1])); }

Vec3 carpol(const Vec3& v) { return Vec3(abs(v), polarPhi(v), polarTheta(v)); }

Vec3 polcar(const Vec3& p)
{
    const double ct = std::cos(p[2]);
    return Vec3(p[0] * ct * std::cos(p[1]), p[0] * ct * std::sin(p[1]), p[0] * std::sin(p[2]));
}

void vcpy(const Vec3& v, double& pitch, double& yaw)
{
    pitch = atan20(-v[2], v[0]);
    yaw = atan20(v[1], std::sqrt(v[0] * v[0] + v[2] * v[2]));
}
