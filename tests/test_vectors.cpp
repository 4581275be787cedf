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
