#pragma once
// The overlay's font sheet: both fonts' glyphs in one 256 x 256 coverage image, and their tables.
#include <array>
#include <cstdint>
#include <vector>

namespace art {

struct FontTables {
    std::array<float, 256> u{}, v{}, width{};
};

// The drawn box of a glyph hangs below its table v: top at v - offset, bottom at top - height.
struct FontMetrics {
    float glyphHeight;
    float topOffset;
};
inline constexpr FontMetrics LargeFontMetrics{29.0f / 255.0f, 1.0f / 230.0f};
inline constexpr FontMetrics SmallFontMetrics{12.0f / 255.0f, 0.0001f};

struct FontSheet {
    std::vector<std::uint8_t> coverage; // 256 x 256, row r covers v from r/256 to (r+1)/256
    FontTables large, small;
};

// The 87 character codes that have glyphs, in ascending order.
std::vector<unsigned char> fontGlyphCodes();

FontSheet buildFontSheet();

} // namespace art
