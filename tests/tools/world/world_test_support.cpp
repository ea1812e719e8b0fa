#include "world_test_support.h"

#include <algorithm>

const float* keyOf(int path, int k) {
    return keyPaths[path].keys + static_cast<std::size_t>(k) * kKeyFloats;
}

P3 keyPosition(int path, int k) {
    const float* key = keyOf(path, k);
    return {key[9], key[10], key[11]};
}

P3 throughKey(int path, int k, const float local[3]) {
    const float* m = keyOf(path, k);
    P3 out{m[9], m[10], m[11]};
    for (int axis = 0; axis < 3; ++axis) {
        out.x += local[axis] * m[axis * 3 + 0];
        out.y += local[axis] * m[axis * 3 + 1];
        out.z += local[axis] * m[axis * 3 + 2];
    }
    return out;
}

P3 vertexOf(const NymMeshDescriptor& d, std::uint32_t i) {
    return {d.positions[i * 3], d.positions[i * 3 + 1], d.positions[i * 3 + 2]};
}

P3 normalOf(const NymMeshDescriptor& d, std::uint32_t i) {
    return {d.normals[i * 3], d.normals[i * 3 + 1], d.normals[i * 3 + 2]};
}

bool lineHitsTriangle(P3 o, P3 dir, P3 v0, P3 v1, P3 v2, double& t) {
    const P3 e1 = sub(v1, v0), e2 = sub(v2, v0);
    const P3 p = crossP(dir, e2);
    const double det = dotP(e1, p);
    if (std::fabs(det) < 1e-12) {
        return false;
    }
    const double inv = 1.0 / det;
    const P3 tv = sub(o, v0);
    const double u = dotP(tv, p) * inv;
    if (u < 0.0 || u > 1.0) {
        return false;
    }
    const P3 q = crossP(tv, e1);
    const double v = dotP(dir, q) * inv;
    if (v < 0.0 || u + v > 1.0) {
        return false;
    }
    t = dotP(e2, q) * inv;
    return true;
}

bool overRoad(int section, P3 p) {
    const NymMeshDescriptor& d = meshDescriptors[trackSections[section].objects[0]];
    for (std::uint32_t i = 0; i < d.triangleCount; ++i) {
        const P3 a = vertexOf(d, d.indices[i * 3]), b = vertexOf(d, d.indices[i * 3 + 1]),
                 c = vertexOf(d, d.indices[i * 3 + 2]);
        double t = 0.0;
        if (lineHitsTriangle(p, {0.0, -1.0, 0.0}, a, b, c, t)) {
            return true;
        }
    }
    return false;
}

int sectionOfKey(int k) {
    for (int s = 0; s < kSectionCount; ++s) {
        if (k >= trackSections[s].firstKey && k < trackSections[s].endKey) {
            return s;
        }
    }
    return -1;
}

double distanceToLine(P3 p, int first, int end) {
    double best = 1e30;
    for (int k = first; k + 1 < end + 1 && k < static_cast<int>(kPathKeyCount); ++k) {
        const P3 a = keyPosition(0, k), b = keyPosition(0, k + 1);
        const double dx = b.x - a.x, dz = b.z - a.z, len2 = dx * dx + dz * dz;
        const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.z - a.z) * dz) / len2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(a.x + dx * t - p.x, a.z + dz * t - p.z));
    }
    return best;
}
