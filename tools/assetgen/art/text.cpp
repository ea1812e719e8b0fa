#include "art/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace art {

namespace {

const char* fontPath(Typeface face) {
    switch (face) {
    case Typeface::Sans:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case Typeface::SansBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case Typeface::CondensedBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
    case Typeface::SerifBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    case Typeface::MonoBold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
    }
    return "";
}

// The library and the faces, opened on first use and kept for the tool's run.
class Fonts {
public:
    static Fonts& instance() {
        static Fonts fonts;
        return fonts;
    }
    FT_Face face(Typeface which) {
        const int i = static_cast<int>(which);
        if (faces_[i] == nullptr && FT_New_Face(library_, fontPath(which), 0, &faces_[i]) != 0) {
            std::fprintf(stderr, "nymbus-assetgen: cannot load the font %s\n", fontPath(which));
            std::exit(1);
        }
        return faces_[i];
    }

private:
    Fonts() {
        if (FT_Init_FreeType(&library_) != 0) {
            std::fprintf(stderr, "nymbus-assetgen: cannot start FreeType\n");
            std::exit(1);
        }
    }
    ~Fonts() {
        for (FT_Face f : faces_) {
            if (f != nullptr) {
                FT_Done_Face(f);
            }
        }
        FT_Done_FreeType(library_);
    }
    FT_Library library_ = nullptr;
    FT_Face faces_[5] = {};
};

} // namespace

GlyphBitmap renderGlyph(Typeface which, int pixelSize, unsigned long code) {
    FT_Face face = Fonts::instance().face(which);
    GlyphBitmap g;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0 ||
        FT_Load_Char(face, code, FT_LOAD_RENDER) != 0) {
        return g;
    }
    const FT_GlyphSlot slot = face->glyph;
    g.width = static_cast<int>(slot->bitmap.width);
    g.rows = static_cast<int>(slot->bitmap.rows);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.coverage.resize(static_cast<std::size_t>(g.width) * g.rows);
    for (int r = 0; r < g.rows; ++r) {
        for (int c = 0; c < g.width; ++c) {
            g.coverage[static_cast<std::size_t>(r) * g.width + c] =
                slot->bitmap.buffer[r * slot->bitmap.pitch + c];
        }
    }
    return g;
}

int textWidth(Typeface face, int pixelSize, const std::string& text) {
    int w = 0;
    for (char ch : text) {
        w += renderGlyph(face, pixelSize, static_cast<unsigned char>(ch)).advance;
    }
    return w;
}

int fitTextSize(Typeface face, int size, const std::string& text, float maxWidth) {
    while (size > 6 && static_cast<float>(textWidth(face, size, text)) > maxWidth) {
        --size;
    }
    return size;
}

void drawText(Image& img, Typeface face, int pixelSize, const std::string& text, float x, float baseline,
              const Colour& colour, bool upward) {
    int pen = static_cast<int>(std::lround(x));
    const int base = static_cast<int>(std::lround(baseline));
    for (char ch : text) {
        const GlyphBitmap g = renderGlyph(face, pixelSize, static_cast<unsigned char>(ch));
        for (int r = 0; r < g.rows; ++r) {
            const int y = upward ? base + g.top - 1 - r : base - g.top + r;
            for (int c = 0; c < g.width; ++c) {
                const float cover =
                    static_cast<float>(g.coverage[static_cast<std::size_t>(r) * g.width + c]) / 255.0f;
                img.blend(pen + g.left + c, y, colour, cover);
            }
        }
        pen += g.advance;
    }
}

void drawTextCentred(Image& img, Typeface face, int pixelSize, const std::string& text, float cx,
                     float baseline, const Colour& colour, bool upward) {
    drawText(img, face, pixelSize, text, cx - static_cast<float>(textWidth(face, pixelSize, text)) * 0.5f,
             baseline, colour, upward);
}

} // namespace art
