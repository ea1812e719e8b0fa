#pragma once
// The four-component Fixed vector, the float 3-vector and their operations.
#include "math/fixed.h"

struct FixedVec4 {
    Fixed x, y, z, w;

    void clear() { x = y = z = w = Fixed{0}; }
    // Components by index: 0 x, 1 y, 2 z, 3 w.
    Fixed& operator[](int i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
    const Fixed& operator[](int i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
};

struct FloatVec3 {
    float x, y, z;
};

// (a.z·b.z + a.y·b.y) + a.x·b.x, every step rounded to float.
float Vec3Dot(const FloatVec3& a, const FloatVec3& b);
// out = a × b; out may be a or b.
void Vec3Cross(FloatVec3& out, const FloatVec3& a, const FloatVec3& b);
// out = in scaled to unit length, the inverse square root taken in double; out may be in. The zero vector
// divides by zero.
void Vec3Normalise(FloatVec3& out, const FloatVec3& in);

struct LengthAndInverse {
    Fixed length;
    Fixed inverse;
};

// The length of (x, y, z) and its inverse from quadratic polynomials, without square root or division.
// The zero vector gives length 0 and inverse 0.
LengthAndInverse vectorLength(Fixed x, Fixed y, Fixed z);
