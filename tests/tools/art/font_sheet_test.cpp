#include "asset_sink.h"

#include "art/font_sheet.h"
#include "art/legacy_texture.h"
#include "art/overlay_art.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

const art::FontSheet& sheet() {
    static const art::FontSheet s = art::buildFontSheet();
    return s;
}

// The texel rectangle of a glyph's drawn box: columns [x0, x1), rows [y0, y1) (row 0 is v = 0).
struct Box {
    int x0, x1, y0, y1;
};

Box box(const art::FontTables& t, const art::FontMetrics& m, unsigned char code) {
    const float top = (t.v[code] - m.topOffset) * 256.0f;
    return {static_cast<int>(std::lround(t.u[code] * 256.0f)),
            static_cast<int>(std::lround((t.u[code] + t.width[code]) * 256.0f)),
            static_cast<int>(std::floor(top - m.glyphHeight * 256.0f)), static_cast<int>(std::ceil(top))};
}

} // namespace

TEST(ArtFontSheet, TellingRowsHaveTheirExactValues) {
    const art::FontTables& L = sheet().large;
    EXPECT_EQ(L.u['A'], 0.0039f);
    EXPECT_EQ(L.v['A'], 0.5313f);
    EXPECT_EQ(L.width['A'], 0.0938f);
    EXPECT_EQ(L.u['i'], 0.6133f);
    EXPECT_EQ(L.v['i'], 0.7656f);
    EXPECT_EQ(L.width['i'], 0.0234f);
    EXPECT_EQ(L.u['0'], 0.0039f);
    EXPECT_EQ(L.v['0'], 0.8828f);
    EXPECT_EQ(L.width['0'], 0.0664f);
    EXPECT_EQ(L.u['W'], 0.0938f);
    EXPECT_EQ(L.v['W'], 0.2969f);
    EXPECT_EQ(L.width['W'], 0.125f);
    const art::FontTables& S = sheet().small;
    EXPECT_EQ(S.u['A'], 0.0078f);
    EXPECT_EQ(S.v['A'], 0.0469f);
    EXPECT_EQ(S.width['A'], 0.0273f);
}

TEST(ArtFontSheet, BothFontsHoldThe87GlyphsOnTheirRows) {
    const std::vector<unsigned char> codes = art::fontGlyphCodes();
    ASSERT_EQ(codes.size(), 87u);
    const std::set<unsigned char> glyphs(codes.begin(), codes.end());
    EXPECT_FALSE(glyphs.count(' '));
    EXPECT_TRUE(glyphs.count(1) && glyphs.count(4) && glyphs.count('@') && glyphs.count('_') &&
                glyphs.count('z'));
    const std::set<float> largeRows = {1.0f, 0.8828f, 0.7656f, 0.6484f, 0.5313f, 0.4141f, 0.2969f};
    const std::set<float> smallRows = {0.1641f, 0.1055f, 0.0469f};
    for (int c = 0; c < 256; ++c) {
        const auto code = static_cast<unsigned char>(c);
        for (const auto* t : {&sheet().large, &sheet().small}) {
            if (!glyphs.count(code)) {
                EXPECT_EQ(t->u[code], 0.0f);
                EXPECT_EQ(t->v[code], 0.0f);
                EXPECT_EQ(t->width[code], 0.0f) << c;
                continue;
            }
            EXPECT_GT(t->width[code], 0.0f) << c;
            EXPECT_LE(t->u[code] + t->width[code], 1.0001f) << c;
        }
        if (glyphs.count(code)) {
            EXPECT_TRUE(largeRows.count(sheet().large.v[code])) << c;
            EXPECT_TRUE(smallRows.count(sheet().small.v[code])) << c;
        }
    }
}

TEST(ArtFontSheet, EveryGlyphBoxHoldsInkAndAllInkLiesInABox) {
    std::vector<bool> covered(256 * 256, false);
    for (unsigned char code : art::fontGlyphCodes()) {
        for (const auto& [t, m] : {std::pair{&sheet().large, art::LargeFontMetrics},
                                   std::pair{&sheet().small, art::SmallFontMetrics}}) {
            const Box b = box(*t, m, code);
            int ink = 0;
            for (int y = std::max(0, b.y0); y < std::min(256, b.y1); ++y) {
                for (int x = b.x0; x < b.x1; ++x) {
                    ink += sheet().coverage[static_cast<std::size_t>(y) * 256 + x] > 128;
                    covered[static_cast<std::size_t>(y) * 256 + x] = true;
                }
            }
            EXPECT_GE(ink, 1) << "glyph " << static_cast<int>(code);
        }
    }
    for (std::size_t i = 0; i < covered.size(); ++i) {
        if (sheet().coverage[i] > 0) {
            EXPECT_TRUE(covered[i]) << "stray ink at column " << i % 256 << " row " << i / 256;
        }
    }
}

TEST(ArtOverlayImages, IconsAndLogosHaveTheirStoredFormats) {
    for (int i = 0; i < 4; ++i) {
        const auto icon = art::iconImage(i);
        ASSERT_EQ(icon.size(), 16u + 512u);
        // Corners are transparent: stored alpha bits hold 15 - alpha.
        EXPECT_EQ(icon[16 + 1] >> 4, 15);
    }
    AssetSink sink;
    art::addOverlayArt(sink);
    for (const char* name : {"print3d/logo_a.nym", "print3d/logo_b.nym"}) {
        const auto& bytes = sink.files().at(name);
        ASSERT_EQ(bytes.size(), 44u + 43690u);
        art::LegacyHeader h;
        ASSERT_TRUE(art::readLegacyHeader(bytes, h));
        EXPECT_EQ(h.width, 128u);
        EXPECT_EQ(h.height, 128u);
        EXPECT_EQ(h.mipCount, 7u);
        EXPECT_EQ(h.flags, 0x113u);
        EXPECT_EQ(h.dataSize, 43690u);
        EXPECT_EQ(h.bitsPerPixel, 16u);
        EXPECT_EQ(h.redMask, 0xF800u);
    }
    EXPECT_EQ(sink.files().at("print3d/font_image.bin"), sheet().coverage);
    const auto& src = sink.files().at("print3d/font_data.cpp");
    const std::string text(src.begin(), src.end());
    EXPECT_NE(text.find("const float fontLargeU[kFontTableSize] = {"), std::string::npos);
    EXPECT_NE(text.find("const std::uint8_t iconImages[kIconImageCount][kIconImageBytes] = {"),
              std::string::npos);
}
