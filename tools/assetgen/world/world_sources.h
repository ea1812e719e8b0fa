#pragma once
#include "asset_sink.h"
#include "world_model.h"

namespace world {

// Adds assets/world/*.cpp to the sink: the tables, the key paths, the mesh descriptors and mesh arrays.
void writeWorldSources(const WorldModel& w, AssetSink& sink);

} // namespace world
