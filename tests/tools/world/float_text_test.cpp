// Float text in the generated sources reads back as exactly the float written.
#include "world/float_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

TEST(WorldFloatText, LiteralsReadBackExactly) {
    const float values[] = {0.0f,     1.0f,  -12.0f,        0.5f,        0.1f,
                            -0.8735f, 1e-5f, 3.4028235e38f, -212.70284f, 1.0f / 3.0f};
    for (float v : values) {
        const std::string text = world::floatLiteral(v);
        ASSERT_EQ(text.back(), 'f') << text;
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), v) << text;
    }
    EXPECT_EQ(world::floatLiteral(2.0f), "2.0f");
    EXPECT_EQ(world::floatLiteral(-0.25f), "-0.25f");
}

TEST(WorldFloatText, QuantiseRoundsToTheStepWithoutNegativeZero) {
    EXPECT_EQ(world::quantise(0.123456, 1e-4), 0.1235f);
    EXPECT_EQ(world::quantise(-0.00004, 1e-4), 0.0f);
    EXPECT_FALSE(std::signbit(world::quantise(-0.00004, 1e-4)));
    EXPECT_EQ(world::quantise(-212.702838, 1e-4), -212.7028f);
}
