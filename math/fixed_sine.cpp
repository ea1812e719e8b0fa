#include "math/matrix.h"

const std::int32_t sineTable[16][3] = {
    {0, 6439, -15},      {6423, 6408, -46},   {12785, 6315, -76},  {19024, 6161, -106},
    {25079, 5948, -135}, {30893, 5678, -162}, {36409, 5353, -188}, {41575, 4977, -212},
    {46340, 4553, -233}, {50660, 4084, -253}, {54491, 3577, -270}, {57797, 3035, -285},
    {60547, 2463, -297}, {62714, 1869, -306}, {64276, 1256, -312}, {65220, 630, -315},
};

namespace {

constexpr Fixed degrees(int d) {
    return FixedFromInt(d);
}

} // namespace

Fixed FixedSin(Fixed a) {
    while (a < Fixed{0}) {
        a += degrees(360);
    }
    while (a >= degrees(360)) {
        a -= degrees(360);
    }
    bool negate = false;
    if (a >= degrees(180)) {
        a -= degrees(180);
        negate = true;
    }
    if (a >= degrees(90)) {
        a = degrees(180) - a;
    }

    // Find the 5.625-degree segment by halving 90 degrees four times. An angle on a boundary belongs to
    // the lower segment, at its end.
    int row = 0;
    const Fixed fortyFive = degrees(45);
    const Fixed step[4] = {fortyFive, fortyFive >> 1, fortyFive >> 2, fortyFive >> 3};
    for (int i = 0; i < 4; ++i) {
        if (a > step[i]) {
            a -= step[i];
            row += 8 >> i;
        }
    }

    // Position within the segment as a fraction; 11650 is 65536 / 5.625 truncated.
    const Fixed t{static_cast<std::int32_t>((static_cast<std::int64_t>(a.raw) * 11650) >> 16)};
    const std::int32_t* c = sineTable[row];
    const Fixed v = Fixed{c[0]} + FixedMul(t, Fixed{c[1]} + FixedMul(Fixed{c[2]}, t));
    return negate ? -v : v;
}

Fixed FixedCos(Fixed a) {
    return FixedSin(a + degrees(90));
}
