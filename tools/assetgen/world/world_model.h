#pragma once
// Everything the generator builds, before it is written out: the line, the keys, the tables and meshes.
#include "key_paths.h"
#include "mesh.h"
#include "track_line.h"

#include <array>
#include <string>
#include <vector>

namespace world {

inline constexpr int kMeshCount = 77;

struct CameraRecord {
    V3 position, target;
    double fieldOfView, nearDistance, farDistance;
};

struct TunnelSpan {
    int section;
    double from, to; // arc range covered
};

struct WorldModel {
    TrackLine line;
    std::array<double, 15> sectionStarts{};
    std::vector<double> keyArcs;
    std::array<KeyPathData, 4> paths;
    std::array<CameraRecord, 15> cameras;
    std::array<std::vector<V3>, 6> dollies;
    std::vector<TunnelSpan> tunnels;
    std::array<Mesh, kMeshCount> meshes;
    std::array<std::string, kMeshCount> meshNames; // what each mesh holds, for the generated sources
};

// Builds the whole world; deterministic.
WorldModel buildWorld();

// Which section an arc position lies in.
int sectionAt(const WorldModel& w, double arc);

// Where the waterfall's cliff stands (its foot) and the way it faces.
struct WaterfallSite {
    V3 base, facing;
};
WaterfallSite waterfallSite(const WorldModel& w);

// Parts of the builder.
void buildCarMeshes(WorldModel& w);
void buildRoadAndGround(WorldModel& w);
void buildScenery(WorldModel& w);
void buildWaterfallAndSpares(WorldModel& w);

} // namespace world
