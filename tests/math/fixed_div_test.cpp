#include "math/fixed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

Fixed fx(float f) {
    return FixedFromFloat(f);
}

TEST(FixedDiv, KnownQuotients) {
    EXPECT_EQ(FixedDiv(fx(1.0f), fx(3.0f)).raw, 21845);
    EXPECT_EQ(FixedDiv(fx(1.0f), fx(2.0f)).raw, 32768);
    EXPECT_EQ(FixedDiv(fx(640.0f), fx(480.0f)).raw, 87385); // not the exact 87381
    EXPECT_EQ(FixedDiv(fx(5.0f), fx(-2.0f)).raw, -163840);
    EXPECT_EQ(FixedDiv(fx(-5.0f), fx(-2.0f)).raw, 163840);
    EXPECT_EQ(FixedDiv(fx(100.0f), fx(3.0f)).raw, 2184550);
    EXPECT_EQ(FixedDiv(fx(1.0f), fx(1.0f)).raw, 0x10000);
}

TEST(FixedDiv, DegenerateDivisorsReturnTheDividend) {
    EXPECT_EQ(FixedDiv(fx(7.0f), Fixed{0}).raw, 7 * 0x10000);
    EXPECT_EQ(FixedDiv(Fixed{-12345}, Fixed{0}).raw, -12345);
    EXPECT_EQ(FixedDiv(fx(7.0f), Fixed{INT32_MIN}).raw, 7 * 0x10000);
}

TEST(FixedDiv, OutOfRangeQuotientsWrap) {
    // 1.0 / (1 raw) = 65536.0: the shift by 16 pushes every bit out.
    EXPECT_EQ(FixedDiv(fx(1.0f), Fixed{1}).raw, 0);
    // 3.0 / (1 raw) = 196608.0, whose low 32 bits of raw value are 0 too; 1 raw / 1 raw is 1.0.
    EXPECT_EQ(FixedDiv(fx(3.0f), Fixed{1}).raw, 0);
    EXPECT_EQ(FixedDiv(Fixed{1}, Fixed{1}).raw, 0x10000);
    // The largest divisor magnitudes still divide: n = -14.
    EXPECT_NEAR(FixedDiv(Fixed{INT32_MAX}, Fixed{INT32_MAX}).raw, 0x10000, 4);
    EXPECT_NEAR(FixedDiv(Fixed{INT32_MAX}, Fixed{-INT32_MAX}).raw, -0x10000, 4);
}

TEST(FixedDiv, TableEnds) {
    EXPECT_EQ(reciprocalTable[0], 131072);
    EXPECT_EQ(reciprocalSquareTable[0], 131072);
    EXPECT_EQ(reciprocalTable[255], 65664);
    EXPECT_EQ(reciprocalSquareTable[255], 32896);
    // 512/384 = 1.3333334f: 87381.34 and 1.7777779f × 32768 = 58254.22.
    EXPECT_EQ(reciprocalTable[128], 87381);
    EXPECT_EQ(reciprocalSquareTable[128], 58254);
}

TEST(FixedDiv, ReciprocalStepIsWithinItsStatedError) {
    // 1.0 / (m × 2) for every normalised mantissa m: no shift, so the table step's own error shows.
    double lowest = 0, highest = 0;
    for (std::int32_t m = 0x8000; m <= 0xFFFF; ++m) {
        const double exact = 0.5 / (m / 65536.0) * 65536.0;
        const double error = FixedDiv(Fixed{0x10000}, Fixed{2 * m}).raw - exact;
        lowest = std::min(lowest, error);
        highest = std::max(highest, error);
        ASSERT_LE(std::abs(error) / exact, 5.41e-5) << m;
    }
    EXPECT_GE(lowest, -1.7);
    EXPECT_LE(highest, 1.9);
}

TEST(FixedDiv, WithinRelativeErrorOverRandomOperands) {
    std::mt19937 rng(7);
    int checked = 0;
    for (int i = 0; i < 1000000; ++i) {
        const std::int32_t a = static_cast<std::int32_t>(rng()) >> (rng() % 31);
        const std::int32_t b = static_cast<std::int32_t>(rng()) >> (rng() % 31);
        if (b == 0 || b == INT32_MIN) {
            continue;
        }
        const double exact = static_cast<double>(a) / b * 65536.0;
        // The relative error of the reciprocal, and for divisors of 1.0 or more the cut of |b| to 16
        // significant bits (up to 2^-15 more); then the floors of the product and of the shift, the
        // product's scaled by the shift back, which is at most 2^17 / |b|.
        const double relative = std::abs(b) < 0x10000 ? 5.41e-5 : 8.46e-5;
        const double slack = relative * std::abs(exact) + std::max(1.0, 131072.0 / std::abs(b)) + 1.0;
        // Quotients that the error may carry out of range wrap, as intended; they are not compared.
        if (std::abs(exact) + slack >= 2147483648.0) {
            continue;
        }
        const double got = FixedDiv(Fixed{a}, Fixed{b}).raw;
        ASSERT_LE(std::abs(got - exact), slack) << a << " / " << b;
        ++checked;
    }
    EXPECT_GT(checked, 500000);
}

} // namespace
