// Three-vectors in double precision, with polar/Cartesian conversion.
#pragma once
#include <array>
#include <cmath>

// atan2 that returns 0 when both arguments are exactly 0.
double atan20(double y, double x);

// Vector of three doubles (x, y, z). Polar vectors hold (r, phi, theta).
class Vec3 {
public:
    // Divisors below this are treated as zero by the guarded divisions: the quotient becomes zero.
    static constexpr double kTinyDivisor = 1e-100;

    Vec3() : c_{0.0, 0.0, 0.0} {}
    Vec3(double x, double y, double z) : c_{x, y, z} {}
    void assign(double x, double y, double z) { c_ = {x, y, z}; }

    // Component i; an index above 2 gives component 0.
    double& operator[](unsigned i) { return c_[i < 3 ? i : 0]; }
    double operator[](unsigned i) const { return c_[i < 3 ? i : 0]; }

    Vec3& operator+=(const Vec3& b);
    Vec3& operator-=(const Vec3& b);
    Vec3& operator*=(double s);
    // Divides by s; a divisor below 1e-100 gives the zero vector.
    Vec3& operator/=(double s);
    // Replaces this vector by the cross product this x b.
    Vec3& operator*=(const Vec3& b);

private:
    std::array<double, 3> c_;
};

double abs(const Vec3& v);                       // Euclidean length
double dot(const Vec3& a, const Vec3& b);        // scalar product
Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a);
Vec3 operator*(double s, const Vec3& v);
Vec3 operator*(const Vec3& v, double s);
Vec3 operator/(const Vec3& v, double s);         // guarded division
Vec3 operator*(const Vec3& a, const Vec3& b);    // cross product a x b
Vec3 vnorm(const Vec3& v);                       // unit vector; zero for |v| < 1e-100

// Polar (r, phi in [0, 2pi), theta in [-pi/2, pi/2]) of a Cartesian vector.
Vec3 carpol(const Vec3& v);
// Its angles alone: phi (radians, [0, 2pi)), from v's x and y only, and theta (radians).
double polarPhi(const Vec3& v);
double polarTheta(const Vec3& v);
// Cartesian vector of polar (r, phi, theta).
Vec3 polcar(const Vec3& p);

// Pitch and yaw (radians) that turn the +x axis onto v.
void vcpy(const Vec3& v, double& pitch, double& yaw);

// The small operations are defined here so that they inline into the numerical loops.
inline Vec3& Vec3::operator+=(const Vec3& b)
{
    for (unsigned i = 0; i < 3; ++i) c_[i] += b[i];
    return *this;
}

inline Vec3& Vec3::operator-=(const Vec3& b)
{
    for (unsigned i = 0; i < 3; ++i) c_[i] -= b[i];
    return *this;
}

inline Vec3& Vec3::operator*=(double s)
{
    for (double& x : c_) x *= s;
    return *this;
}

inline Vec3& Vec3::operator/=(double s) { return *this *= (s < kTinyDivisor ? 0.0 : 1.0 / s); }

inline double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline double abs(const Vec3& v) { return std::sqrt(dot(v, v)); }
inline Vec3 operator+(const Vec3& a, const Vec3& b) { Vec3 r(a); return r += b; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { Vec3 r(a); return r -= b; }
inline Vec3 operator-(const Vec3& a) { return Vec3(-a[0], -a[1], -a[2]); }
inline Vec3 operator*(double s, const Vec3& v) { Vec3 r(v); return r *= s; }
inline Vec3 operator*(const Vec3& v, double s) { Vec3 r(v); return r *= s; }
inline Vec3 operator/(const Vec3& v, double s) { Vec3 r(v); return r /= s; }

inline Vec3 operator*(const Vec3& a, const Vec3& b)
{
    return Vec3(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
}

inline Vec3& Vec3::operator*=(const Vec3& b)
{
    *this = *this * b;
    return *this;
}

inline Vec3 vnorm(const Vec3& v) { return v / abs(v); }
