#pragma once
// Small stand-in artwork for the overlay's tests: every glyph cell fully covered, simple glyph tables
// with a few telling entries, solid icons and single-colour logos.
#include "print3d/font_data.h"
#include "print3d/print3d_artwork.h"

#include <array>
#include <cstdint>
#include <vector>

struct SyntheticArtwork {
    SyntheticArtwork();
    Print3DArtwork artwork() const;

    // Glyph widths of the large font: most glyphs 1/16; '1' 1/32; 'W' 1/8; 'i' 0.0234.
    static constexpr float GlyphWidth = 0.0625f;

    std::vector<std::uint8_t> font;
    std::array<float, kFontTableSize> largeU{}, largeV{}, largeWidth{};
    std::array<float, kFontTableSize> smallU{}, smallV{}, smallWidth{};
    std::array<std::array<std::uint8_t, kIconImageBytes>, kIconImageCount> icons{};
    std::vector<std::uint8_t> logoA;
    std::vector<std::uint8_t> logoB;
};

// A legacy texture file holding a 128 x 128 RGB 565 mip chain of one colour.
std::vector<std::uint8_t> solidLogoFile(std::uint16_t rgb565);
