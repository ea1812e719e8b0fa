#pragma once
// 4 × 4 Fixed matrices in the row-vector convention: a point is the row (x, y, z, 1) times the matrix,
// rows 0-2 are the images of the axes, row 3 (elements 12-14) the translation, and A × B applies A
// first. The 16 values, row by row, are exactly what glLoadMatrixx takes.
#include "math/fixed.h"
#include "math/vector.h"

struct FixedMatrix {
    // Element (row r, column c) is m[4r + c].
    Fixed m[16];

    void clear() {
        for (Fixed& v : m) {
            v = Fixed{0};
        }
    }
    Fixed& operator[](int i) { return m[i]; }
    const Fixed& operator[](int i) const { return m[i]; }
    // The 16 raw values in order, for the graphics library.
    const std::int32_t* rawValues() const { return &m[0].raw; }
};

static_assert(sizeof(FixedMatrix) == 16 * sizeof(std::int32_t));

void MatrixIdentity(FixedMatrix& m);
// out = a × b; out may be either operand.
void MatrixMultiply(FixedMatrix& out, FixedMatrix a, FixedMatrix b);
// out = v × m, all four components; out may be v.
void VectorTimesMatrix(FixedVec4& out, const FixedVec4& v, const FixedMatrix& m);
// x, y, z of each point times m with w taken as 1; each output w keeps its value. out may be in.
void TransformPoints(const FixedVec4* in, FixedVec4* out, unsigned count, const FixedMatrix& m);
// The inverse of an affine m (column 3 is taken as 0, 0, 0, 1); out may be m. A zero determinant
// gives the adjugate.
void MatrixInverse(FixedMatrix& out, const FixedMatrix& m);

// m = m × rotation about the axis, given the sine and cosine; every row, translation included.
void MatrixRotateX(FixedMatrix& m, Fixed s, Fixed c);
void MatrixRotateY(FixedMatrix& m, Fixed s, Fixed c);
void MatrixRotateZ(FixedMatrix& m, Fixed s, Fixed c);
// Rotation by angle (Fixed degrees) about axis 0 = x, 1 = y, anything else = z, with FixedSin/FixedCos.
void MatrixRotate(FixedMatrix& m, Fixed angle, int axis);
// The same with the double-precision library sine and cosine.
void MatrixRotateFloat(FixedMatrix& m, Fixed angle, int axis);
// m = m × translation: adds to elements 12-14.
void MatrixTranslate(FixedMatrix& m, Fixed dx, Fixed dy, Fixed dz);

// Row k: sin(5.625·k°) × 65536 and two coefficients of a quadratic over the segment up to 5.625·(k+1)°.
extern const std::int32_t sineTable[16][3];

// Sine and cosine of an angle in Fixed degrees, from sineTable; within about 4 raw units of 65536·sin,
// 65534 at the peaks.
Fixed FixedSin(Fixed angle);
Fixed FixedCos(Fixed angle);
