// The four key paths: closure, first keys, orthonormal frames, lap length and the cars' weave.
#include "world_test_support.h"

#include <gtest/gtest.h>

TEST(WorldKeyPaths, ClosedLoopsStartingAtTheOriginWithOrthonormalFrames) {
    const float identity[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    for (int p = 0; p < kKeyPathCount; ++p) {
        ASSERT_EQ(keyPaths[p].count, 1749u);
        EXPECT_EQ(keyPaths[p].reserved[0] | keyPaths[p].reserved[1] | keyPaths[p].reserved[2], 0u);
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(keyOf(p, 0)[i], identity[i]) << "path " << p;
            EXPECT_NEAR(keyOf(p, 1750)[i], keyOf(p, 0)[i], 1e-4) << "path " << p;
        }
        // Key 1749 closes the gap from key 1748 to key 0, halfway between them.
        const double before = lengthP(sub(keyPosition(p, 1749), keyPosition(p, 1748)));
        const double after = lengthP(sub(keyPosition(p, 0), keyPosition(p, 1749)));
        EXPECT_NEAR(before, after, 1e-3) << "path " << p;
        EXPECT_LT(before, 0.6) << "path " << p;
        for (int k = 0; k < static_cast<int>(kPathStoredKeys); ++k) {
            const float* m = keyOf(p, k);
            const P3 x{m[0], m[1], m[2]}, y{m[3], m[4], m[5]}, z{m[6], m[7], m[8]};
            ASSERT_NEAR(lengthP(x), 1.0, 1e-4) << p << " " << k;
            ASSERT_NEAR(lengthP(y), 1.0, 1e-4) << p << " " << k;
            ASSERT_NEAR(lengthP(z), 1.0, 1e-4) << p << " " << k;
            ASSERT_NEAR(dotP(x, y), 0.0, 1e-4);
            ASSERT_NEAR(dotP(y, z), 0.0, 1e-4);
            ASSERT_NEAR(dotP(x, z), 0.0, 1e-4);
            // Right-handed: x = y cross z, and the car travels along its own -z towards the next key.
            const P3 c = crossP(y, z);
            ASSERT_NEAR(dotP(c, x), 1.0, 1e-4);
            if (k < 1750) {
                const P3 step = sub(keyPosition(p, k + 1), keyPosition(p, k));
                ASSERT_LT(dotP(step, z), 0.0) << p << " " << k;
            }
        }
    }
    const float* key1 = keyOf(1, 1);
    EXPECT_EQ(key1[9], 0.0026f);
    EXPECT_EQ(key1[10], 0.0f);
    EXPECT_EQ(key1[11], -0.8735f);
}

TEST(WorldKeyPaths, LapLengthSpacingAndWeave) {
    double lap = 0.0, shortest = 1e9, longest = 0.0;
    for (int k = 0; k < 1749; ++k) {
        const double step = lengthP(sub(keyPosition(0, (k + 1) % 1749), keyPosition(0, k)));
        lap += step;
        shortest = std::min(shortest, step);
        longest = std::max(longest, step);
    }
    EXPECT_GE(lap, 1900.0);
    EXPECT_LE(lap, 1940.0);
    EXPECT_GT(shortest, 0.5);
    EXPECT_LT(longest, 1.8);
    // The spacing changes smoothly from key to key.
    for (int k = 1; k < 1748; ++k) {
        const double a = lengthP(sub(keyPosition(0, k), keyPosition(0, k - 1)));
        const double b = lengthP(sub(keyPosition(0, k + 1), keyPosition(0, k)));
        ASSERT_NEAR(a, b, 0.02) << k;
    }
    // Cars weave round the line by up to about 2 units, at road height.
    for (int p = 1; p < 4; ++p) {
        double widest = 0.0;
        for (int k = 0; k < 1749; ++k) {
            const P3 car = keyPosition(p, k);
            EXPECT_EQ(car.y, 0.0f);
            const double d = distanceToLine(car, std::max(0, k - 5), std::min(1749, k + 5));
            widest = std::max(widest, d);
        }
        EXPECT_LE(widest, 2.05) << p;
        EXPECT_GE(widest, 1.0) << p;
    }
}
