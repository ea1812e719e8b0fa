#pragma once
// The overlay's compiled-in art: the font sheet and tables, the four 16 x 16 images and the two logos,
// written as the sources and binary files of assets/print3d/.
#include "art/image.h"

#include <cstdint>
#include <vector>

class AssetSink;

namespace art {

// The Nymbus emblem, three swept wings over a disc of the `accent` colour: centred on the disc at
// (cx, cy), `scale` times its size on logo A (a disc of radius 14, wings 52 pixels wide).
void paintNymbusEmblem(Image& image, float cx, float cy, float scale, const Colour& accent);

// Logo A ("Nymbus") and logo B ("Zidaz"): 128 x 128, row 0 at the top of the drawn quad.
Image paintLogo(bool logoB);

// The four 16 x 16 images as stored: a 16-byte header, then 256 pixels of 16 bits.
std::vector<std::uint8_t> iconImage(int index);

void addOverlayArt(AssetSink& sink);

} // namespace art
