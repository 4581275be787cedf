#include <gtest/gtest.h>

#include <cmath>

#include "foundation/mat3.h"

namespace {
void expectVecNear(const Vec3& a, const Vec3& b, double tol)
{
    for (unsigned i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], tol) << "component " << i;
}
}  // namespace

TEST(Vectors, GuardedArctangentAndPolarRanges)
{
    EXPECT_EQ(atan20(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(atan20(0, -1), M_PI);

    const Vec3 west = carpol(Vec3(0, -1, 0));
    EXPECT_DOUBLE_EQ(west[1], 1.5 * M_PI);
    expectVecNear(carpol(Vec3()), Vec3(0, 0, 0), 0);

    // Round trip through polar form, including a southern direction.
    const Vec3 v(-3, 4, -12);
    const Vec3 p = carpol(v);
    EXPECT_DOUBLE_EQ(p[0], 13.0);
    EXPECT_GE(p[1], 0.0);
    EXPECT_LT(p[2], 0.0);
    expectVecNear(polcar(p), v, 1e-12);
}

TEST(Matrices, RotationsTurnTheFrame)
{
    // Turning the frame by +90 degrees about z puts the old +y axis on the new +x axis.
    expectVecNear(mxvct(zrot(M_PI / 2), Vec3(0, 1, 0)), Vec3(1, 0, 0), 1e-15);
    expectVecNear(mxvct(xrot(M_PI / 2), Vec3(0, 0, 1)), Vec3(0, 1, 0), 1e-15);
    expectVecNear(mxvct(yrot(M_PI / 2), Vec3(1, 0, 0)), Vec3(0, 0, 1), 1e-15);
    // Rotations are orthogonal: R^T R = I.
    const Mat3 r = zrot(0.3) * xrot(-1.1) * yrot(2.0);
    const Mat3 i = mxtrn(r) * r;
    for (int k = 1; k <= 3; ++k)
        for (int j = 1; j <= 3; ++j) EXPECT_NEAR(i.GetMij(k, j), k == j ? 1.0 : 0.0, 1e-15);

    double pitch, yaw;
    vcpy(Vec3(0, 0, -1), pitch, yaw);
    EXPECT_DOUBLE_EQ(pitch, M_PI / 2);
    EXPECT_DOUBLE_EQ(yaw, 0.0);
}
