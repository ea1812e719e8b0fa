#pragma once
// Double-precision vector helpers for building the world; the results are rounded to float on output.
#include <cmath>

namespace world {

struct V3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

inline V3 operator+(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline V3 operator*(V3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline V3 cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(V3 a) {
    return std::sqrt(dot(a, a));
}
inline V3 normalised(V3 a) {
    const double l = length(a);
    return l > 0.0 ? a * (1.0 / l) : V3{};
}
inline V3 lerp(V3 a, V3 b, double t) {
    return a + (b - a) * t;
}
// Horizontal helpers: the track lies in the x-z plane, y up.
inline double distanceXZ(V3 a, V3 b) {
    return std::hypot(a.x - b.x, a.z - b.z);
}
inline V3 flat(double x, double z) {
    return {x, 0.0, z};
}
// The right-hand side of a horizontal direction of travel (x right, y up, z back).
inline V3 rightOf(V3 forward) {
    return normalised(V3{-forward.z, 0.0, forward.x});
}

inline constexpr double kPi = 3.14159265358979323846;

inline double smoothstep(double t) {
    if (t <= 0.0) {
        return 0.0;
    }
    if (t >= 1.0) {
        return 1.0;
    }
    return t * t * (3.0 - 2.0 * t);
}

} // namespace world
