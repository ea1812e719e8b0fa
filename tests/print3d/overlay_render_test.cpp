// The title overlay rendered by Mesa off-screen, landscape and portrait: the title's glyphs land in the
// top-left corner of the (turned) screen and logo A in the bottom-right, nothing elsewhere. Writes the
// frames as PNG files next to the test for a look.
#include "print3d/print3d.h"

#include "runner/png_file.h"
#include "synthetic_artwork.h"
#include "tests/support/offscreen_context.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::uint8_t Background[3] = {0, 80, 120};

// A rectangle of window pixels, top row first, half-open.
struct Box {
    float x0, y0, x1, y1;
    bool contains(int x, int y, float margin = 0.0f) const {
        return x + 1 > x0 - margin && x < x1 + margin && y + 1 > y0 - margin && y < y1 + margin;
    }
};

// A screen size, and whether the overlay draws the compiled-in artwork or the synthetic one.
struct Screen {
    int width;
    int height;
    bool compiledIn;
};

// The compiled-in artwork, when the generated sources are part of the test.
Print3DArtwork compiledIn() {
#ifdef NYM_COMPILED_IN_ARTWORK
    return compiledInArtwork;
#else
    return {};
#endif
}

class OverlayRender : public ::testing::TestWithParam<Screen> {
protected:
    // Maps a rectangle of clip space to window pixels, turned by 90 degrees on a portrait screen as the
    // overlay's projection turns it.
    Box clipToWindow(float x0, float y0, float x1, float y1) const {
        if (width < height) {
            // (x, y) -> (-y, x)
            const float nx0 = -y1, nx1 = -y0, ny0 = x0, ny1 = x1;
            x0 = nx0, x1 = nx1, y0 = ny0, y1 = ny1;
        }
        return {(x0 + 1.0f) / 2.0f * width, (1.0f - y1) / 2.0f * height, (x1 + 1.0f) / 2.0f * width,
                (1.0f - y0) / 2.0f * height};
    }
    // The bounding box of the title's quads, from its layout in overlay pixels.
    Box titleBox(const Print3DArtwork& artwork) const {
        std::vector<Print3DVertex> quads(kTextCacheVertices);
        const Print3DScreenScale screen = {width / 640.0f, height / 480.0f};
        const int count =
            layOutText("Nymbus Zidaz", 0.0f, 1.0f * 4.8f, 1.2f, 0xFF00FFFF, screen, artwork, quads.data());
        float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
        for (int i = 0; i < count; ++i) {
            x0 = std::min(x0, quads[i].x.raw / 65536.0f);
            x1 = std::max(x1, quads[i].x.raw / 65536.0f);
            y0 = std::min(y0, quads[i].y.raw / 65536.0f);
            y1 = std::max(y1, quads[i].y.raw / 65536.0f);
        }
        const auto clipX = [&](float px) { return 2.0f * px / width - 1.0f; };
        const auto clipY = [&](float py) { return 1.0f - 2.0f * py / height; };
        return clipToWindow(clipX(x0), clipY(y1), clipX(x1), clipY(y0));
    }

    const std::uint8_t* pixel(int x, int y) const {
        return &frame[(static_cast<std::size_t>(y) * width + x) * 4];
    }
    bool isBackground(int x, int y) const {
        const std::uint8_t* p = pixel(x, y);
        return std::abs(p[0] - Background[0]) < 4 && std::abs(p[1] - Background[1]) < 4 &&
               std::abs(p[2] - Background[2]) < 4;
    }
    bool isYellowish(int x, int y) const {
        const std::uint8_t* p = pixel(x, y);
        return p[0] > 140 && p[1] > 140 && p[2] < 90;
    }

    int width = GetParam().width;
    int height = GetParam().height;
    std::vector<std::uint8_t> frame;
};

TEST_P(OverlayRender, TitleTopLeftAndLogoBottomRight) {
    OffscreenContext context(width, height);
    if (!context.error().empty()) {
        GTEST_SKIP() << "no off-screen GL: " << context.error();
    }
    SyntheticArtwork synthetic;
    const Print3DArtwork artwork = GetParam().compiledIn ? compiledIn() : synthetic.artwork();
    Print3D overlay(artwork);
    ASSERT_TRUE(overlay.Init(width, height));

    glClearColorx(Background[0] * 257, Background[1] * 257, Background[2] * 257, 0x10000);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    overlay.ShowTitle("Nymbus Zidaz", "", LogoA);
    EXPECT_EQ(overlay.Draw(), 2 * 11);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    frame = context.readPixels();
    const std::string file = std::string("print3d_title_") + (GetParam().compiledIn ? "" : "synthetic_") +
                             std::to_string(width) + "x" + std::to_string(height) + ".png";
    EXPECT_TRUE(runner::writePng(file, width, height, frame.data()));

    const Box title = titleBox(artwork);
    const Box logo = clipToWindow(0.65f, -0.95f, 0.95f, -0.7156f);
    const Box otherLogo = clipToWindow(-0.95f, -0.95f, -0.65f, -0.7156f);
    // The turned screen's top-left corner: the window's top-left, or its bottom-left when portrait.
    if (width >= height) {
        EXPECT_LT(title.x0, 1.0f);
        EXPECT_LT(title.y0, 0.05f * height);
    } else {
        EXPECT_LT(title.x0, 0.05f * width);
        EXPECT_GT(title.y1, height - 1.0f);
    }

    int titlePixels = 0;
    int logoPixels = 0;
    int logoArea = 0;
    int strayPixels = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (title.contains(x, y, 1.0f)) {
                titlePixels += isYellowish(x, y) ? 1 : 0;
            } else if (logo.contains(x, y, -1.0f)) {
                ++logoArea;
                logoPixels += isBackground(x, y) ? 0 : 1;
            } else if (!logo.contains(x, y, 1.0f)) {
                strayPixels += isBackground(x, y) ? 0 : 1;
                EXPECT_FALSE(otherLogo.contains(x, y) && !isBackground(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(titlePixels, 0.15 * (title.x1 - title.x0) * (title.y1 - title.y0));
    EXPECT_GT(logoPixels, logoArea / 2);
    EXPECT_EQ(strayPixels, 0);
    overlay.Release();
}

std::string screenName(const ::testing::TestParamInfo<Screen>& info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
}

INSTANTIATE_TEST_SUITE_P(Synthetic, OverlayRender,
                         ::testing::Values(Screen{640, 480, false}, Screen{240, 320, false}), screenName);
#ifdef NYM_COMPILED_IN_ARTWORK
INSTANTIATE_TEST_SUITE_P(CompiledIn, OverlayRender,
                         ::testing::Values(Screen{640, 480, true}, Screen{240, 320, true}), screenName);
#endif

} // namespace
