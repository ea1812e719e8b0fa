// Digests of long runs of the table-driven routines, from an independent model of their integer steps:
// any change to a table entry, a comparison, a shift or a floor shows as a different digest.
#include "math/matrix.h"
#include "math/vector.h"

#include <gtest/gtest.h>

namespace {

// A 64-bit linear congruential generator; its operands are the high words, shifted by a random amount to
// cover every magnitude.
class Operands {
public:
    explicit Operands(std::uint64_t seed) : state_(seed) {}
    Fixed next() {
        const std::int32_t value = static_cast<std::int32_t>(word());
        const int shift = static_cast<int>(word() % 31);
        return Fixed{value >> shift};
    }

private:
    std::uint32_t word() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state_ >> 32);
    }
    std::uint64_t state_;
};

// FNV-1a style mixing of 32-bit results.
class Digest {
public:
    void add(std::int32_t v) { value = (value * 1099511628211ull) ^ static_cast<std::uint32_t>(v); }
    std::uint64_t value = 14695981039346656037ull;
};

TEST(BitExactReference, ReciprocalTables) {
    Digest d;
    for (std::size_t k = 0; k < 256; ++k) {
        d.add(reciprocalTable[k]);
        d.add(reciprocalSquareTable[k]);
    }
    EXPECT_EQ(d.value, 0xfa340c898a5756e6ull);
}

TEST(BitExactReference, FixedDivOverRandomOperands) {
    Operands operands(1);
    Digest d;
    for (int i = 0; i < 200000; ++i) {
        const Fixed a = operands.next();
        const Fixed b = operands.next();
        d.add(FixedDiv(a, b).raw);
    }
    EXPECT_EQ(d.value, 0x0f0a877a4b7a76a4ull);
}

TEST(BitExactReference, FixedSinFromMinus360To720Degrees) {
    Digest d;
    for (std::int32_t a = -(360 << 16); a < (720 << 16); a += 97) {
        d.add(FixedSin(Fixed{a}).raw);
    }
    EXPECT_EQ(d.value, 0x22ab6feeb8990949ull);
}

TEST(BitExactReference, VectorLengthOverRandomVectors) {
    Operands operands(2);
    Digest d;
    for (int i = 0; i < 200000; ++i) {
        const Fixed x = operands.next();
        const Fixed y = operands.next();
        const Fixed z = operands.next();
        const LengthAndInverse r = vectorLength(x, y, z);
        d.add(r.length.raw);
        d.add(r.inverse.raw);
    }
    EXPECT_EQ(d.value, 0x2edf8d3dded7ea82ull);
}

TEST(BitExactReference, MatrixOperationsOverRandomMatrices) {
    Operands operands(3);
    Digest d;
    const auto addAll = [&d](const FixedMatrix& m) {
        for (int i = 0; i < 16; ++i) {
            d.add(m[i].raw);
        }
    };
    for (int i = 0; i < 20000; ++i) {
        FixedMatrix m, b;
        for (Fixed& v : m.m) {
            v = operands.next();
        }
        FixedMatrix inverse;
        MatrixInverse(inverse, m);
        addAll(inverse);
        for (Fixed& v : b.m) {
            v = operands.next();
        }
        FixedMatrix product;
        MatrixMultiply(product, m, b);
        addAll(product);

        const int axis = i % 3;
        const Fixed s = operands.next();
        const Fixed c = operands.next();
        FixedMatrix rotated = m;
        (axis == 0 ? MatrixRotateX : axis == 1 ? MatrixRotateY : MatrixRotateZ)(rotated, s, c);
        addAll(rotated);
        rotated = m;
        MatrixRotate(rotated, operands.next(), axis);
        addAll(rotated);
    }
    EXPECT_EQ(d.value, 0x3c207f85972c0982ull);
}

} // namespace
