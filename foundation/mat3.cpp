#include "foundation/mat3.h"

#include <cmath>

namespace {
bool inRange(int i) { return i >= 1 && i <= 3; }
}

void Mat3::assign(double m11, double m12, double m13, double m21, double m22, double m23,
                  double m31, double m32, double m33)
{
    e_ = {m11, m12, m13, m21, m22, m23, m31, m32, m33};
}

void Mat3::assign(const double m[3][3])
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) at(i, j) = m[i][j];
}

void Mat3::PutMij(double value, int i, int j)
{
    if (inRange(i) && inRange(j)) at(i - 1, j - 1) = value;
}

double Mat3::GetMij(int i, int j) const
{
    return (inRange(i) && inRange(j)) ? at(i - 1, j - 1) : 0.0;
}

Mat3& Mat3::operator+=(const Mat3& b)
{
    for (int k = 0; k < 9; ++k) e_[k] += b.e_[k];
    return *this;
}

Mat3& Mat3::operator-=(const Mat3& b)
{
    for (int k = 0; k < 9; ++k) e_[k] -= b.e_[k];
    return *this;
}

Mat3& Mat3::operator*=(double s)
{
    for (double& x : e_) x *= s;
    return *this;
}

Mat3& Mat3::operator/=(double s)
{
    return *this *= (s < Vec3::kTinyDivisor ? 0.0 : 1.0 / s);
}

Mat3& Mat3::operator*=(const Mat3& b)
{
    *this = b * *this;
    return *this;
}

Mat3 mxcon(double c) { return Mat3(c); }

Mat3 mxidn()
{
    Mat3 m;
    for (int i = 0; i < 3; ++i) m.at(i, i) = 1.0;
    return m;
}

Mat3 operator+(const Mat3& a, const Mat3& b) { Mat3 r(a); return r += b; }
Mat3 operator-(const Mat3& a, const Mat3& b) { Mat3 r(a); return r -= b; }
Mat3 operator*(double s, const Mat3& m) { Mat3 r(m); return r *= s; }
Mat3 operator*(const Mat3& m, double s) { Mat3 r(m); return r *= s; }
Mat3 operator/(const Mat3& m, double s) { Mat3 r(m); return r /= s; }

Mat3 xrot(double a)
{
    const double c = std::cos(a), s = std::sin(a);
    Mat3 m;
    m.assign(1, 0, 0, 0, c, s, 0, -s, c);
    return m;
}

Mat3 yrot(double a)
{
    const double c = std::cos(a), s = std::sin(a);
    Mat3 m;
    m.assign(c, 0, -s, 0, 1, 0, s, 0, c);
    return m;
}

Mat3 zrot(double a)
{
    const double c = std::cos(a), s = std::sin(a);
    Mat3 m;
    m.assign(c, s, 0, -s, c, 0, 0, 0, 1);
    return m;
}
