#include "asset_sink.h"
#include "world/track_map.h"
#include "world/world_model.h"
#include "world/world_sources.h"

void generateWorld(AssetSink& sink) {
    world::writeWorldSources(world::buildWorld(), sink);
}

void previewWorld(const std::string& dir) {
    world::writeWorldPreviews(world::buildWorld(), dir);
}
