#include "math/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

Fixed deg(float d) {
    return FixedFromFloat(d);
}

TEST(FixedSin, KnownValues) {
    EXPECT_EQ(FixedSin(deg(0)).raw, 0);
    EXPECT_EQ(FixedSin(deg(30)).raw, 32767);
    EXPECT_EQ(FixedSin(deg(90)).raw, 65534);
    EXPECT_EQ(FixedSin(deg(270)).raw, -65534);
    EXPECT_EQ(FixedSin(deg(-90)).raw, -65534);
    EXPECT_EQ(FixedSin(deg(720)).raw, 0);
    EXPECT_EQ(FixedSin(deg(1)).raw, 1144);
    EXPECT_EQ(FixedCos(deg(0)).raw, 65534);
    EXPECT_EQ(FixedCos(deg(90)).raw, 0);
    EXPECT_EQ(FixedSin(deg(180)).raw, 0);
    // An angle on a segment boundary is the end of the lower segment, one below the next row's start.
    EXPECT_EQ(FixedSin(deg(45)).raw, 46339);
    EXPECT_EQ(FixedSin(Fixed{(45 << 16) + 1}).raw, 46340);
    EXPECT_EQ(FixedSin(deg(22.5f)).raw, 25078);
    // The range reduction reaches the extremes of the Fixed range.
    EXPECT_EQ(FixedSin(Fixed{INT32_MAX}).raw, FixedSin(Fixed{INT32_MAX - (91 * 360 << 16)}).raw);
    EXPECT_EQ(FixedSin(Fixed{INT32_MIN}).raw, FixedSin(Fixed{INT32_MIN + (91 * 360 << 16)}).raw);
    EXPECT_EQ(FixedCos(Fixed{INT32_MAX}).raw, FixedSin(Fixed{INT32_MIN + (90 << 16) - 1}).raw);
}

TEST(FixedSin, TableRowsStartAtTheTruncatedSine) {
    for (int k = 0; k < 16; ++k) {
        const double exact = std::sin(5.625 * k * std::numbers::pi / 180.0) * 65536.0;
        EXPECT_EQ(sineTable[k][0], static_cast<std::int32_t>(exact)) << "row " << k;
    }
    EXPECT_EQ(sineTable[15][1], 630);
    EXPECT_EQ(sineTable[15][2], -315);
    EXPECT_EQ(sineTable[0][2], -15);
}

TEST(FixedSin, WithinFourRawUnitsOverADenseSweep) {
    // From -720 to +1080 degrees in steps of 13 raw units. The integer result is within 4 of the rounded
    // 65536·sin, so within 4.5 of the exact value.
    double worst = 0;
    for (std::int64_t a = -720LL << 16; a <= 1080LL << 16; a += 13) {
        const Fixed angle{static_cast<std::int32_t>(a)};
        const double exact = 65536.0 * std::sin(static_cast<double>(a) / 65536.0 * std::numbers::pi / 180.0);
        const double error = std::abs(FixedSin(angle).raw - exact);
        worst = std::max(worst, error);
        ASSERT_LE(error, 4.5) << "angle raw " << a;
    }
    EXPECT_GT(worst, 2.0); // the sweep did reach the peaks, where the result is 65534
}

} // namespace
