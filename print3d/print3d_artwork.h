#pragma once

#include <cstdint>

// Where Print3D finds its artwork. The program uses the compiled-in set (font_data.h); tests hand in
// small images and tables of their own with the same layouts.
struct Print3DFontTables {
    const float* u;     // 256 entries: left edge of each glyph
    const float* v;     // 256 entries: top edge of each glyph
    const float* width; // 256 entries: glyph width; 0 for codes without a glyph
};

struct Print3DArtwork {
    const std::uint8_t* fontImage; // 256 x 256 coverage bytes
    Print3DFontTables largeFont;
    Print3DFontTables smallFont;
    const std::uint8_t* iconImages[4]; // each a 16-byte header and 16 x 16 16-bit pixels
    const std::uint8_t* logoA;         // legacy texture files, 128 x 128 RGB 565
    const std::uint8_t* logoB;
};

// The compiled-in artwork of font_data.h.
extern const Print3DArtwork compiledInArtwork;
