#pragma once
// The views of the trackside cameras: from each camera to car 1 at every key of its section. Scenery is
// kept out of them so that every camera sees its cars.
#include "world_model.h"

#include <vector>

namespace world {

struct SightLine {
    V3 from, to;
};

std::vector<SightLine> trackSideSightLines(const WorldModel& w);

// Whether an object standing on footprint (centre, radius) would cut any of the lines.
bool blocksSight(const std::vector<SightLine>& lines, V3 centre, double radius);

} // namespace world
