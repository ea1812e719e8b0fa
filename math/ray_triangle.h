#pragma once
// The ray-triangle test in Fixed that the road probe stands the cars on.
#include "math/vector.h"

// Moller-Trumbore ray-triangle test in Fixed. On a hit, t is the distance along direction in units of
// its length (either sign), u and v the barycentric coordinates with respect to v1 and v2. Edges and
// vertices count as hits; a line parallel to the plane never does. Every product is floored, so a point
// within a few raw units of an edge can round out of both triangles that share the edge.
bool intersectTriangle(const FixedVec4& origin, const FixedVec4& direction, const FixedVec4& v0,
                       const FixedVec4& v1, const FixedVec4& v2, Fixed& t, Fixed& u, Fixed& v);
