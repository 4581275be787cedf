#include "foundation/vec3.h"

#include <cmath>

namespace {
// Divisors below this are treated as zero: the quotient becomes zero.
constexpr double kTinyDivisor = 1e-100;
}

double atan20(double y, double x)
{
    return (y == 0.0 && x == 0.0) ? 0.0 : std::atan2(y, x);
}

Vec3& Vec3::operator+=(const Vec3& b)
{
    for (unsigned i = 0; i < 3; ++i) c_[i] += b[i];
    return *this;
}

Vec3& Vec3::operator-=(const Vec3& b)
{
    for (unsigned i = 0; i < 3; ++i) c_[i] -= b[i];
    return *this;
}

Vec3& Vec3::operator*=(double s)
{
    for (double& x : c_) x *= s;
    return *this;
}

Vec3& Vec3::operator/=(double s)
{
    return *this *= (s < kTinyDivisor ? 0.0 : 1.0 / s);
}

Vec3& Vec3::operator*=(const Vec3& b)
{
    *this = *this * b;
    return *this;
}

double abs(const Vec3& v) { return std::sqrt(dot(v, v)); }

double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vec3 operator+(const Vec3& a, const Vec3& b) { Vec3 r(a); return r += b; }
Vec3 operator-(const Vec3& a, const Vec3& b) { Vec3 r(a); return r -= b; }
Vec3 operator-(const Vec3& a) { return Vec3(-a[0], -a[1], -a[2]); }
Vec3 operator*(double s, const Vec3& v) { Vec3 r(v); return r *= s; }
Vec3 operator*(const Vec3& v, double s) { Vec3 r(v); return r *= s; }
Vec3 operator/(const Vec3& v, double s) { Vec3 r(v); return r /= s; }

Vec3 operator*(const Vec3& a, const Vec3& b)
{
    return Vec3(a[1] * b[2] - a[2] * b[1],
                a[2] * b[0] - a[0] * b[2],
                a[0] * b[1] - a[1] * b[0]);
}

Vec3 vnorm(const Vec3& v) { return v / abs(v); }

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
