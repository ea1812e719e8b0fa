#include "world_model.h"

#include "section_layout.h"

namespace world {

namespace {

// Tunnels: which section, and where in it (units from the section's start).
struct TunnelPlace {
    int section;
    double from, length;
};
constexpr TunnelPlace kTunnelPlaces[4] = {{1, 10.0, 18.0}, {2, -24.0, 20.0}, {4, 4.0, 18.0}, {9, 14.0, 24.0}};

void placeCameras(WorldModel& w) {
    // Record 0 overlooks the start from beside the grid; records 1-14 are the sections' cameras, each
    // looking at the nearest point of its section's line.
    for (int s = 0; s < 14; ++s) {
        CameraRecord& c = w.cameras[static_cast<std::size_t>(s + 1)];
        c.position = {kCameraPosition[s][0], kCameraPosition[s][1], kCameraPosition[s][2]};
        const double from = w.sectionStarts[static_cast<std::size_t>(s)],
                     to = w.sectionStarts[static_cast<std::size_t>(s + 1)];
        double best = 1e30, bestArc = from;
        for (double a = from; a < to; a += 0.5) {
            const double d = distanceXZ(w.line.at(a), c.position);
            if (d < best) {
                best = d;
                bestArc = a;
            }
        }
        c.target = w.line.at(bestArc);
        c.fieldOfView = 0.7610;
        c.nearDistance = 0.25;
        c.farDistance = 1024.0;
    }
    CameraRecord& overview = w.cameras[0];
    overview.position = w.line.at(20.0) + w.line.right(20.0) * -12.0 + V3{0, 3.0, 0};
    overview.target = {0, 0, 0};
    overview.fieldOfView = 0.7610;
    overview.nearDistance = 0.25;
    overview.farDistance = 1024.0;
}

// Dolly splines: the given ends, the inner points on the racing line between them at road level.
std::vector<V3> dolly(const WorldModel& w, V3 first, V3 last, int count) {
    const double a0 = w.line.nearestArc(first), a1 = w.line.nearestArc(last);
    std::vector<V3> points(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        points[static_cast<std::size_t>(i)] = w.line.at(a0 + (a1 - a0) * i / (count - 1));
    }
    points.front() = first;
    points.back() = last;
    return points;
}

} // namespace

int sectionAt(const WorldModel& w, double arc) {
    for (int s = 13; s >= 0; --s) {
        if (arc >= w.sectionStarts[static_cast<std::size_t>(s)]) {
            return s;
        }
    }
    return 0;
}

WorldModel buildWorld() {
    WorldModel w{TrackLine(circuitControlPoints()), {}, {}, {}, {}, {}, {}, {}, {}};
    w.sectionStarts = sectionStartArcs(w.line);
    w.keyArcs = keyArcs(w.sectionStarts);
    w.paths = buildKeyPaths(w.line, w.keyArcs);
    for (const TunnelPlace& t : kTunnelPlaces) {
        // A negative place counts back from the section's end.
        const double start = t.from >= 0 ? w.sectionStarts[static_cast<std::size_t>(t.section)] + t.from
                                         : w.sectionStarts[static_cast<std::size_t>(t.section + 1)] + t.from;
        w.tunnels.push_back({t.section, start, start + t.length});
    }
    placeCameras(w);
    for (const DollyEnds& d : kDollies) {
        w.dollies[static_cast<std::size_t>(d.entry)] =
            dolly(w, {d.first[0], d.first[1], d.first[2]}, {d.last[0], d.last[1], d.last[2]}, d.count);
    }
    // The unused entries: short runs along the start straight, the finish and the gorge.
    const double spare[3][2] = {{5.0, 60.0},
                                {w.sectionStarts[13] + 10.0, w.sectionStarts[13] + 70.0},
                                {w.sectionStarts[6] + 10.0, w.sectionStarts[6] + 70.0}};
    const int spareEntry[3] = {0, 1, 5};
    for (int i = 0; i < 3; ++i) {
        w.dollies[static_cast<std::size_t>(spareEntry[i])] =
            dolly(w, w.line.at(spare[i][0]), w.line.at(spare[i][1]), 20);
    }
    buildCarMeshes(w);
    buildRoadAndGround(w);
    buildScenery(w);
    buildWaterfallAndSpares(w);
    return w;
}

} // namespace world
