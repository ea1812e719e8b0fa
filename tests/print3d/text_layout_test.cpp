#include "print3d/text_layout.h"

#include "synthetic_artwork.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr Print3DScreenScale VgaScreen = {1.0f, 1.0f};
constexpr float LargeAdvance = SyntheticArtwork::GlyphWidth * 255.0f; // 15.9375 pixels at scale 1

double value(Fixed f) {
    return f.raw / 65536.0;
}

class TextLayout : public ::testing::Test {
protected:
    std::vector<Print3DVertex> layOut(const std::string& text, float x, float y, float scale,
                                      Print3DScreenScale screen = VgaScreen,
                                      std::uint32_t colour = 0xFFFFFFFF) {
        std::vector<Print3DVertex> out(kTextCacheVertices);
        const int count = layOutText(text.c_str(), x, y, scale, colour, screen, data.artwork(), out.data());
        out.resize(count);
        return out;
    }
    // Left and top edge of glyph quad n.
    static double left(const std::vector<Print3DVertex>& v, int n) { return value(v[4 * n].x); }
    static double top(const std::vector<Print3DVertex>& v, int n) { return value(v[4 * n].y); }

    SyntheticArtwork data;
};

TEST_F(TextLayout, GlyphQuadCornersTextureAndColour) {
    const auto v = layOut("AB", 10.0f, 20.0f, 1.0f, VgaScreen, 0x80402010);
    ASSERT_EQ(v.size(), 8u);
    // Top-left, top-right, bottom-left, bottom-right; the line is 27 pixels tall at scale 1.
    const float u0 = 0.0039f;
    const float u1 = u0 + SyntheticArtwork::GlyphWidth;
    const float vTop = 0.5313f - 1.0f / 230.0f;
    const float vBottom = vTop - 29.0f / 255.0f;
    const float corners[4][4] = {{10.0f, 20.0f, u0, vTop},
                                 {10.0f + LargeAdvance, 20.0f, u1, vTop},
                                 {10.0f, 47.0f, u0, vBottom},
                                 {10.0f + LargeAdvance, 47.0f, u1, vBottom}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[i].x, FixedFromFloat(corners[i][0])) << i;
        EXPECT_EQ(v[i].y, FixedFromFloat(corners[i][1])) << i;
        EXPECT_EQ(v[i].z, Fixed{0});
        EXPECT_EQ(v[i].u, FixedFromFloat(corners[i][2])) << i;
        EXPECT_EQ(v[i].v, FixedFromFloat(corners[i][3])) << i;
        EXPECT_EQ(v[i].colour[0], 0x10);
        EXPECT_EQ(v[i].colour[1], 0x20);
        EXPECT_EQ(v[i].colour[2], 0x40);
        EXPECT_EQ(v[i].colour[3], 0x80);
    }
    // The second glyph starts where the first one's advance ends.
    EXPECT_EQ(left(v, 1), 10.0 + LargeAdvance);
    EXPECT_EQ(value(v[5].x), 10.0 + 2 * LargeAdvance);
}

TEST_F(TextLayout, SpacesAndLineFeeds) {
    EXPECT_TRUE(layOut("  \n \n\n ", 10.0f, 20.0f, 1.0f).empty());

    // A space is a tenth of the unit at positive scales; the glyph's advance still applies after it.
    auto v = layOut("A B", 10.0f, 20.0f, 1.0f);
    ASSERT_EQ(v.size(), 8u);
    EXPECT_EQ(left(v, 1), 10.0 + 10.0 + LargeAdvance);
    // At scale 0 and below a space is 5 pixels of the 640-wide space.
    v = layOut("A B", 10.0f, 20.0f, 0.0f, {0.5f, 1.0f});
    EXPECT_EQ(left(v, 1), 5.0 + 2.5 + 0.5 * LargeAdvance);

    // A line feed before the first glyph stays on the line; after a glyph it goes one line down and
    // back to the line start, also with spaces in between.
    v = layOut("\nA", 10.0f, 20.0f, 1.0f);
    EXPECT_EQ(top(v, 0), 20.0);
    EXPECT_EQ(left(v, 0), 10.0);
    v = layOut("AB \nC\n\nD", 10.0f, 20.0f, 1.0f);
    ASSERT_EQ(v.size(), 16u);
    EXPECT_EQ(left(v, 2), 10.0);
    EXPECT_EQ(top(v, 2), 47.0);
    EXPECT_EQ(left(v, 3), 10.0);
    EXPECT_EQ(top(v, 3), 101.0);
}

TEST_F(TextLayout, DigitsAdvanceByTheWidthOfZero) {
    // '1' is half as wide as '0', yet every digit takes the place of a '0'.
    const auto v = layOut("110A", 0.0f, 0.0f, 1.0f);
    ASSERT_EQ(v.size(), 16u);
    EXPECT_EQ(value(v[1].x), LargeAdvance / 2);
    EXPECT_EQ(left(v, 1), LargeAdvance);
    EXPECT_EQ(left(v, 2), 2 * LargeAdvance);
    EXPECT_EQ(left(v, 3), 3 * LargeAdvance);
    // A letter advances by its own width.
    const auto w = layOut("WA", 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(left(w, 1), 0.125 * 255);
}

TEST_F(TextLayout, ScaleSelectsFontUnitAndLineHeight) {
    // Scale 0: the large font with the small font's unit and line height.
    auto v = layOut("A\nA", 0.0f, 0.0f, 0.0f);
    ASSERT_EQ(v.size(), 8u);
    EXPECT_EQ(value(v[1].x), LargeAdvance);
    EXPECT_EQ(value(v[2].y), 12.0);
    EXPECT_EQ(top(v, 1), 12.0);
    EXPECT_EQ(v[0].v, FixedFromFloat(0.5313f - 1.0f / 230.0f));

    // Below 0: the small font, whose glyphs are 12/255 tall and start 0.0001 below the table's v.
    v = layOut("A", 0.0f, 0.0f, -1.0f);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0].u, FixedFromFloat(0.0078f));
    EXPECT_EQ(v[1].u, FixedFromFloat(0.0078f + 0.0273f));
    EXPECT_EQ(v[0].v, FixedFromFloat(0.0469f - 0.0001f));
    EXPECT_EQ(v[2].v, FixedFromFloat(0.0469f - 0.0001f - 12.0f / 255.0f));
    EXPECT_EQ(v[1].x, FixedFromFloat(0.0273f * 255.0f));
    EXPECT_EQ(value(v[2].y), 12.0);

    // Above 0 on a 320 x 960 screen: the unit scales with the width, the line with the height, and the
    // pen starts at the position scaled into the screen.
    v = layOut("A\nA", 100.0f, 10.0f, 2.0f, {0.5f, 2.0f});
    ASSERT_EQ(v.size(), 8u);
    EXPECT_EQ(left(v, 0), 50.0);
    EXPECT_EQ(top(v, 0), 20.0);
    EXPECT_EQ(value(v[1].x), 50.0 + LargeAdvance);
    EXPECT_EQ(top(v, 1), 20.0 + 108.0);
}

TEST_F(TextLayout, CodesWithoutGlyphAndLongTexts) {
    // A code without a glyph (a byte above 127 included) gives an empty quad and moves nothing.
    auto v = layOut("A\x80\tB", 0.0f, 0.0f, 1.0f);
    ASSERT_EQ(v.size(), 16u);
    EXPECT_EQ(v[4].x, v[5].x);
    EXPECT_EQ(left(v, 3), LargeAdvance);

    // Only the first 5120 characters are laid out; pen positions past the Fixed range saturate.
    v = layOut(std::string(6000, 'W'), 0.0f, 0.0f, 1.0f);
    ASSERT_EQ(v.size(), static_cast<std::size_t>(kTextCacheVertices));
    EXPECT_EQ(v.back().x.raw, INT32_MAX);
}

} // namespace
