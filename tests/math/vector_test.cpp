#include "math/vector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

TEST(FixedVec4, IndexAddressesComponentsInOrderAndClearZeroes) {
    FixedVec4 v{Fixed{1}, Fixed{2}, Fixed{3}, Fixed{4}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[i].raw, i + 1);
    }
    v[2] = Fixed{-7};
    EXPECT_EQ(v.z.raw, -7);
    v.clear();
    EXPECT_EQ(v.x.raw | v.y.raw | v.z.raw | v.w.raw, 0);
}

TEST(Vec3Dot, SumsZThenYThenX) {
    // x·x = 1 and y·y = z·z = 2^-24: summed z first the two small terms survive as 2^-23, summed x first
    // each would be lost to rounding.
    const float small = std::ldexp(1.0f, -12);
    const FloatVec3 a{1.0f, small, small};
    EXPECT_EQ(Vec3Dot(a, a), 1.0f + std::ldexp(1.0f, -23));
    EXPECT_EQ(Vec3Dot(FloatVec3{1, 2, 3}, FloatVec3{4, -5, 6}), 12.0f);
}

TEST(Vec3Cross, RightHandedAndSafeInPlace) {
    FloatVec3 out{};
    Vec3Cross(out, FloatVec3{1, 0, 0}, FloatVec3{0, 1, 0});
    EXPECT_EQ(out.x, 0.0f);
    EXPECT_EQ(out.y, 0.0f);
    EXPECT_EQ(out.z, 1.0f);

    FloatVec3 a{1, 2, 3};
    const FloatVec3 b{4, 5, 6};
    Vec3Cross(a, a, b);
    EXPECT_EQ(a.x, -3.0f);
    EXPECT_EQ(a.y, 6.0f);
    EXPECT_EQ(a.z, -3.0f);
    FloatVec3 c{4, 5, 6};
    Vec3Cross(c, FloatVec3{1, 2, 3}, c);
    EXPECT_EQ(c.x, -3.0f);
    EXPECT_EQ(c.y, 6.0f);
    EXPECT_EQ(c.z, -3.0f);
}

TEST(Vec3Normalise, UnitLengthAndSafeInPlace) {
    FloatVec3 v{3, 0, 4};
    Vec3Normalise(v, v);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_EQ(v.y, 0.0f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);

    std::mt19937 rng(3);
    for (int i = 0; i < 1000; ++i) {
        const auto component = [&] { return static_cast<float>(static_cast<std::int32_t>(rng())) * 1e-6f; };
        const FloatVec3 in{component(), component(), component()};
        FloatVec3 out{};
        Vec3Normalise(out, in);
        const double length =
            std::sqrt(double(out.x) * out.x + double(out.y) * out.y + double(out.z) * out.z);
        ASSERT_NEAR(length, 1.0, 3e-7);
        ASSERT_GT(Vec3Dot(in, out), 0.0f);
    }
}

TEST(VectorLength, ThreeFourFive) {
    const LengthAndInverse r = vectorLength(FixedFromFloat(3.0f), FixedFromFloat(4.0f), Fixed{0});
    // Scaled to (0.75, 1.0, 0), q = 1.5625 / 4 on the first row, then shifted back by 3.
    EXPECT_EQ(r.length.raw, 327720);
    EXPECT_EQ(r.inverse.raw, 13096);
    const LengthAndInverse n = vectorLength(FixedFromFloat(-3.0f), Fixed{0}, FixedFromFloat(-4.0f));
    EXPECT_EQ(n.length.raw, 327720);
    EXPECT_EQ(n.inverse.raw, 13096);
}

TEST(VectorLength, CoefficientRowsSplitAtTheirBoundaries) {
    // (x, 0, 0) with x below 1.0 needs no scaling: q = x² / 65536 floored picks the row.
    struct Case {
        std::int32_t x, length, inverse;
    };
    const Case cases[] = {
        {41448, 41447, 103618}, // q = 26213, first row
        {41449, 41447, 103621}, // q = 26214, second row
        {52017, 52015, 82568},  // q = 41286, second row
        {52018, 52016, 82991},  // q = 41288, third row
    };
    for (const Case& c : cases) {
        const LengthAndInverse r = vectorLength(Fixed{c.x}, Fixed{0}, Fixed{0});
        EXPECT_EQ(r.length.raw, c.length) << c.x;
        EXPECT_EQ(r.inverse.raw, c.inverse) << c.x;
    }
}

TEST(VectorLength, ZeroVectorIsZero) {
    const LengthAndInverse r = vectorLength(Fixed{0}, Fixed{0}, Fixed{0});
    EXPECT_EQ(r.length.raw, 0);
    EXPECT_EQ(r.inverse.raw, 0);
}

TEST(VectorLength, ExtremeComponentsTerminate) {
    const LengthAndInverse tiny = vectorLength(Fixed{1}, Fixed{0}, Fixed{0});
    EXPECT_NEAR(tiny.length.raw, 1, 1);
    const LengthAndInverse huge = vectorLength(Fixed{INT32_MIN}, Fixed{0}, Fixed{0});
    EXPECT_EQ(huge.inverse.raw, 2); // 1/32768
}

TEST(VectorLength, CloseToTrueLengthOverRandomVectors) {
    std::mt19937 rng(11);
    int checked = 0;
    for (int i = 0; i < 300000; ++i) {
        const int shift = 6 + static_cast<int>(rng() % 24);
        const auto component = [&] { return static_cast<std::int32_t>(rng()) >> shift; };
        const std::int32_t x = component(), y = component(), z = component();
        const double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
        // From 0.25 to 16384.0, where both results have enough bits to be compared relatively.
        if (length < 16384.0 || length > 1073741824.0) {
            continue;
        }
        const LengthAndInverse r = vectorLength(Fixed{x}, Fixed{y}, Fixed{z});
        const double inverse = 65536.0 * 65536.0 / length;
        // The polynomials' own accuracy, and one raw unit of the final shift.
        ASSERT_LE(std::abs(r.length.raw - length), 7.5e-4 * length + 1.0) << x << ", " << y << ", " << z;
        ASSERT_LE(std::abs(r.inverse.raw - inverse), 7.5e-3 * inverse + 1.0) << x << ", " << y << ", " << z;
        ++checked;
    }
    EXPECT_GT(checked, 100000);
}

} // namespace
