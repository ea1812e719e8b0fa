#include "engine/mesh_descriptor.h"
#include "files/nym_trace.h"
#include "race/race_track.h"

namespace {

constexpr Fixed kOne{0x10000};

FixedVec4 vertexOf(const NymMeshDescriptor& d, int index) {
    const float* p = &d.positions[3 * index];
    return {FixedFromFloat(p[0]), FixedFromFloat(p[1]), FixedFromFloat(p[2]), Fixed{0}};
}

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
    const Fixed inv = FixedDiv(kOne, det);
    const FixedVec4 toOrigin = difference(origin, v0);
    u = FixedMul(dot(toOrigin, p), inv);
    if (u < Fixed{0} || u > kOne) {
        return false;
    }
    const FixedVec4 q = cross(toOrigin, e1);
    v = FixedMul(dot(direction, q), inv);
    if (v < Fixed{0} || u + v > kOne) {
        return false;
    }
    // Either sign of t is a hit: an origin below the road still finds it.
    t = FixedMul(dot(e2, q), inv);
    return true;
}

// Searches the road pieces near the action, starting two triangles before the slot's last hit: the
// slot's section from there, the next section, the slot's section whole, the previous section.
FixedVec4 RaceTrack::probeRoad(int slot, const FixedVec4& origin, const FixedVec4& direction) {
    FixedVec4 result{};
    bool found = false;
    int tests = 0;

    probeTriangle[slot] -= 2;
    if (probeTriangle[slot] < 0) {
        probeTriangle[slot] = 0;
    }
    const int drift = probeSection[slot] - currentSection;
    if (drift > 2 || drift < -2) {
        probeSection[slot] = currentSection < neighbourSection ? currentSection : neighbourSection;
        probeTriangle[slot] = 0;
    }
    const int s0 = probeSection[slot];
    const int next = s0 + 1 == kSectionCount ? 0 : s0 + 1;
    const int previous = s0 == 0 ? kSectionCount - 1 : s0 - 1;
    const int start = probeTriangle[slot];
    const int followingSection[4] = {next, s0, previous, previous};

    for (int attempt = 0; attempt < 4 && !found; ++attempt) {
        const NymMeshDescriptor& d = meshDescriptors[trackSections[probeSection[slot]].objects[0]];
        const int triangles = static_cast<int>(d.triangleCount);
        if (probeTriangle[slot] >= triangles) {
            probeTriangle[slot] = 0;
        }
        while (!found && triangles > 0) {
            ++tests;
            const std::uint16_t* index = &d.indices[3 * probeTriangle[slot]];
            Fixed t{}, u{}, v{};
            found = intersectTriangle(origin, direction, vertexOf(d, index[0]), vertexOf(d, index[1]),
                                      vertexOf(d, index[2]), t, u, v);
            if (found) {
                result = {origin.x + FixedMul(t, direction.x), origin.y + FixedMul(t, direction.y),
                          origin.z + FixedMul(t, direction.z), Fixed{0}};
            } else if (++probeTriangle[slot] == triangles) {
                probeTriangle[slot] = 0;
                break;
            }
        }
        if (!found) {
            probeSection[slot] = followingSection[attempt];
            probeTriangle[slot] = 0;
        }
    }

    NymTrace* trace = NymTrace::Instance();
    if (tests > 10) {
        trace->Print(100, "Section %d => Excess Iterations = %d from start point = %d \n", probeSection[slot],
                     tests, start);
    }
    if (!found) {
        trace->Print(1000, "No Intersection Found - Current %d - Next %d !!!\n", currentSection,
                     neighbourSection);
    }
    return result;
}
