#pragma once
// The painters of the textures, one per file (sky.h holds the sky's). Each returns the top level as it
// is stored: row 0 first, which is texture v = 0. Upright pictures in the atlases have their top at the
// rectangle's first row (atlas_layout.h).
#include "art/image.h"

namespace art {

enum class LiveryColour { Red, Green, Yellow };

Image paintLampGlow();
Image paintShadow();
Image paintWaterfall();
Image paintRoad();
Image paintRoadSigns();
Image paintSection01();
Image paintTunnels();
Image paintIndustrial();
Image paintTrees();
Image paintLogoBoards();
Image paintLivery(LiveryColour colour);

} // namespace art
