#include "print3d/text_layout.h"

namespace {

// Where a font's glyphs lie below their table v, and how tall they are, in texture units.
struct FontMetrics {
    Print3DFontTables tables;
    float topOffset;
    float glyphHeight;
};

FontMetrics fontFor(float scale, const Print3DArtwork& artwork) {
    if (scale < 0.0f) {
        return {artwork.smallFont, 0.0001f, 12.0f / 255.0f};
    }
    return {artwork.largeFont, 1.0f / 230.0f, 29.0f / 255.0f};
}

void setVertex(Print3DVertex& vertex, float x, float y, float u, float v, std::uint32_t colour) {
    vertex.x = FixedFromFloat(x);
    vertex.y = FixedFromFloat(y);
    vertex.z = Fixed{0};
    // 0xAABBGGRR stored little-endian: R, G, B, A.
    vertex.colour[0] = static_cast<std::uint8_t>(colour);
    vertex.colour[1] = static_cast<std::uint8_t>(colour >> 8);
    vertex.colour[2] = static_cast<std::uint8_t>(colour >> 16);
    vertex.colour[3] = static_cast<std::uint8_t>(colour >> 24);
    vertex.u = FixedFromFloat(u);
    vertex.v = FixedFromFloat(v);
}

} // namespace

int layOutText(const char* text, float x, float y, float scale, std::uint32_t colour,
               Print3DScreenScale screen, const Print3DArtwork& artwork, Print3DVertex* out) {
    float unit;
    float lineHeight;
    if (scale > 0.0f) {
        unit = screen.horizontal * scale * 255.0f;
        lineHeight = screen.vertical * scale * 27.0f;
    } else {
        unit = screen.horizontal * 255.0f;
        lineHeight = screen.vertical * 12.0f;
    }
    const FontMetrics font = fontFor(scale, artwork);

    float penX = screen.horizontal * x;
    const float lineStart = penX;
    float penY = screen.vertical * y;
    // A glyph's advance is applied when the next glyph is placed, after any spaces in between.
    float pendingAdvance = 0.0f;
    float lineStep = 0.0f;
    int count = 0;

    for (int i = 0; i < kMaxTextCharacters && text[i] != '\0'; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == ' ') {
            penX += scale > 0.0f ? unit / 25.5f : 5.0f * screen.horizontal;
            continue;
        }
        if (c == '\n') {
            penX = lineStart - pendingAdvance;
            penY += lineStep;
            continue;
        }
        penX += pendingAdvance;
        const float width = font.tables.width[c];
        pendingAdvance = width * unit;
        lineStep = lineHeight;

        const float left = penX;
        const float right = penX + pendingAdvance;
        const float top = penY;
        const float bottom = penY + lineHeight;
        const float u0 = font.tables.u[c];
        const float u1 = u0 + width;
        const float v0 = font.tables.v[c] - font.topOffset;
        const float v1 = v0 - font.glyphHeight;
        setVertex(out[count + 0], left, top, u0, v0, colour);
        setVertex(out[count + 1], right, top, u1, v0, colour);
        setVertex(out[count + 2], left, bottom, u0, v1, colour);
        setVertex(out[count + 3], right, bottom, u1, v1, colour);
        count += 4;

        // Digits advance evenly, by the width of the digit 0.
        if (c >= '0' && c <= '9') {
            pendingAdvance = font.tables.width[static_cast<unsigned char>('0')] * unit;
        }
    }
    return count;
}
