#include <gtest/gtest.h>

#include <cmath>

#include "propagation/attitude.h"

namespace {
// Row i of m as a vector; row 0 is the inertial direction of the requested yaw and pitch.
Vec3 row(const Mat3& m, int i) { return Vec3(m.at(i, 0), m.at(i, 1), m.at(i, 2)); }

void expectVec(const Vec3& a, const Vec3& b) { EXPECT_LT(abs(a - b), 1e-12) << a[0] << " " << a[1] << " " << a[2]; }

// Rows of unit length, mutually perpendicular and right-handed.
void expectRotation(const Mat3& m)
{
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(abs(row(m, i)), 1.0, 1e-12);
    expectVec(row(m, 0) * row(m, 1), row(m, 2));
}
}  // namespace

TEST(Attitude, DirectionsOnACircularOrbitInClimbingFlightAndDegenerateGeometry)
{
    // Prograde equatorial orbit: at +x moving toward +y (east), north is +z.
    const Vec3 r(7.0e6, 0, 0), v(0, 7.5e3, 0);
    const double h = std::sqrt(0.5);
    for (int mode : {1, 2}) {
        // Flying east with the belly to the Earth the right wing points south; yaw comes first,
        // so yaw 90, pitch 45 lies between south and up.
        expectVec(row(GetRVMat(r, v, 0, 90, mode), 0), Vec3(1, 0, 0));   // up
        expectVec(row(GetRVMat(r, v, 90, 45, mode), 0), Vec3(h, 0, -h));
        expectVec(row(GetRVMat(r, v, 0, 0, mode), 2), Vec3(-1, 0, 0));   // belly
        expectRotation(GetRVMat(r, v, 33, -71, mode));
    }
    // A velocity increment along the heading is M^T (dv, 0, 0).
    expectVec(mxvct(mxtrn(GetRVMat(r, v, 90, 0, 1)), Vec3(5, 0, 0)), Vec3(0, 0, -5));
    // Flight-path angle 30 degrees over the pole.
    const Vec3 rp(0, 0, 7.0e6), vp(1.0, 0, std::tan(M_PI / 6));
    expectVec(row(GetRVMat(rp, vp, 0, 0, 1), 0), vnorm(vp));
    expectVec(row(GetRVMat(rp, vp, 0, 0, 2), 0), Vec3(1, 0, 0));
    expectVec(row(GetRVMat(rp, vp, 0, 90, 2), 0), Vec3(0, 0, 1));
    // Mode 1 pitch 90 is perpendicular to the velocity and away from the Earth (lift).
    const Vec3 lift = row(GetRVMat(rp, vp, 0, 90, 1), 0);
    EXPECT_TRUE(std::fabs(dot(lift, vp)) < 1e-12 && dot(lift, rp) > 0.0);
    // Vertical flight, zero velocity, position at the origin, flight along the pole.
    const Vec3 cases[][2] = {{Vec3(7e6, 0, 0), Vec3(100, 0, 0)}, {Vec3(7e6, 0, 0), Vec3()},
                             {Vec3(), Vec3(0, 7e3, 0)}, {Vec3(0, 0, 7e6), Vec3(0, 0, -10)},
                             {Vec3(), Vec3()}};
    for (const auto& c : cases)
        for (int mode : {1, 2}) expectRotation(GetRVMat(c[0], c[1], 15, 25, mode));
    // Vertical ascent in mode 1 keeps the nose on the velocity.
    expectVec(row(GetRVMat(Vec3(7e6, 0, 0), Vec3(100, 0, 0), 0, 0, 1), 0), Vec3(1, 0, 0));
}
