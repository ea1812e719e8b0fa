#pragma once
#include "world_model.h"

#include <string>

namespace world {

// Writes dir/track-map.png (the circuit from above) and dir/meshes.png (a shaded thumbnail of every mesh).
void writeWorldPreviews(const WorldModel& w, const std::string& dir);

} // namespace world
