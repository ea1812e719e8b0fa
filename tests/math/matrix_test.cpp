#include "math/matrix.h"

#include <gtest/gtest.h>

#include <random>

namespace {

FixedMatrix identity() {
    FixedMatrix m;
    MatrixIdentity(m);
    return m;
}

FixedMatrix fromRaw(const std::int32_t (&v)[16]) {
    FixedMatrix m;
    for (int i = 0; i < 16; ++i) {
        m[i] = Fixed{v[i]};
    }
    return m;
}

void expectRaw(const FixedMatrix& m, const std::int32_t (&expected)[16]) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(m[i].raw, expected[i]) << "element " << i;
    }
}

constexpr std::int32_t I = 0x10000;

TEST(FixedMatrix, IdentityAndClear) {
    FixedMatrix m = identity();
    expectRaw(m, {I, 0, 0, 0, 0, I, 0, 0, 0, 0, I, 0, 0, 0, 0, I});
    EXPECT_EQ(m.rawValues()[15], I);
    m.clear();
    expectRaw(m, {});
}

TEST(MatrixRotate, ZByQuarterTurnMapsXToY) {
    FixedMatrix m = identity();
    MatrixRotateZ(m, FixedOne, Fixed{0});
    expectRaw(m, {0, I, 0, 0, -I, 0, 0, 0, 0, 0, I, 0, 0, 0, 0, I});
}

TEST(MatrixRotate, EachAxisTouchesItsOwnPairOnEveryRowIncludingTranslation) {
    // A translated matrix so the translation row shows the rotation too; s = 1.0 and c = 0.
    const FixedMatrix base = fromRaw({I, 0, 0, 0, 0, I, 0, 0, 0, 0, I, 0, 1 * I, 2 * I, 3 * I, I});
    FixedMatrix x = base, y = base, z = base;
    MatrixRotateX(x, FixedOne, Fixed{0}); // (y, z) -> (-z, y)
    expectRaw(x, {I, 0, 0, 0, 0, 0, I, 0, 0, -I, 0, 0, I, -3 * I, 2 * I, I});
    MatrixRotateY(y, FixedOne, Fixed{0}); // (x, z) -> (z, -x)
    expectRaw(y, {0, 0, -I, 0, 0, I, 0, 0, I, 0, 0, 0, 3 * I, 2 * I, -I, I});
    MatrixRotateZ(z, FixedOne, Fixed{0}); // (x, y) -> (-y, x)
    expectRaw(z, {0, I, 0, 0, -I, 0, 0, 0, 0, 0, I, 0, -2 * I, I, 3 * I, I});
}

TEST(MatrixRotate, AxisSelectionAndTableAngles) {
    const Fixed angle = FixedFromInt(30);
    const Fixed s = FixedSin(angle), c = FixedCos(angle);
    FixedMatrix expected[3] = {identity(), identity(), identity()};
    MatrixRotateX(expected[0], s, c);
    MatrixRotateY(expected[1], s, c);
    MatrixRotateZ(expected[2], s, c);
    for (int axis : {0, 1, 2, 7, -1}) {
        FixedMatrix m = identity();
        MatrixRotate(m, angle, axis);
        const FixedMatrix& e = expected[axis == 0 ? 0 : axis == 1 ? 1 : 2];
        for (int i = 0; i < 16; ++i) {
            ASSERT_EQ(m[i].raw, e[i].raw) << "axis " << axis << " element " << i;
        }
    }
}

TEST(MatrixRotateFloat, QuarterTurnIsExactAndOtherAnglesTrackTheTable) {
    FixedMatrix m = identity();
    MatrixRotateFloat(m, FixedFromInt(90), 2);
    expectRaw(m, {0, I, 0, 0, -I, 0, 0, 0, 0, 0, I, 0, 0, 0, 0, I});

    // 30° in float radians is a little above pi/6, and its sine narrows to exactly 0.5: one raw unit
    // above the table sine.
    FixedMatrix r = identity();
    MatrixRotateFloat(r, FixedFromInt(30), 0);
    EXPECT_EQ(r[6].raw, 32768);
    EXPECT_EQ(r[5].raw, 56755); // cos 30° = 0.8660254 -> 56755.84

    for (int degrees = -720; degrees <= 720; degrees += 7) {
        FixedMatrix a = identity(), b = identity();
        MatrixRotateFloat(a, FixedFromInt(degrees), 1);
        MatrixRotate(b, FixedFromInt(degrees), 1);
        for (int i = 0; i < 16; ++i) {
            ASSERT_NEAR(a[i].raw, b[i].raw, 8) << degrees << " degrees, element " << i;
        }
    }
}

TEST(MatrixTranslate, ThenTransformPointsMovesTheOrigin) {
    FixedMatrix m = identity();
    MatrixTranslate(m, FixedFromInt(1), FixedFromInt(2), FixedFromInt(3));
    const FixedVec4 in[2] = {{Fixed{0}, Fixed{0}, Fixed{0}, Fixed{12345}},
                             {FixedOne, FixedOne, FixedOne, Fixed{0}}};
    FixedVec4 out[2] = {{Fixed{9}, Fixed{9}, Fixed{9}, Fixed{-5}}, {Fixed{9}, Fixed{9}, Fixed{9}, Fixed{77}}};
    TransformPoints(in, out, 2, m);
    EXPECT_EQ(out[0].x.raw, 1 * I);
    EXPECT_EQ(out[0].y.raw, 2 * I);
    EXPECT_EQ(out[0].z.raw, 3 * I);
    EXPECT_EQ(out[0].w.raw, -5); // each output w keeps its value; the input w plays no part
    EXPECT_EQ(out[1].x.raw, 2 * I);
    EXPECT_EQ(out[1].z.raw, 4 * I);
    EXPECT_EQ(out[1].w.raw, 77);
}

TEST(TransformPoints, InPlaceAndZeroCount) {
    FixedMatrix m = identity();
    MatrixRotateZ(m, FixedOne, Fixed{0});
    MatrixTranslate(m, FixedFromInt(10), Fixed{0}, Fixed{0});
    FixedVec4 p[1] = {{FixedFromInt(1), FixedFromInt(2), FixedFromInt(3), Fixed{5}}};
    TransformPoints(p, p, 0, m);
    EXPECT_EQ(p[0].x.raw, I);
    TransformPoints(p, p, 1, m);
    EXPECT_EQ(p[0].x.raw, 8 * I); // -y + 10
    EXPECT_EQ(p[0].y.raw, 1 * I);
    EXPECT_EQ(p[0].z.raw, 3 * I);
    EXPECT_EQ(p[0].w.raw, 5);
}

TEST(VectorTimesMatrix, UsesAllFourComponentsAndIsSafeInPlace) {
    const FixedMatrix m = fromRaw({1 * I, 2 * I, 3 * I, 4 * I, 5 * I, 6 * I, 7 * I, 8 * I, 9 * I, 10 * I,
                                   11 * I, 12 * I, 13 * I, 14 * I, 15 * I, 16 * I});
    FixedVec4 v{FixedOne, Fixed{0}, Fixed{0}, FixedOne >> 1};
    VectorTimesMatrix(v, v, m);
    EXPECT_EQ(v.x.raw, I + 13 * I / 2);
    EXPECT_EQ(v.y.raw, 2 * I + 7 * I);
    EXPECT_EQ(v.z.raw, 3 * I + 15 * I / 2);
    EXPECT_EQ(v.w.raw, 4 * I + 8 * I);
    // Products are floored one by one: four products of -1 raw by 0.5 each floor to -1.
    const FixedMatrix half = fromRaw({I / 2, 0, 0, 0, I / 2, 0, 0, 0, I / 2, 0, 0, 0, I / 2, 0, 0, 0});
    FixedVec4 small{Fixed{-1}, Fixed{-1}, Fixed{-1}, Fixed{-1}};
    VectorTimesMatrix(small, small, half);
    EXPECT_EQ(small.x.raw, -4);
}

TEST(MatrixMultiply, AppliesTheLeftOperandFirstAndAllowsAliasing) {
    FixedMatrix rotate = identity(), translate = identity();
    MatrixRotateZ(rotate, FixedOne, Fixed{0});
    MatrixTranslate(translate, FixedFromInt(5), Fixed{0}, Fixed{0});
    FixedMatrix rt;
    MatrixMultiply(rt, rotate, translate);
    const FixedVec4 x[1] = {{FixedOne, Fixed{0}, Fixed{0}, FixedOne}};
    FixedVec4 p[1];
    TransformPoints(x, p, 1, rt); // rotate (1,0,0) to (0,1,0), then move by 5 along x
    EXPECT_EQ(p[0].x.raw, 5 * I);
    EXPECT_EQ(p[0].y.raw, I);

    std::mt19937 rng(5);
    FixedMatrix a, b;
    for (int i = 0; i < 16; ++i) {
        a[i] = Fixed{static_cast<std::int32_t>(rng()) >> 12};
        b[i] = Fixed{static_cast<std::int32_t>(rng()) >> 12};
    }
    FixedMatrix separate, intoA = a, intoB = b;
    MatrixMultiply(separate, a, b);
    MatrixMultiply(intoA, intoA, b);
    MatrixMultiply(intoB, a, intoB);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(intoA[i].raw, separate[i].raw);
        EXPECT_EQ(intoB[i].raw, separate[i].raw);
    }
    FixedMatrix square = a, squareSeparate;
    MatrixMultiply(squareSeparate, a, a);
    MatrixMultiply(square, square, square);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(square[i].raw, squareSeparate[i].raw);
    }
}

TEST(MatrixInverse, IdentityTranslationAndScale) {
    FixedMatrix m = identity();
    MatrixInverse(m, m);
    expectRaw(m, {I, 0, 0, 0, 0, I, 0, 0, 0, 0, I, 0, 0, 0, 0, I});

    FixedMatrix t = identity();
    MatrixTranslate(t, FixedFromInt(1), FixedFromInt(2), FixedFromInt(3));
    FixedMatrix inverse;
    MatrixInverse(inverse, t);
    expectRaw(inverse, {I, 0, 0, 0, 0, I, 0, 0, 0, 0, I, 0, -I, -2 * I, -3 * I, I});

    // Column 3 of the input is never read; the output's is always (0, 0, 0, 1).
    const FixedMatrix scaled = fromRaw({2 * I, 0, 0, 7, 0, 2 * I, 0, 7, 0, 0, 2 * I, 7, 4 * I, 0, 0, 7});
    MatrixInverse(inverse, scaled);
    expectRaw(inverse, {I / 2, 0, 0, 0, 0, I / 2, 0, 0, 0, 0, I / 2, 0, -2 * I, 0, 0, I});
}

TEST(MatrixInverse, ZeroDeterminantGivesTheAdjugate) {
    const FixedMatrix flat = fromRaw({I, 0, 0, 0, 0, I, 0, 0, 0, 0, 0, 0, 0, 0, 0, I});
    FixedMatrix out;
    MatrixInverse(out, flat);
    expectRaw(out, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, I, 0, 0, 0, 0, I});
}

TEST(MatrixInverse, TimesItsInputIsNearIdentityForRigidTransforms) {
    std::mt19937 rng(2026);
    const auto angle = [&] { return Fixed{static_cast<std::int32_t>(rng() % (720u << 16)) - (360 << 16)}; };
    const auto offset = [&] { return Fixed{static_cast<std::int32_t>(rng() % (400u << 16)) - (200 << 16)}; };
    for (int trial = 0; trial < 20000; ++trial) {
        FixedMatrix m = identity();
        MatrixRotate(m, angle(), 0);
        MatrixRotate(m, angle(), 1);
        MatrixRotate(m, angle(), 2);
        MatrixTranslate(m, offset(), offset(), offset());
        FixedMatrix inverse = m;
        MatrixInverse(inverse, inverse);
        // m × inverse: the rotation part within a few raw units, and the translation row cancels
        // exactly. inverse × m: its translation row carries the inverse's rounding times the offsets of
        // up to 200 units.
        FixedMatrix product, reverse;
        MatrixMultiply(product, m, inverse);
        MatrixMultiply(reverse, inverse, m);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) {
                const int i = 4 * r + c;
                const std::int32_t expected = r == c ? I : 0;
                ASSERT_NEAR(product[i].raw, expected, r < 3 ? 8 : 0) << "trial " << trial << " element " << i;
                ASSERT_NEAR(reverse[i].raw, expected, r < 3 ? 8 : 1600)
                    << "trial " << trial << " element " << i;
            }
        }
    }
}

} // namespace
