#include "math/ray_triangle.h"

namespace {

FixedVec4 cross(const FixedVec4& a, const FixedVec4& b) {
    return {FixedMul(a.y, b.z) - FixedMul(a.z, b.y), FixedMul(a.z, b.x) - FixedMul(a.x, b.z),
            FixedMul(a.x, b.y) - FixedMul(a.y, b.x), Fixed{0}};
}

Fixed dot(const FixedVec4& a, const FixedVec4& b) {
    return FixedMul(a.x, b.x) + FixedMul(a.y, b.y) + FixedMul(a.z, b.z);
}

FixedVec4 difference(const FixedVec4& a, const FixedVec4& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z, Fixed{0}};
}

} // namespace

bool intersectTriangle(const FixedVec4& origin, const FixedVec4& direction, const FixedVec4& v0,
                       const FixedVec4& v1, const FixedVec4& v2, Fixed& t, Fixed& u, Fixed& v) {
    const FixedVec4 e1 = difference(v1, v0);
    const FixedVec4 e2 = difference(v2, v0);
    const FixedVec4 p = cross(direction, e2);
    const Fixed det = dot(e1, p);
    if (det.raw == 0) {
        return false; // the line runs parallel to the triangle's plane
    }
    const Fixed inv = FixedDiv(FixedOne, det);
    const FixedVec4 toOrigin = difference(origin, v0);
    u = FixedMul(dot(toOrigin, p), inv);
    if (u < Fixed{0} || u > FixedOne) {
        return false;
    }
    const FixedVec4 q = cross(toOrigin, e1);
    v = FixedMul(dot(direction, q), inv);
    if (v < Fixed{0} || u + v > FixedOne) {
        return false;
    }
    // Either sign of t is a hit: an origin below the road still finds it.
    t = FixedMul(dot(e2, q), inv);
    return true;
}
