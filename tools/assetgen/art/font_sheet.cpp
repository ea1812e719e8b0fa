#include "art/font_sheet.h"

#include "art/text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace art {

namespace {

constexpr int SheetSize = 256;

// Glyph rows of one font, top row first, and where each row's top edge lies (in texels).
struct RowPlan {
    int top;
    std::string codes;
};

// A glyph whose width (and place, unless u is 0) is fixed in texels; every other glyph follows from its
// rendering.
struct Pin {
    unsigned char code;
    int u, width;
};

struct FontPlan {
    Typeface face;
    FontMetrics metrics;
    int pixelSize;
    int padding;  // texels of space on each side of the ink
    int headroom; // texels between the row top and the top of the tallest letters
    bool boost;   // thicken thin anti-aliased strokes (small sizes)
    std::vector<RowPlan> rows;
    std::vector<Pin> pins;
};

// Table values are whole texels over 256, written to four decimals.
float texels(int n) {
    return static_cast<float>(std::round(static_cast<double>(n) / SheetSize * 10000.0) / 10000.0);
}

// The four symbols of codes 1-4: a play triangle, a disc, a square and a star.
unsigned long codePoint(unsigned char code) {
    static constexpr unsigned long symbols[4] = {0x25B6, 0x25CF, 0x25A0, 0x2605};
    return code >= 1 && code <= 4 ? symbols[code - 1] : code;
}

void layOut(const FontPlan& plan, std::vector<std::uint8_t>& coverage, FontTables& tables) {
    const int ascent = renderGlyph(plan.face, plan.pixelSize, 'l').top;
    for (const RowPlan& row : plan.rows) {
        const int baseline = row.top - plan.headroom - ascent;
        // Ink stays inside the rows the drawn box touches.
        const float boxTop = static_cast<float>(row.top) - plan.metrics.topOffset * SheetSize;
        const int yMax = static_cast<int>(std::ceil(boxTop));
        const int yMin = static_cast<int>(std::floor(boxTop - plan.metrics.glyphHeight * SheetSize));
        int u = 1;
        for (unsigned char code : row.codes) {
            const GlyphBitmap g = renderGlyph(plan.face, plan.pixelSize, codePoint(code));
            int width = g.width + 2 * plan.padding;
            for (const Pin& p : plan.pins) {
                if (p.code == code) {
                    u = std::max(u, p.u);
                    width = p.width;
                }
            }
            const int x0 = u + (width - g.width) / 2;
            for (int r = 0; r < g.rows; ++r) {
                const int y = baseline + g.top - 1 - r;
                for (int c = 0; c < g.width; ++c) {
                    const int x = x0 + c;
                    if (x >= u && x < u + width && y >= yMin && y < yMax) {
                        std::uint8_t& dst = coverage[static_cast<std::size_t>(y) * SheetSize + x];
                        std::uint8_t cover = g.coverage[static_cast<std::size_t>(r) * g.width + c];
                        if (plan.boost) {
                            cover = static_cast<std::uint8_t>(std::lround(std::sqrt(cover / 255.0) * 255.0));
                        }
                        dst = std::max(dst, cover);
                    }
                }
            }
            tables.u[code] = texels(u);
            tables.v[code] = texels(row.top);
            tables.width[code] = texels(width);
            u += width;
        }
    }
}

std::string range(char first, char last) {
    std::string s;
    for (char c = first; c <= last; ++c) {
        s += c;
    }
    return s;
}

} // namespace

std::vector<unsigned char> fontGlyphCodes() {
    const std::string all = std::string("\x01\x02\x03\x04") + "!\"$%&'()*+,-./" + range('0', '9') + ":;=?@" +
                            range('A', 'Z') + "\\_" + range('a', 'z');
    std::vector<unsigned char> codes(all.begin(), all.end());
    std::sort(codes.begin(), codes.end());
    return codes;
}

FontSheet buildFontSheet() {
    FontSheet sheet;
    sheet.coverage.assign(static_cast<std::size_t>(SheetSize) * SheetSize, 0);
    // Digits all take the width of the zero, the width the layout advances them by.
    std::vector<Pin> largePins{{'0', 1, 17}, {'i', 157, 6}, {'A', 1, 24}, {'W', 24, 32}};
    for (char d = '1'; d <= '9'; ++d) {
        largePins.push_back({static_cast<unsigned char>(d), 0, 17});
    }
    const FontPlan large{Typeface::SansBold,
                         LargeFontMetrics,
                         27,
                         1,
                         2,
                         false,
                         {{256, "\x01\x02\x03\x04!\"$'()*+,-./"},
                          {226, range('0', '9') + ":;=\\_"},
                          {196, std::string("?").append(range('a', 'n'))},
                          {166, range('o', 'z')},
                          {136, range('A', 'J')},
                          {106, range('K', 'U')},
                          {76, range('V', 'Z') + "%&@"}},
                         largePins};
    // Appended rather than prefixed: GCC 12 at -O3 takes a literal + string for an overlapping copy.
    const std::string smallFirstRow =
        std::string("\x01\x02\x03\x04!\"$%&'()*+,-./").append(range('0', '9')) + ":;=?@";
    const FontPlan small{Typeface::Sans,
                         SmallFontMetrics,
                         10,
                         0,
                         1,
                         true,
                         {{42, smallFirstRow}, {27, range('a', 'z')}, {12, range('A', 'Z') + "\\_"}},
                         {{'A', 2, 7}}};
    layOut(large, sheet.coverage, sheet.large);
    layOut(small, sheet.coverage, sheet.small);
    return sheet;
}

} // namespace art
