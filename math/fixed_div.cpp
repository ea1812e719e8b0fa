#include "math/fixed.h"

Fixed FixedDiv(Fixed a, Fixed b) {
    if (b.raw == 0 || b.raw == INT32_MIN) {
        return a;
    }
    // Normalise |b| into [0x8000, 0xFFFF], i.e. x in [0.5, 1), counting the shift that undoes it.
    std::uint32_t m = static_cast<std::uint32_t>(b.raw < 0 ? -b.raw : b.raw);
    int n = 1;
    if (m >= 0x10000) {
        while (m & 0xFFF00000u) {
            m >>= 4;
            n -= 4;
        }
        while (m & 0x000F0000u) {
            m >>= 1;
            n -= 1;
        }
    } else {
        while (!(m & 0xF000u)) {
            m <<= 4;
            n += 4;
        }
        while (!(m & 0x8000u)) {
            m <<= 1;
            n += 1;
        }
    }
    // One Newton step from the table's 1/x0 towards 0.5/x, where x0 is x cut to nine bits.
    const std::size_t k = (m >> 7) - 256;
    const Fixed reciprocal = Fixed{reciprocalTable[k]} -
                             FixedMul(Fixed{reciprocalSquareTable[k]}, Fixed{static_cast<std::int32_t>(m)});
    Fixed r = FixedMul(a, reciprocal);
    if (n >= 32) {
        r = Fixed{0};
    } else if (n >= 0) {
        r <<= n;
    } else {
        r >>= -n;
    }
    return b.raw < 0 ? -r : r;
}
