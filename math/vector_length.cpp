#include "math/vector.h"

namespace {

std::uint32_t magnitude(Fixed v) {
    const std::uint32_t bits = static_cast<std::uint32_t>(v.raw);
    return v.raw < 0 ? 0u - bits : bits;
}

struct Coefficients {
    Fixed a2, a1, a0; // inverse length
    Fixed b2, b1, b0; // length
};

// Quadratics in q = |v|² for q in (0.25, 0.4), [0.4, 0.63] and (0.63, 1.0].
constexpr Coefficients rows[3] = {
    {Fixed{424712}, Fixed{-459066}, Fixed{219293}, Fixed{-44970}, Fixed{87102}, Fixed{13803}},
    {Fixed{134016}, Fixed{-229575}, Fixed{174009}, Fixed{-22518}, Fixed{69147}, Fixed{17392}},
    {Fixed{42592}, Fixed{-115454}, Fixed{138824}, Fixed{-11318}, Fixed{54985}, Fixed{21869}},
};

} // namespace

LengthAndInverse vectorLength(Fixed x, Fixed y, Fixed z) {
    std::uint32_t m = magnitude(x);
    if (magnitude(y) > m) {
        m = magnitude(y);
    }
    if (magnitude(z) > m) {
        m = magnitude(z);
    }
    if (m == 0) {
        return {Fixed{0}, Fixed{0}};
    }

    // Scale the vector by a power of two so that its largest component is about 0.25 to 1.0; e counts
    // the halvings of the length.
    int e = 0;
    if (m >= 0x10000) {
        while (m >= 0x1000000) {
            m >>= 8;
            x >>= 8;
            y >>= 8;
            z >>= 8;
            e += 8;
        }
        while (m > 0x10000) {
            m >>= 2;
            x >>= 2;
            y >>= 2;
            z >>= 2;
            e += 2;
        }
    } else {
        while (m <= 0x100) {
            m <<= 8;
            x <<= 8;
            y <<= 8;
            z <<= 8;
            e -= 8;
        }
        while (m < 0x4000) {
            m <<= 2;
            x <<= 2;
            y <<= 2;
            z <<= 2;
            e -= 2;
        }
    }

    // Bring the squared length into (0.25, 1.0], one halving of the length per factor of 4.
    Fixed q = FixedMul(x, x) + FixedMul(y, y) + FixedMul(z, z);
    while (q <= Fixed{0x4000}) {
        q <<= 2;
        e -= 1;
    }
    while (q > Fixed{0x10000}) {
        q >>= 2;
        e += 1;
    }

    const Coefficients& c = q < Fixed{26214} ? rows[0] : q <= Fixed{41286} ? rows[1] : rows[2];
    const Fixed q2 = FixedMul(q, q);
    Fixed inverse = FixedMul(c.a2, q2) + FixedMul(c.a1, q) + c.a0;
    Fixed length = FixedMul(c.b2, q2) + FixedMul(c.b1, q) + c.b0;

    if (e >= 0) {
        inverse >>= e;
        length <<= e;
    } else {
        inverse <<= -e;
        length >>= -e;
    }
    return {length, inverse};
}
