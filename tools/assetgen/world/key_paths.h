#pragma once
// The four key paths: entry 0 the racing line, entries 1-3 the cars', which weave round it.
#include "track_line.h"

#include <array>
#include <vector>

namespace world {

using Key = std::array<float, 12>;    // x axis, y axis, z axis, position
using KeyPathData = std::vector<Key>; // 1751 keys: 1749 halfway from 1748 to 0, 1750 repeating key 0

// Lateral offset (to the right of the line) of a path at a key: 0 for the racing line (path 0).
double lateralOffset(int path, int key);

std::array<KeyPathData, 4> buildKeyPaths(const TrackLine& line, const std::vector<double>& arcs);

} // namespace world
