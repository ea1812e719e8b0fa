#include "art/icon.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// At every size: a rounded square (clear corners, opaque middle) with the white wings of the emblem
// across most of it, inside the square and about centred.
TEST(Icon, IsTheEmblemOnARoundedSquareAtEverySize) {
    for (const int size : {48, 256}) {
        const art::Image icon = art::paintIcon(size);
        ASSERT_EQ(icon.width(), size);
        ASSERT_EQ(icon.height(), size);
        EXPECT_LT(icon.at(0, 0).a, 0.05f) << size;
        EXPECT_LT(icon.at(size - 1, size - 1).a, 0.05f) << size;
        EXPECT_GT(icon.at(size / 2, size - size / 10).a, 0.99f) << size;
        int white = 0;
        int left = size;
        int right = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const art::Colour& c = icon.at(x, y);
                if (c.r > 0.95f && c.g > 0.95f && c.b > 0.95f && c.a > 0.95f) {
                    ++white;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        EXPECT_GT(white, size * size / 20) << size;
        EXPECT_GT(left, size / 20) << size;
        EXPECT_LT(right, size - size / 20) << size;
        EXPECT_NEAR(left + right, size, size / 10) << size;
    }
}

} // namespace
