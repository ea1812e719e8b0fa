#pragma once
// The two halves of the section01 atlas painter.
#include "art/image.h"

namespace art {

void paintGround(Image& img);  // grass, meadow, pavement, gravel
void paintWalls(Image& img);   // stone wall, hedge, rock face, concrete wall, fence
void paintFacades(Image& img); // the four house fronts, roofs, gable wall and grandstand

} // namespace art
