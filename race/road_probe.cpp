#include <algorithm>

#include "engine/mesh_descriptor.h"
#include "files/nym_trace.h"
#include "race/race_track.h"

namespace {

FixedVec4 vertexOf(const NymMeshDescriptor& d, int index) {
    const float* p = &d.positions[3 * index];
    return {FixedFromFloat(p[0]), FixedFromFloat(p[1]), FixedFromFloat(p[2]), Fixed{0}};
}

int wrapSection(int s) {
    return (s % kSectionCount + kSectionCount) % kSectionCount;
}

// Tests the line against the road piece of a section from `triangle` to the piece's last triangle. On a
// hit, `triangle` is the one met and `point` where; otherwise `triangle` is back at 0.
bool searchPiece(int section, int& triangle, const FixedVec4& origin, const FixedVec4& direction,
                 FixedVec4& point, int& tests) {
    const NymMeshDescriptor& d = meshDescriptors[trackSections[section].objects[0]];
    const int triangles = static_cast<int>(d.triangleCount);
    if (triangle >= triangles) {
        triangle = 0;
    }
    for (; triangle < triangles; ++triangle) {
        ++tests;
        const std::uint16_t* index = &d.indices[3 * triangle];
        Fixed t{}, u{}, v{};
        if (intersectTriangle(origin, direction, vertexOf(d, index[0]), vertexOf(d, index[1]),
                              vertexOf(d, index[2]), t, u, v)) {
            point = {origin.x + FixedMul(t, direction.x), origin.y + FixedMul(t, direction.y),
                     origin.z + FixedMul(t, direction.z), Fixed{0}};
            return true;
        }
    }
    triangle = 0;
    return false;
}

} // namespace

// Searches the road pieces near the action, starting two triangles before the slot's last hit: the
// slot's section from there, the next section, the slot's section whole, the previous section.
bool RaceTrack::probeRoad(int slot, const FixedVec4& origin, const FixedVec4& direction, FixedVec4& point) {
    int tests = 0;
    probeTriangle[slot] = std::max(probeTriangle[slot] - 2, 0);
    const int drift = probeSection[slot] - currentSection;
    if (drift > 2 || drift < -2) {
        probeSection[slot] = std::min(currentSection, neighbourSection);
        probeTriangle[slot] = 0;
    }
    const int s0 = probeSection[slot];
    const int next = wrapSection(s0 + 1);
    const int previous = wrapSection(s0 - 1);
    const int start = probeTriangle[slot];

    bool found = false;
    const int order[4] = {s0, next, s0, previous};
    for (int attempt = 0; attempt < 4 && !found; ++attempt) {
        probeSection[slot] = order[attempt];
        found = searchPiece(order[attempt], probeTriangle[slot], origin, direction, point, tests);
    }
    // A long frame step can carry a car out of the slot's sections while staying within two of the
    // drawn one: the drawn sections and the ones either side are searched before the probe gives up.
    const int around[4] = {currentSection, neighbourSection, wrapSection(currentSection - 1),
                           wrapSection(currentSection + 1)};
    for (int i = 0; i < 4 && !found; ++i) {
        const int s = around[i];
        if (s == s0 || s == next || s == previous || std::find(around, around + i, s) != around + i) {
            continue;
        }
        probeSection[slot] = s;
        found = searchPiece(s, probeTriangle[slot], origin, direction, point, tests);
    }
    if (!found) {
        probeSection[slot] = previous;
        probeTriangle[slot] = 0;
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
    return found;
}
