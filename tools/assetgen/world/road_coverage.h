#pragma once
// Whether the race's road probe finds road under every wheel and shadow corner of the cars: the probe's
// own 16.16 ray-triangle test against the road pieces, at positions along the key paths far finer than
// any frame rate, each miss put down to its cause.
#include "section_layout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace world {

struct WorldModel;

// The world as the race reads it: each section's road piece (float positions, 16-bit triangles), each
// car's keys (12 floats a key), the contact box and shadow corners in the car's frame, and the first
// key of every section (with the end key after the last).
struct ProbedWorld {
    struct Piece {
        const float* positions;
        const std::uint16_t* indices;
        std::size_t triangles;
    };
    std::array<Piece, kSections> pieces;
    std::array<const float*, 3> carKeys;
    const float (*contactBox)[3];
    const float (*shadowCorners)[3];
    std::array<int, kSections + 1> sectionFirstKey;
};

// The same for the world the generator builds, with the float copies the pointers refer to.
struct GeneratedProbedWorld {
    explicit GeneratedProbedWorld(const WorldModel& w);
    ProbedWorld probed{};

private:
    std::array<std::vector<float>, 3> keys_;
    float contactBox_[8][3];
    float shadowCorners_[4][3];
};

// The misses of a check, by cause.
struct ProbeMisses {
    long long hole = 0;     // no road triangle lies under the point at all
    long long rounding = 0; // a triangle lies under it, but the 16.16 test meets none
    long long faraway = 0;  // met only in road pieces beyond the car's section and its two neighbours
    long long total() const { return hole + rounding + faraway; }
};

struct CoverageReport {
    long long positions = 0; // car positions sampled
    long long probes = 0;    // four wheels and four shadow corners at each
    ProbeMisses misses;
    std::vector<std::string> examples; // the first few misses, described
};

// Every car at stepsPerKey evenly spaced positions between each pair of keys of its path, placed as
// the race places it (Catmull-Rom between the neighbouring keys, the key after the last being key 0).
CoverageReport checkRoadCoverage(const ProbedWorld& world, int stepsPerKey);

// Points 1 to maxOffset raw units either side of each road triangle's edges (and on them), at
// pointsPerEdge places along each, that lie at least 0.01 inside the road surface; the count of those
// under which the 16.16 test meets no triangle, and the count tested.
struct EdgeReport {
    long long points = 0;
    long long missed = 0;
};
EdgeReport checkRoadEdges(const ProbedWorld& world, int pointsPerEdge, int maxOffset);

// Misses per 100,000 frames, each frame probing under the three cars once.
double perHundredThousandFrames(long long misses, long long positions);

} // namespace world
