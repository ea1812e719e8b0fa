// The figures of the generated world, for the --report verb.
#include "asset_sink.h"
#include "world/road_coverage.h"
#include "world/section_layout.h"
#include "world/world_model.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

std::string format(const char* fmt, double a, double b = 0, double c = 0, double d = 0, double e = 0) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, fmt, a, b, c, d, e);
    return buffer;
}

} // namespace

std::string worldReport() {
    using namespace world;
    const WorldModel w = buildWorld();
    std::string out;
    const auto& line = w.paths[0];
    auto step = [&](int k) {
        const Key& a = line[static_cast<std::size_t>(k)];
        const Key& b = line[static_cast<std::size_t>((k + 1) % kKeys)];
        return distanceXZ({a[9], a[10], a[11]}, {b[9], b[10], b[11]});
    };
    double lap = 0.0;
    for (int k = 0; k < kKeys; ++k) {
        lap += step(k);
    }
    out += format("lap length (key to key, 1748 -> 0): %.2f\n", lap);
    out += "section  keys  length  spacing mean/min/max  camera distance  road triangles\n";
    for (int s = 0; s < kSections; ++s) {
        const int first = kSectionFirstKey[s], end = std::min(kKeys, kSectionFirstKey[s + 1]);
        double len = 0.0, lo = 1e9, hi = 0.0;
        for (int k = first; k < end; ++k) {
            const double d = step(k);
            len += d;
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
        const V3 cam = w.cameras[static_cast<std::size_t>(s + 1)].position;
        const double camera = w.line.distanceWithin(cam, w.sectionStarts[static_cast<std::size_t>(s)],
                                                    w.sectionStarts[static_cast<std::size_t>(s + 1)]);
        out += format("%7.0f %5.0f %7.1f   ", s, end - first, len) +
               format("%.3f/%.3f/%.3f", len / (end - first), lo, hi) +
               format("        %6.1f         %5.0f\n", camera,
                      static_cast<double>(w.meshes[kSectionObjects[s][0]].triangleCount()));
    }
    for (const TunnelSpan& t : w.tunnels) {
        out += format("tunnel in section %.0f: %.1f units\n", t.section, t.to - t.from);
    }
    std::size_t vertices = 0, triangles = 0;
    for (const Mesh& m : w.meshes) {
        vertices += m.vertexCount();
        triangles += m.triangleCount();
    }
    out += format("meshes: %.0f vertices, %.0f triangles\n", static_cast<double>(vertices),
                  static_cast<double>(triangles));

    // The road probe under every wheel and shadow corner, far finer than a 1000 fps frame (0.021 keys).
    const GeneratedProbedWorld probed(w);
    constexpr int kStepsPerKey = 1000;
    const CoverageReport coverage = checkRoadCoverage(probed.probed, kStepsPerKey);
    out += format("road under the cars at %.0f positions a key: %.0f positions, %.0f probes\n", kStepsPerKey,
                  static_cast<double>(coverage.positions), static_cast<double>(coverage.probes));
    const ProbeMisses& m = coverage.misses;
    out +=
        format("  misses per 100,000 frames: %.2f no road, %.2f rounding at an edge, %.2f faraway section\n",
               perHundredThousandFrames(m.hole, coverage.positions),
               perHundredThousandFrames(m.rounding, coverage.positions),
               perHundredThousandFrames(m.faraway, coverage.positions));
    for (const std::string& example : coverage.examples) {
        out += "  " + example + "\n";
    }
    const EdgeReport edges = checkRoadEdges(probed.probed, 20, 3);
    out += format("road triangle edges, points up to 3 raw units either side: %.0f tested, %.0f missed\n",
                  static_cast<double>(edges.points), static_cast<double>(edges.missed));
    return out;
}
