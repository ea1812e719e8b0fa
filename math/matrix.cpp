#include "math/matrix.h"

#include <cmath>

void MatrixIdentity(FixedMatrix& m) {
    m.clear();
    m[0] = m[5] = m[10] = m[15] = FixedOne;
}

void MatrixMultiply(FixedMatrix& out, FixedMatrix a, FixedMatrix b) {
    for (int i = 0; i < 4; ++i) {
        FixedVec4 row{a[4 * i], a[4 * i + 1], a[4 * i + 2], a[4 * i + 3]};
        VectorTimesMatrix(row, row, b);
        for (int j = 0; j < 4; ++j) {
            out[4 * i + j] = row[j];
        }
    }
}

void VectorTimesMatrix(FixedVec4& out, const FixedVec4& v, const FixedMatrix& m) {
    Fixed result[4];
    for (int j = 0; j < 4; ++j) {
        result[j] = FixedMul(v.x, m[j]) + FixedMul(v.y, m[4 + j]) + FixedMul(v.z, m[8 + j]) +
                    FixedMul(v.w, m[12 + j]);
    }
    for (int j = 0; j < 4; ++j) {
        out[j] = result[j];
    }
}

void TransformPoints(const FixedVec4* in, FixedVec4* out, unsigned count, const FixedMatrix& m) {
    for (unsigned i = 0; i < count; ++i) {
        const Fixed x = in[i].x, y = in[i].y, z = in[i].z;
        out[i].x = FixedMul(x, m[0]) + FixedMul(y, m[4]) + FixedMul(z, m[8]) + m[12];
        out[i].y = FixedMul(x, m[1]) + FixedMul(y, m[5]) + FixedMul(z, m[9]) + m[13];
        out[i].z = FixedMul(x, m[2]) + FixedMul(y, m[6]) + FixedMul(z, m[10]) + m[14];
    }
}

void MatrixInverse(FixedMatrix& out, const FixedMatrix& m) {
    const Fixed m0 = m[0], m1 = m[1], m2 = m[2];
    const Fixed m4 = m[4], m5 = m[5], m6 = m[6];
    const Fixed m8 = m[8], m9 = m[9], m10 = m[10];
    const Fixed m12 = m[12], m13 = m[13], m14 = m[14];
    out[3] = out[7] = out[11] = Fixed{0};
    out[15] = FixedOne;

    // The adjugate's first column gives the determinant along row 0.
    const Fixed c0 = FixedMul(m10, m5) - FixedMul(m9, m6);
    const Fixed c1 = -(FixedMul(m10, m4) - FixedMul(m8, m6));
    const Fixed c2 = FixedMul(m9, m4) - FixedMul(m8, m5);
    const Fixed det = FixedMul(c0, m0) + FixedMul(c1, m1) + FixedMul(c2, m2);
    const Fixed inv = FixedDiv(FixedOne, det);

    out[0] = FixedMul(inv, c0);
    out[4] = FixedMul(inv, c1);
    out[8] = FixedMul(inv, c2);
    out[12] = -(FixedMul(m12, out[0]) + FixedMul(m13, out[4]) + FixedMul(m14, out[8]));

    out[1] = -FixedMul(inv, FixedMul(m10, m1) - FixedMul(m9, m2));
    out[5] = FixedMul(inv, FixedMul(m10, m0) - FixedMul(m8, m2));
    out[9] = -FixedMul(inv, FixedMul(m9, m0) - FixedMul(m8, m1));
    out[13] = -(FixedMul(m12, out[1]) + FixedMul(m13, out[5]) + FixedMul(m14, out[9]));

    out[2] = FixedMul(inv, FixedMul(m6, m1) - FixedMul(m5, m2));
    out[6] = -FixedMul(inv, FixedMul(m6, m0) - FixedMul(m4, m2));
    out[10] = FixedMul(inv, FixedMul(m0, m5) - FixedMul(m4, m1));
    out[14] = -(FixedMul(m12, out[2]) + FixedMul(m13, out[6]) + FixedMul(m14, out[10]));
}

void MatrixRotateX(FixedMatrix& m, Fixed s, Fixed c) {
    for (int r = 0; r < 4; ++r) {
        const Fixed y = m[4 * r + 1], z = m[4 * r + 2];
        m[4 * r + 1] = FixedMul(c, y) - FixedMul(s, z);
        m[4 * r + 2] = FixedMul(s, y) + FixedMul(c, z);
    }
}

void MatrixRotateY(FixedMatrix& m, Fixed s, Fixed c) {
    for (int r = 0; r < 4; ++r) {
        const Fixed x = m[4 * r], z = m[4 * r + 2];
        m[4 * r] = FixedMul(c, x) + FixedMul(s, z);
        m[4 * r + 2] = FixedMul(c, z) - FixedMul(s, x);
    }
}

void MatrixRotateZ(FixedMatrix& m, Fixed s, Fixed c) {
    for (int r = 0; r < 4; ++r) {
        const Fixed x = m[4 * r], y = m[4 * r + 1];
        m[4 * r] = FixedMul(c, x) - FixedMul(s, y);
        m[4 * r + 1] = FixedMul(s, x) + FixedMul(c, y);
    }
}

namespace {

void rotateAbout(FixedMatrix& m, int axis, Fixed s, Fixed c) {
    if (axis == 0) {
        MatrixRotateX(m, s, c);
    } else if (axis == 1) {
        MatrixRotateY(m, s, c);
    } else {
        MatrixRotateZ(m, s, c);
    }
}

} // namespace

void MatrixRotate(FixedMatrix& m, Fixed angle, int axis) {
    rotateAbout(m, axis, FixedSin(angle), FixedCos(angle));
}

void MatrixRotateFloat(FixedMatrix& m, Fixed angle, int axis) {
    // pi / (180 × 65536) in single precision (bits 0x348EFA35): raw Fixed degrees to radians.
    constexpr float radiansPerRaw = 0x1.1df46ap-22f;
    static_assert(radiansPerRaw == 2.6631611e-7f);
    const float radians = static_cast<float>(angle.raw) * radiansPerRaw;
    const float s = static_cast<float>(std::sin(static_cast<double>(radians)));
    const float c = static_cast<float>(std::cos(static_cast<double>(radians)));
    rotateAbout(m, axis, FixedFromFloat(s), FixedFromFloat(c));
}

void MatrixTranslate(FixedMatrix& m, Fixed dx, Fixed dy, Fixed dz) {
    m[12] += dx;
    m[13] += dy;
    m[14] += dz;
}
