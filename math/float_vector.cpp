#include "math/vector.h"

#include <cmath>

float Vec3Dot(const FloatVec3& a, const FloatVec3& b) {
    const float zz = a.z * b.z;
    const float yy = a.y * b.y;
    const float xx = a.x * b.x;
    const float partial = zz + yy;
    return partial + xx;
}

void Vec3Cross(FloatVec3& out, const FloatVec3& a, const FloatVec3& b) {
    const float ax = a.x, ay = a.y, az = a.z;
    const float bx = b.x, by = b.y, bz = b.z;
    const float x1 = ay * bz, x2 = az * by;
    const float y1 = az * bx, y2 = ax * bz;
    const float z1 = ax * by, z2 = ay * bx;
    out.x = x1 - x2;
    out.y = y1 - y2;
    out.z = z1 - z2;
}

void Vec3Normalise(FloatVec3& out, const FloatVec3& in) {
    const float x = in.x, y = in.y, z = in.z;
    const float xx = x * x, yy = y * y, zz = z * z;
    const float xy = xx + yy;
    const float s = xy + zz;
    const float g = static_cast<float>(1.0 / std::sqrt(static_cast<double>(s)));
    out.x = x * g;
    out.y = y * g;
    out.z = z * g;
}
