#include <gtest/gtest.h>

#include <cmath>

#include "core/attitude.h"

namespace {
// First row of m: the inertial direction of the requested yaw and pitch.
Vec3 heading(const Mat3& m)
{
    return Vec3(m.at(0, 0), m.at(0, 1), m.at(0, 2));
}

void expectVec(const Vec3& a, const Vec3& b, double tol)
{
    for (unsigned i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], tol) << "component " << i;
}

void expectOrthonormal(const Mat3& m)
{
    const Mat3 p = m * mxtrn(m);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(p.at(i, j), i == j ? 1.0 : 0.0, 1e-12);
}
}  // namespace

TEST(Attitude, DirectionsOnACircularEquatorialOrbit)
{
    // Prograde equatorial orbit: at +x moving toward +y (east), north is +z.
    const Vec3 r(7.0e6, 0, 0), v(0, 7.5e3, 0);
    for (int mode : {1, 2}) {
        expectVec(heading(GetRVMat(r, v, 0, 0, mode)), Vec3(0, 1, 0), 1e-12);
        expectVec(heading(GetRVMat(r, v, 0, 90, mode)), Vec3(1, 0, 0), 1e-12);   // up
        expectVec(heading(GetRVMat(r, v, 0, -90, mode)), Vec3(-1, 0, 0), 1e-12); // down
        // Flying east with the belly to the Earth, the right wing points south.
        expectVec(heading(GetRVMat(r, v, 90, 0, mode)), Vec3(0, 0, -1), 1e-12);
        expectVec(heading(GetRVMat(r, v, 180, 0, mode)), Vec3(0, -1, 0), 1e-12);
        // Yaw first, then pitch: yaw 90, pitch 45 lies between south and up.
        const double h = std::sqrt(0.5);
        expectVec(heading(GetRVMat(r, v, 90, 45, mode)), Vec3(h, 0, -h), 1e-12);
        expectOrthonormal(GetRVMat(r, v, 33, -71, mode));
        // The third row is the belly, toward the Earth's centre.
        const Mat3 m = GetRVMat(r, v, 0, 0, mode);
        expectVec(Vec3(m.at(2, 0), m.at(2, 1), m.at(2, 2)), Vec3(-1, 0, 0), 1e-12);
    }
    // A velocity increment along the heading is M^T (dv, 0, 0).
    expectVec(mxvct(mxtrn(GetRVMat(r, v, 90, 0, 1)), Vec3(5, 0, 0)), Vec3(0, 0, -5), 1e-12);
}

TEST(Attitude, ClimbingFlightFollowsVelocityOrHorizon)
{
    // Flight-path angle 30 degrees: the velocity leans up from the local horizontal.
    const Vec3 r(0, 0, 7.0e6), v(1.0, 0, std::tan(M_PI / 6));
    const Vec3 along = vnorm(v);
    expectVec(heading(GetRVMat(r, v, 0, 0, 1)), along, 1e-12);
    expectVec(heading(GetRVMat(r, v, 0, 0, 2)), Vec3(1, 0, 0), 1e-12);
    // Mode 1 pitch 90 is perpendicular to the velocity and away from the Earth (lift).
    const Vec3 lift = heading(GetRVMat(r, v, 0, 90, 1));
    EXPECT_NEAR(dot(lift, along), 0.0, 1e-12);
    EXPECT_GT(dot(lift, r), 0.0);
    expectVec(heading(GetRVMat(r, v, 0, 90, 2)), Vec3(0, 0, 1), 1e-12);
    expectOrthonormal(GetRVMat(r, v, -20, 10, 2));
}

TEST(Attitude, DegenerateGeometryStillGivesARotation)
{
    // Vertical flight, zero velocity, position at the origin, flight along the pole.
    const Vec3 cases[][2] = {{Vec3(7e6, 0, 0), Vec3(100, 0, 0)},
                             {Vec3(7e6, 0, 0), Vec3()},
                             {Vec3(), Vec3(0, 7e3, 0)},
                             {Vec3(0, 0, 7e6), Vec3(0, 0, -10)},
                             {Vec3(), Vec3()}};
    for (const auto& c : cases) {
        for (int mode : {1, 2}) {
            const Mat3 m = GetRVMat(c[0], c[1], 15, 25, mode);
            expectOrthonormal(m);
            EXPECT_NEAR(m.at(0, 0) * (m.at(1, 1) * m.at(2, 2) - m.at(1, 2) * m.at(2, 1)) -
                            m.at(0, 1) * (m.at(1, 0) * m.at(2, 2) - m.at(1, 2) * m.at(2, 0)) +
                            m.at(0, 2) * (m.at(1, 0) * m.at(2, 1) - m.at(1, 1) * m.at(2, 0)),
                        1.0, 1e-12);
        }
    }
    // Vertical ascent in mode 1 keeps the nose on the velocity.
    expectVec(heading(GetRVMat(Vec3(7e6, 0, 0), Vec3(100, 0, 0), 0, 0, 1)), Vec3(1, 0, 0), 1e-12);
}
