#include "foundation/vec3.h"

#include <cmath>

double atan20(double y, double x)
{
    return (y == 0.0 && x == 0.0) ? 0.0 : std::atan2(y, x);
}

Vec3 carpol(const Vec3& v)
{
    double phi = atan20(v[1], v[0]);
    if (phi < 0.0) phi += 2.0 * M_PI;
    const double rho = std::sqrt(v[0] * v[0] + v[1] * v[1]);
    return Vec3(abs(v), phi, atan20(v[2], rho));
}

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
