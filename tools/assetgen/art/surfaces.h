#pragma once
// Pieces the atlas painters share: tiling noise over a rectangle, windows, doors and panel seams.
#include "art/image.h"

#include "atlas_layout.h"

#include <cstdint>
#include <functional>

namespace art {

// Fractal noise over rectangle r that repeats with it both ways: `cells` lattice cells across its
// width (and proportionally down its height, rounded to whole cells).
float tiledNoise(const atlas::Rect& r, float x, float y, int cells, int octaves, std::uint32_t seed);

// Fills r with f(s, t, x, y): s and t in [0, 1] across the rectangle, x and y the texel centre.
void shadeRect(Image& img, const atlas::Rect& r, const std::function<Colour(float, float, float, float)>& f);

// A window with frame, glazing bars and sky reflection in the box [x0, x1) x [y0, y1), top at y0.
void drawWindow(Image& img, float x0, float y0, float x1, float y1, const Colour& frame, bool lit = false);
// A panelled door, top at y0.
void drawDoor(Image& img, float x0, float y0, float x1, float y1, const Colour& paint);

} // namespace art
