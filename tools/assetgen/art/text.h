#pragma once
// Text for the painters and the font sheet: DejaVu glyphs rendered by FreeType.
#include "art/image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace art {

enum class Typeface { Sans, SansBold, CondensedBold, SerifBold, MonoBold };

// One rendered glyph: 8-bit coverage rows, top row first, placed relative to the pen on the baseline.
struct GlyphBitmap {
    int width = 0, rows = 0;
    int left = 0;    // pixels from the pen to the bitmap's left edge
    int top = 0;     // pixels from the baseline up to the bitmap's top edge
    int advance = 0; // pixels to the next pen position
    std::vector<std::uint8_t> coverage;
};

// Renders one character at a pixel size (the em height). Aborts the tool if the font cannot be loaded.
GlyphBitmap renderGlyph(Typeface face, int pixelSize, unsigned long code);

// Width of a line of text in pixels, by the glyphs' advances.
int textWidth(Typeface face, int pixelSize, const std::string& text);

// The largest pixel size up to `size` at which the text is at most maxWidth pixels wide.
int fitTextSize(Typeface face, int size, const std::string& text, float maxWidth);

// Draws a line of text with its baseline at `baseline`, starting at x. With `upward` the glyphs stand
// towards higher rows (texture v up); otherwise towards lower rows (row 0 is the top of the image).
void drawText(Image& img, Typeface face, int pixelSize, const std::string& text, float x, float baseline,
              const Colour& colour, bool upward = true);
// The same, centred on cx.
void drawTextCentred(Image& img, Typeface face, int pixelSize, const std::string& text, float cx,
                     float baseline, const Colour& colour, bool upward = true);

} // namespace art
