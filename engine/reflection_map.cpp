// Sphere-map coordinates from the normals, in fixed point, with a piecewise quadratic in place of the
// square root and division of 1 / (2 sqrt(2 (1 + r.y))).
#include <algorithm>

#include "engine/geometry.h"

namespace {

constexpr Fixed kHalf{0x8000};

struct Segment {
    Fixed c;
    Fixed p;
    Fixed o;
    Fixed l;
};

// k for r.y at or below 0: L + x (O + x P), x = (r.y + c) * 4.
Fixed lowerHemisphereScale(Fixed ry) {
    static constexpr Segment kSegments[] = {
        {Fixed{16384}, Fixed{769}, Fixed{-4354}, Fixed{26754}},       // above -0.25
        {Fixed{32768}, Fixed{1811}, Fixed{-7824}, Fixed{32768}},      // above -0.5
        {Fixed{49152}, Fixed{6868}, Fixed{-20441}, Fixed{46340}},     // above -0.75
        {Fixed{65536}, Fixed{158218}, Fixed{-275716}, Fixed{163840}}, // -0.75 or below
    };
    const Segment& s = ry > Fixed{-16384}   ? kSegments[0]
                       : ry > Fixed{-32768} ? kSegments[1]
                       : ry > Fixed{-49152} ? kSegments[2]
                                            : kSegments[3];
    const Fixed x = FixedMul(ry + s.c, Fixed{4 * 0x10000});
    return s.l + FixedMul(x, s.o + FixedMul(x, s.p));
}

} // namespace

void NymGeometry::generateReflectionMap(int layer, const FixedMatrix& view, const FixedMatrix& model,
                                        Fixed inverseScale) {
    Fixed* pool = texGenRefMap(layer);
    if (pool == nullptr || normals == nullptr) {
        return;
    }
    // After a traced count mismatch only the entries both pools have are written.
    const int count = std::min(normalCount, pool == bump ? bumpCount : tex2dCount);

    Fixed r3[3][3];
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            r3[row][column] = FixedMul(model[4 * row + column], inverseScale);
        }
    }
    const Fixed ex = view[8];
    const Fixed ey = view[9];
    const Fixed ez = view[10];
    const Fixed two{2 * 0x10000};

    for (int i = 0; i < count; ++i) {
        const Fixed* n = normals + 3 * i;
        const Fixed nx = FixedMul(n[0], r3[0][0]) + FixedMul(n[1], r3[1][0]) + FixedMul(n[2], r3[2][0]);
        const Fixed ny = FixedMul(n[0], r3[0][1]) + FixedMul(n[1], r3[1][1]) + FixedMul(n[2], r3[2][1]);
        const Fixed nz = FixedMul(n[0], r3[0][2]) + FixedMul(n[1], r3[1][2]) + FixedMul(n[2], r3[2][2]);
        const Fixed d2 = FixedMul(two, FixedMul(nx, ex) + FixedMul(ny, ey) + FixedMul(nz, ez));
        const Fixed rx = FixedMul(d2, nx) - ex;
        const Fixed ry = FixedMul(d2, ny) - ey;
        const Fixed rz = FixedMul(d2, nz) - ez;
        const Fixed k = ry > Fixed{0} ? Fixed{23170} + FixedMul(ry, Fixed{-6786}) : lowerHemisphereScale(ry);
        pool[2 * i] = FixedMul(rx, k) + kHalf;
        pool[2 * i + 1] = FixedMul(rz, k) + kHalf;
    }
}
