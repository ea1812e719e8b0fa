#include "key_paths.h"

#include "float_text.h"
#include "section_layout.h"

#include <cmath>

namespace world {

namespace {

struct Weave {
    int cycles[2];
    double amplitude[2];
    double phase[2];
};

// Each car weaves with two slow waves; their sum stays within about 1.9 units.
constexpr Weave kWeave[3] = {{{7, 17}, {1.2, 0.6}, {0.4, 1.9}},
                             {{9, 13}, {1.15, 0.65}, {2.6, 0.3}},
                             {{5, 19}, {1.25, 0.55}, {4.4, 3.7}}};

// Fades the weave in after the start and out before the finish, so every path starts on the line.
double startFade(int key) {
    return smoothstep(static_cast<double>(key) / 60.0) * smoothstep(static_cast<double>(kKeys - key) / 60.0);
}

} // namespace

double lateralOffset(int path, int key) {
    if (path <= 0) {
        return 0.0;
    }
    const Weave& w = kWeave[path - 1];
    double sum = 0.0;
    for (int i = 0; i < 2; ++i) {
        sum += w.amplitude[i] * std::sin(2.0 * kPi * w.cycles[i] * key / kKeys + w.phase[i]);
    }
    return sum * startFade(key);
}

std::array<KeyPathData, 4> buildKeyPaths(const TrackLine& line, const std::vector<double>& arcs) {
    std::array<KeyPathData, 4> paths;
    for (int path = 0; path < 4; ++path) {
        std::vector<V3> points(kKeys);
        for (int k = 0; k < kKeys; ++k) {
            const double arc = arcs[static_cast<std::size_t>(k)];
            points[static_cast<std::size_t>(k)] = line.at(arc) + line.right(arc) * lateralOffset(path, k);
        }
        KeyPathData keys(kKeys + 2);
        // Keys 0-1748 are the loop; key 1749 lies halfway from key 1748 back to key 0 (the interpolation
        // never reads it), and key 1750 repeats key 0.
        for (int k = 0; k <= kKeys; ++k) {
            const V3 ahead = points[static_cast<std::size_t>((k + 1) % kKeys)];
            const V3 behind = points[static_cast<std::size_t>((k + kKeys - 1) % kKeys)];
            V3 forward = normalised(ahead - behind);
            V3 pos = points[static_cast<std::size_t>(k % kKeys)];
            if (k == kKeys) {
                forward = normalised(points[0] - points[kKeys - 1]);
                pos = (points[0] + points[kKeys - 1]) * 0.5;
            }
            // x right, y up, z back: the car travels along its own -z.
            V3 zAxis = forward * -1.0;
            V3 xAxis = rightOf(forward);
            if (k == 0) {
                xAxis = {1.0, 0.0, 0.0};
                zAxis = {0.0, 0.0, 1.0};
                pos = {};
            }
            if (k == 1 && path == 1) {
                pos = {kCar0Key1[0], kCar0Key1[1], kCar0Key1[2]};
            }
            const V3 yAxis{0.0, 1.0, 0.0};
            const V3 rows[4] = {xAxis, yAxis, zAxis, pos};
            Key& key = keys[static_cast<std::size_t>(k)];
            for (int r = 0; r < 4; ++r) {
                const double step = r == 3 ? 1e-4 : 1e-6;
                key[static_cast<std::size_t>(r * 3 + 0)] = quantise(rows[r].x, step);
                key[static_cast<std::size_t>(r * 3 + 1)] = quantise(rows[r].y, step);
                key[static_cast<std::size_t>(r * 3 + 2)] = quantise(rows[r].z, step);
            }
        }
        keys[kKeys + 1] = keys[0];
        paths[static_cast<std::size_t>(path)] = std::move(keys);
    }
    return paths;
}

} // namespace world
