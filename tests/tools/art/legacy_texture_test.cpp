#include "art/image.h"
#include "art/legacy_texture.h"
#include "art/painters.h"

#include "atlas_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Mean absolute difference, position by position across the rectangle, between the average colours
// of the 8 lines starting at a and the 8 lines starting at b (rows, or columns with `columns`).
// Averaging over bands lets regular joints and grain cancel out, leaving the broad shading.
double bandDifference(const art::Image& img, const atlas::Rect& r, int a, int b, bool columns) {
    const int n = columns ? r.h : r.w;
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        double d[3] = {0, 0, 0};
        for (int k = 0; k < 8; ++k) {
            const art::Colour& p = columns ? img.at(r.x + a + k, r.y + i) : img.at(r.x + i, r.y + a + k);
            const art::Colour& q = columns ? img.at(r.x + b + k, r.y + i) : img.at(r.x + i, r.y + b + k);
            d[0] += p.r - q.r;
            d[1] += p.g - q.g;
            d[2] += p.b - q.b;
        }
        sum += (std::fabs(d[0]) + std::fabs(d[1]) + std::fabs(d[2])) / 8.0;
    }
    return sum / n;
}

// A rectangle that repeats joins its end to its start no worse than neighbouring bands inside it
// differ from one another.
void expectSeamless(const art::Image& img, const atlas::Rect& r, bool columns, const std::string& what) {
    const int n = columns ? r.w : r.h;
    double inside = 0;
    for (int k = 8; k + 8 <= n; k += 8) {
        inside = std::max(inside, bandDifference(img, r, k - 8, k, columns));
    }
    EXPECT_LE(bandDifference(img, r, n - 8, 0, columns), 1.25 * inside + 0.005) << what;
}

} // namespace

TEST(ArtLegacyTexture, UncompressedFormatsRoundTripWithinTheirPrecision) {
    art::Image img(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            img.at(x, y) = {x / 3.0f, y / 3.0f, 0.5f, (x + y) / 6.0f};
        }
    }
    const auto rgb = art::encodeLegacyTexture(img, art::PixelFormat::Rgb565, 2);
    // 4 x 4, 2 x 2 and 1 x 1 at two bytes a pixel.
    ASSERT_EQ(rgb.size(), 44u + 2 * (16 + 4 + 1));
    const auto rgba = art::encodeLegacyTexture(img, art::PixelFormat::Rgba4444, 0);
    ASSERT_EQ(rgba.size(), 44u + 32u);
    art::LegacyHeader h;
    ASSERT_TRUE(art::readLegacyHeader(rgba, h));
    EXPECT_EQ(h.flags, 0x110u);
    EXPECT_EQ(h.alphaMask, 0x000Fu);
    const auto source = art::toRgba8(img);
    const auto back565 = art::decodeLegacyTopLevel(rgb), back4444 = art::decodeLegacyTopLevel(rgba);
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (i % 4 != 3) {
            EXPECT_NEAR(back565[i], source[i], 4) << i;
        }
        EXPECT_NEAR(back4444[i], source[i], 9) << i;
    }
    // A file too short for its header or its top level is refused.
    EXPECT_TRUE(art::decodeLegacyTopLevel(std::vector<std::uint8_t>(rgb.begin(), rgb.begin() + 50)).empty());
    EXPECT_FALSE(art::readLegacyHeader(std::vector<std::uint8_t>(43), h));
}

TEST(ArtLegacyTexture, MipFilteringIgnoresTheColourOfTransparentTexels) {
    // Green leaves next to transparent black: the half-size level stays green, half covered.
    art::Image img(2, 2, art::Colour{0, 0, 0, 0});
    img.at(0, 0) = {0.2f, 0.8f, 0.2f, 1.0f};
    img.at(1, 1) = {0.2f, 0.8f, 0.2f, 1.0f};
    const art::Image half = art::halve(img);
    ASSERT_EQ(half.width(), 1);
    EXPECT_FLOAT_EQ(half.at(0, 0).g, 0.8f);
    EXPECT_FLOAT_EQ(half.at(0, 0).a, 0.5f);
    // A 1-pixel-high image halves only across.
    const art::Image strip = art::halve(art::Image(8, 1));
    EXPECT_EQ(strip.width(), 4);
    EXPECT_EQ(strip.height(), 1);
}

TEST(ArtAtlases, RepeatingRectanglesJoinSeamlessly) {
    const art::Image road = art::paintRoad();
    for (const auto& [rect, name] : {std::pair{atlas::road::plain, "road plain"},
                                     {atlas::road::kerb, "road kerb"},
                                     {atlas::road::tunnel, "tunnel floor"}}) {
        expectSeamless(road, rect, false, name);
    }
    const art::Image s01 = art::paintSection01();
    for (const auto& [rect, name] : {std::pair{atlas::section01::grass, "grass"},
                                     {atlas::section01::meadow, "meadow"},
                                     {atlas::section01::pavement, "pavement"},
                                     {atlas::section01::gravel, "gravel"}}) {
        expectSeamless(s01, rect, false, name);
        expectSeamless(s01, rect, true, name);
    }
    for (const auto& [rect, name] : {std::pair{atlas::section01::stoneWall, "stone wall"},
                                     {atlas::section01::hedge, "hedge"},
                                     {atlas::section01::brickHouse, "bricks"}}) {
        expectSeamless(s01, rect, true, name);
    }
    const art::Image water = art::paintWaterfall();
    expectSeamless(water, {0, 0, water.width(), water.height()}, false, "waterfall");
    const art::Image tunnels = art::paintTunnels();
    expectSeamless(tunnels, atlas::tunnels::interior, false, "tunnel interior");
    expectSeamless(tunnels, atlas::tunnels::portal, false, "portal");
    expectSeamless(tunnels, atlas::tunnels::portal, true, "portal");
}
