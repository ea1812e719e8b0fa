#include "sight_lines.h"

#include "section_layout.h"

#include <algorithm>

namespace world {

std::vector<SightLine> trackSideSightLines(const WorldModel& w) {
    std::vector<SightLine> lines;
    for (int s = 0; s < kSections; ++s) {
        const V3 eye = w.cameras[static_cast<std::size_t>(s + 1)].position;
        for (int k = kSectionFirstKey[s]; k < std::min(kKeys, kSectionFirstKey[s + 1]); k += 2) {
            const Key& key = w.paths[2][static_cast<std::size_t>(k)];
            lines.push_back({eye, {key[9], key[10], key[11]}});
        }
    }
    return lines;
}

bool blocksSight(const std::vector<SightLine>& lines, V3 centre, double radius) {
    for (const SightLine& l : lines) {
        const double dx = l.to.x - l.from.x, dz = l.to.z - l.from.z;
        const double len2 = dx * dx + dz * dz;
        double t = len2 > 0 ? ((centre.x - l.from.x) * dx + (centre.z - l.from.z) * dz) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double px = l.from.x + dx * t - centre.x, pz = l.from.z + dz * t - centre.z;
        if (px * px + pz * pz < radius * radius) {
            return true;
        }
    }
    return false;
}

} // namespace world
