#include "math/fixed.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

namespace {

TEST(FixedConversion, FromFloatTruncatesTowardZero) {
    EXPECT_EQ(FixedFromFloat(-0.00001f).raw, 0);
    EXPECT_EQ(FixedFromFloat(1e-6f).raw, 0);
    EXPECT_EQ(FixedFromFloat(-1.5f).raw, -98304);
    EXPECT_EQ(FixedFromFloat(1.0f).raw, 0x10000);
    // 0.1 × 65536 = 6553.6 and -6553.6: the fraction is dropped on both sides of zero.
    EXPECT_EQ(FixedFromFloat(0.1f).raw, 6553);
    EXPECT_EQ(FixedFromFloat(-0.1f).raw, -6553);
    // The product is taken in single precision: one float step below 1.0 keeps every bit.
    EXPECT_EQ(FixedFromFloat(0.99999994f).raw, 65535);
    EXPECT_EQ(FixedFromFloat(-32768.0f).raw, INT32_MIN);
    EXPECT_EQ(FixedFromFloat(32767.998f).raw, 2147483520);
}

TEST(FixedConversion, FromFloatOutOfRangeIsDefined) {
    EXPECT_EQ(FixedFromFloat(32768.0f).raw, INT32_MAX);
    EXPECT_EQ(FixedFromFloat(1e30f).raw, INT32_MAX);
    EXPECT_EQ(FixedFromFloat(-1e30f).raw, INT32_MIN);
    EXPECT_EQ(FixedFromFloat(std::numeric_limits<float>::infinity()).raw, INT32_MAX);
    EXPECT_EQ(FixedFromFloat(std::numeric_limits<float>::quiet_NaN()).raw, 0);
}

TEST(FixedConversion, IntAndFloatResults) {
    EXPECT_EQ(FixedFromInt(3).raw, 0x30000);
    EXPECT_EQ(FixedFromInt(-2).raw, -0x20000);
    EXPECT_EQ(FixedFromInt(0x18000).raw, static_cast<std::int32_t>(0x80000000u)); // high bits are lost
    EXPECT_EQ(FixedToInt(FixedFromFloat(-0.5f)), -1);
    EXPECT_EQ(FixedToInt(FixedFromFloat(1.99998f)), 1);
    EXPECT_EQ(FixedToInt(Fixed{-0x10000}), -1);
    EXPECT_EQ(FixedToFloat(Fixed{-98304}), -1.5f);
    EXPECT_EQ(FixedToFloat(Fixed{1}), 1.0f / 65536.0f);
    // 2^24 + 1 raw is not a float: it rounds to the nearest, 2^24, before the scaling.
    EXPECT_EQ(FixedToFloat(Fixed{0x1000001}), 256.0f);
    EXPECT_EQ(FixedToFloat(Fixed{0x1000003}), 0x1000004 / 65536.0f);
}

TEST(FixedArithmetic, AddSubtractNegateWrap) {
    EXPECT_EQ((Fixed{INT32_MAX} + Fixed{1}).raw, INT32_MIN);
    EXPECT_EQ((Fixed{INT32_MIN} - Fixed{1}).raw, INT32_MAX);
    EXPECT_EQ((-Fixed{INT32_MIN}).raw, INT32_MIN);
    EXPECT_EQ((-FixedOne).raw, -0x10000);
    Fixed f = FixedOne;
    f += FixedOne;
    f -= Fixed{1};
    EXPECT_EQ(f.raw, 0x1FFFF);
    EXPECT_EQ((Fixed{-3} >> 1).raw, -2); // arithmetic: the floor
    EXPECT_EQ((Fixed{0x40000001} << 2).raw, 4);
    EXPECT_TRUE(Fixed{-1} < Fixed{0});
    EXPECT_TRUE(Fixed{INT32_MAX} > Fixed{INT32_MIN});
    EXPECT_TRUE(FixedOne >= FixedOne);
    EXPECT_FALSE(Fixed{0} >= FixedOne);
}

TEST(FixedMul, FloorsTheProduct) {
    EXPECT_EQ(FixedMul(Fixed{-1}, Fixed{1}).raw, -1);
    EXPECT_EQ(FixedMul(Fixed{1}, Fixed{1}).raw, 0);
    EXPECT_EQ(FixedMul(FixedFromFloat(1.5f), FixedFromFloat(-2.0f)).raw, -0x30000);
    EXPECT_EQ(FixedMul(Fixed{INT32_MIN}, Fixed{INT32_MIN}).raw, 0);  // 2^46: the low 32 bits are 0
    EXPECT_EQ(FixedMul(Fixed{INT32_MIN}, -FixedOne).raw, INT32_MIN); // +32768.0 wraps
    for (std::int32_t x : {0, 1, -1, 12345, -98304, INT32_MAX, INT32_MIN}) {
        EXPECT_EQ(FixedMul(FixedOne, Fixed{x}).raw, x);
        EXPECT_EQ(FixedMul(Fixed{x}, FixedOne).raw, x);
    }
}

// floor(a·b / 65536) by integer division rounded down, wrapped to 32 bits.
std::int32_t exactFlooredProduct(std::int32_t a, std::int32_t b) {
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    std::int64_t q = p / 65536;
    if (p % 65536 != 0 && p < 0) {
        q -= 1;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(q)));
}

TEST(FixedMul, MatchesExactFloorOverRandomPairs) {
    std::mt19937 rng(20261209);
    const std::vector<std::int32_t> extremes = {
        0,       1,         -1,        0x10000,       -0x10000,      0x7FFF,     0x8000,     0xFFFF,
        -0x8000, INT32_MAX, INT32_MIN, INT32_MAX - 1, INT32_MIN + 1, 0x40000000, -0x40000000};
    auto pick = [&]() -> std::int32_t {
        const std::uint32_t r = rng();
        switch (r % 4) {
        case 0:
            return extremes[rng() % extremes.size()];
        case 1:
            return static_cast<std::int32_t>(rng()) >> (rng() % 31); // any magnitude
        default:
            return static_cast<std::int32_t>(rng());
        }
    };
    for (int i = 0; i < 1000000; ++i) {
        const std::int32_t a = pick(), b = pick();
        ASSERT_EQ(FixedMul(Fixed{a}, Fixed{b}).raw, exactFlooredProduct(a, b)) << a << " * " << b;
    }
}

} // namespace
