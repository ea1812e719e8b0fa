// The ray-triangle test: hits inside, on edges and behind the origin; misses outside and parallel; and
// the rounding that can leave a point on an edge shared by two triangles outside both.
#include <gtest/gtest.h>

#include "math/ray_triangle.h"

namespace {

constexpr Fixed kOne{0x10000};

FixedVec4 vec(float x, float y, float z) {
    return {FixedFromFloat(x), FixedFromFloat(y), FixedFromFloat(z), Fixed{0}};
}

TEST(IntersectTriangleTest, HitsInsideOnEdgesAndBehindTheOrigin) {
    const FixedVec4 v0 = vec(0, 0, 0), v1 = vec(1, 0, 0), v2 = vec(0, 0, 1);
    const FixedVec4 down = vec(0, -1, 0);
    Fixed t{}, u{}, v{};

    ASSERT_TRUE(intersectTriangle(vec(0.25f, 1, 0.25f), down, v0, v1, v2, t, u, v));
    EXPECT_EQ(t, kOne);
    EXPECT_EQ(u.raw, 0x4000);
    EXPECT_EQ(v.raw, 0x4000);

    // An origin below the plane meets it behind: t is negative, the point is the same.
    const FixedVec4 below = vec(0.25f, -0.5f, 0.25f);
    ASSERT_TRUE(intersectTriangle(below, down, v0, v1, v2, t, u, v));
    EXPECT_EQ(t.raw, -0x8000);
    EXPECT_EQ((below.y + FixedMul(t, down.y)).raw, 0);

    // A vertex is a hit: u = 1.0, v = 0.
    ASSERT_TRUE(intersectTriangle(vec(1, 1, 0), down, v0, v1, v2, t, u, v));
    EXPECT_EQ(u, kOne);
    EXPECT_EQ(v.raw, 0);
    // So are the edges u = 0, v = 0 and u + v = 1.0.
    EXPECT_TRUE(intersectTriangle(vec(0, 1, 0.5f), down, v0, v1, v2, t, u, v));
    EXPECT_EQ(u.raw, 0);
    EXPECT_TRUE(intersectTriangle(vec(0.5f, 1, 0), down, v0, v1, v2, t, u, v));
    EXPECT_EQ(v.raw, 0);
    EXPECT_TRUE(intersectTriangle(vec(0.5f, 1, 0.5f), down, v0, v1, v2, t, u, v));
    EXPECT_EQ((u + v), kOne);
}

TEST(IntersectTriangleTest, MissesOutsideAndParallel) {
    const FixedVec4 v0 = vec(0, 0, 0), v1 = vec(1, 0, 0), v2 = vec(0, 0, 1);
    const FixedVec4 down = vec(0, -1, 0);
    Fixed t{0x1234}, u{}, v{};
    EXPECT_FALSE(intersectTriangle(vec(0.6f, 1, 0.6f), down, v0, v1, v2, t, u, v));  // u + v = 1.2
    EXPECT_FALSE(intersectTriangle(vec(-0.1f, 1, 0.5f), down, v0, v1, v2, t, u, v)); // u < 0
    EXPECT_FALSE(intersectTriangle(vec(1.5f, 1, 0), down, v0, v1, v2, t, u, v));     // u > 1
    EXPECT_FALSE(intersectTriangle(vec(0.5f, 1, -0.1f), down, v0, v1, v2, t, u, v)); // v < 0
    EXPECT_EQ(t.raw, 0x1234); // t is written on hits only

    // A vertical triangle and a vertical ray: determinant 0.
    const FixedVec4 w0 = vec(0, 0, 0), w1 = vec(1, 0, 0), w2 = vec(0, 1, 0);
    EXPECT_FALSE(intersectTriangle(vec(0.25f, 1, 0), down, w0, w1, w2, t, u, v));
}

TEST(IntersectTriangleTest, APointOnASharedEdgeCanRoundOutOfBothTriangles) {
    // Two road triangles sharing the diagonal from a to c, and a wheel's downward probe a few raw units
    // from that diagonal: every product is floored, so u comes out -1 in one triangle and v -2 in the
    // other, and neither is met. The road's triangles overlap their neighbours to leave no such crack.
    const FixedVec4 a = vec(-5.1906f, -0.1f, -6.3634f), b = vec(5.7713f, -0.1f, -5.4487f);
    const FixedVec4 c = vec(6.049f, -0.1f, -8.2053f), d = vec(-4.8756f, -0.1f, -9.491f);
    const FixedVec4 down{Fixed{0}, Fixed{-6788}, Fixed{0}, Fixed{0}};
    const FixedVec4 probe{Fixed{46333}, Fixed{-557}, Fixed{-480367}, Fixed{0}};
    Fixed t{}, u{}, v{};
    EXPECT_FALSE(intersectTriangle(probe, down, a, b, c, t, u, v));
    EXPECT_EQ(u.raw, -1);
    EXPECT_FALSE(intersectTriangle(probe, down, a, c, d, t, u, v));
    EXPECT_EQ(v.raw, -2);
    // Moved two raw units across the diagonal it is met again.
    const FixedVec4 across{Fixed{46333}, Fixed{-557}, Fixed{-480363}, Fixed{0}};
    EXPECT_TRUE(intersectTriangle(across, down, a, b, c, t, u, v) ||
                intersectTriangle(across, down, a, c, d, t, u, v));
}

} // namespace
