#pragma once

#include "math/fixed.h"
#include "print3d/print3d_artwork.h"

#include <cstdint>

// One overlay vertex, in the layout handed to the GL (24 bytes): position, colour bytes R, G, B, A, and
// texture coordinates.
struct Print3DVertex {
    Fixed x, y, z;
    std::uint8_t colour[4];
    Fixed u, v;
};
static_assert(sizeof(Print3DVertex) == 24);

// At most this many characters of a text are laid out; the text cache holds their quads.
inline constexpr int kMaxTextCharacters = 5120;
inline constexpr int kTextCacheVertices = 4 * kMaxTextCharacters;

// The screen's size relative to 640 x 480, the space texts are positioned in.
struct Print3DScreenScale {
    float horizontal;
    float vertical;
};

// Lays a text out at (x, y) of the 640 x 480 space into quads of four vertices each (top-left, top-right,
// bottom-left, bottom-right). A scale above 0 selects the large font at that size, 0 the large font at
// the small font's size, below 0 the small font. colour is 0xAABBGGRR. Writes at most
// kTextCacheVertices vertices; returns how many.
int layOutText(const char* text, float x, float y, float scale, std::uint32_t colour,
               Print3DScreenScale screen, const Print3DArtwork& artwork, Print3DVertex* out);
