#pragma once
// Helpers for the checks of the compiled-in world: key transforms, ray-triangle tests, mesh access.
#include "engine/mesh_descriptor.h"
#include "race/track_data.h"

#include <array>
#include <cmath>
#include <cstdint>

struct P3 {
    double x, y, z;
};

inline P3 sub(P3 a, P3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline P3 crossP(P3 a, P3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double dotP(P3 a, P3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double lengthP(P3 a) {
    return std::sqrt(dotP(a, a));
}

// Key k of a compiled-in path.
const float* keyOf(int path, int k);
P3 keyPosition(int path, int k);
// A point in the car's frame taken to the world by key k of a path.
P3 throughKey(int path, int k, const float local[3]);

P3 vertexOf(const NymMeshDescriptor& d, std::uint32_t i);
P3 normalOf(const NymMeshDescriptor& d, std::uint32_t i);

// Moller-Trumbore in double: true if the line o + t*dir meets the triangle (edges included); t out.
bool lineHitsTriangle(P3 o, P3 dir, P3 v0, P3 v1, P3 v2, double& t);

// Whether a vertical line through p meets a triangle of the road piece of section s.
bool overRoad(int section, P3 p);

// The section of a key.
int sectionOfKey(int k);

// Distance in the x-z plane from p to the racing line between keys [first, end).
double distanceToLine(P3 p, int first, int end);
