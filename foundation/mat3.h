// 3x3 matrices in double precision and the elementary frame rotations.
#pragma once
#include <array>

#include "foundation/vec3.h"

// Matrix of nine doubles stored row by row; element [i][j] is row i, column j.
class Mat3 {
public:
    Mat3() : Mat3(0.0) {}
    explicit Mat3(double c) { e_.fill(c); }
    void assign(double m11, double m12, double m13, double m21, double m22, double m23,
                double m31, double m32, double m33);
    void assign(const double m[3][3]);

    // Element (i, j) with 1-based indices; out of range: no effect / 0.
    void PutMij(double value, int i, int j);
    double GetMij(int i, int j) const;
    // Element (i, j) with 0-based indices, unchecked.
    double& at(int i, int j) { return e_[3 * i + j]; }
    double at(int i, int j) const { return e_[3 * i + j]; }

    Mat3& operator+=(const Mat3& b);
    Mat3& operator-=(const Mat3& b);
    Mat3& operator*=(double s);
    // Divides by s; a divisor below 1e-100 gives the zero matrix.
    Mat3& operator/=(double s);
    // PRE-multiplies: after A *= B, A holds B * A.
    Mat3& operator*=(const Mat3& b);

private:
    std::array<double, 9> e_;
};

Mat3 mxcon(double c);   // all elements c
Mat3 mxidn();           // identity
Mat3 mxtrn(const Mat3& m);
Mat3 operator+(const Mat3& a, const Mat3& b);
Mat3 operator-(const Mat3& a, const Mat3& b);
Mat3 operator*(double s, const Mat3& m);
Mat3 operator*(const Mat3& m, double s);
Mat3 operator/(const Mat3& m, double s);          // guarded division
Mat3 operator*(const Mat3& a, const Mat3& b);     // ordinary product a * b
Vec3 mxvct(const Mat3& m, const Vec3& v);         // m * v

// Frame rotations by angle a (radians): mxvct(zrot(a), v) gives v in a frame turned by +a.
Mat3 xrot(double a);
Mat3 yrot(double a);
Mat3 zrot(double a);

// The products are defined here so that they inline into the numerical loops.
inline Mat3 mxtrn(const Mat3& m)
{
    Mat3 t;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) t.at(i, j) = m.at(j, i);
    return t;
}

inline Mat3 operator*(const Mat3& a, const Mat3& b)
{
    Mat3 p;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            p.at(i, j) = a.at(i, 0) * b.at(0, j) + a.at(i, 1) * b.at(1, j) + a.at(i, 2) * b.at(2, j);
    return p;
}

inline Vec3 mxvct(const Mat3& m, const Vec3& v)
{
    Vec3 r;
    for (int i = 0; i < 3; ++i) r[i] = m.at(i, 0) * v[0] + m.at(i, 1) * v[1] + m.at(i, 2) * v[2];
    return r;
}
