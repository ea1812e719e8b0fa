#include "platform/gles/nymtc/nymtc.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tc = platform::nymtc;

namespace {

std::vector<std::uint8_t> block(std::uint16_t c0, std::uint16_t c1, std::uint32_t bits) {
    return {static_cast<std::uint8_t>(c0),         static_cast<std::uint8_t>(c0 >> 8),
            static_cast<std::uint8_t>(c1),         static_cast<std::uint8_t>(c1 >> 8),
            static_cast<std::uint8_t>(bits),       static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

std::vector<std::uint8_t> pixelAt(const std::vector<std::uint8_t>& rgba, int width, int x, int y) {
    const auto* p = rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

double psnr(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (i % 4 != 3) {
            sum += (a[i] - b[i]) * (a[i] - b[i]);
        }
    }
    const double mse = sum / static_cast<double>(a.size() / 4 * 3);
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

std::vector<std::uint8_t> image(int w, int h, auto f) {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::vector<std::uint8_t> p = f(x, y);
            rgba.insert(rgba.end(), p.begin(), p.end());
        }
    }
    return rgba;
}

std::uint16_t c0Of(const std::vector<std::uint8_t>& data, std::size_t blockIndex) {
    return static_cast<std::uint16_t>(data[blockIndex * 8] | data[blockIndex * 8 + 1] << 8);
}
std::uint16_t c1Of(const std::vector<std::uint8_t>& data, std::size_t blockIndex) {
    return static_cast<std::uint16_t>(data[blockIndex * 8 + 2] | data[blockIndex * 8 + 3] << 8);
}

} // namespace

TEST(NymtcLevels, PaddedSizesRaiseSmallLevelsToTheMinimumArea) {
    EXPECT_EQ(tc::levelSize(tc::Rgb4bpp, 512, 512), 131072u);
    EXPECT_EQ(tc::levelSize(tc::Rgb4bpp, 1, 1), 32u);
    EXPECT_EQ(tc::levelSize(tc::Rgba4bpp, 4, 2), 32u);
    EXPECT_EQ(tc::levelSize(tc::Rgb2bpp, 8, 4), 32u);
    EXPECT_EQ(tc::levelSize(tc::Rgba2bpp, 32, 16), 128u);
    EXPECT_EQ(tc::paddedWidth(tc::Rgb4bpp, 10), 12);
    EXPECT_EQ(tc::paddedWidth(tc::Rgb2bpp, 20), 24);
    EXPECT_EQ(tc::paddedHeight(tc::Rgb2bpp, 9), 12);
    // The largest dimensions do not wrap: 2^29 blocks across at 4 bpp, 2^28 at 2 bpp, two down.
    EXPECT_EQ(tc::levelSize(tc::Rgb4bpp, INT_MAX, 1), std::size_t{1} << 33);
    EXPECT_EQ(tc::levelSize(tc::Rgba2bpp, INT_MAX, 1), std::size_t{1} << 32);
    EXPECT_EQ(tc::levelSize(tc::Rgb4bpp, 4, INT_MAX), std::size_t{1} << 33);
    const std::vector<std::uint8_t> level(32);
    EXPECT_TRUE(tc::decodeLevel(tc::Rgb4bpp, INT_MAX, INT_MAX, level.data(), level.size()).empty());
    // A 512 x 512 chain down to 1 x 1 holds 174,848 bytes; 128 x 128 down to 1 x 1 holds 11,008.
    std::size_t total = 0;
    for (int s = 512; s >= 1; s /= 2) {
        total += tc::levelSize(tc::Rgb4bpp, s, s);
    }
    EXPECT_EQ(total, 174848u);
    EXPECT_TRUE(tc::isFormat(0x8C00) && tc::isFormat(0x8C03));
    EXPECT_FALSE(tc::isFormat(0x8BFF) || tc::isFormat(0x8C04));
}

TEST(NymtcDecode, FourColourBlockInterpolatesAtThirds) {
    // c0 = pure red 565 (31, 0, 0), c1 = pure blue (0, 0, 31): c0 > c1.
    const auto b = block(0xF800, 0x001F, 0b11'10'01'00);
    std::uint8_t px[16 * 4];
    tc::decodeBlock(tc::Rgb4bpp, b.data(), px);
    const std::uint8_t expected[4][4] = {
        {255, 0, 0, 255}, {0, 0, 255, 255}, {170, 0, 85, 255}, {85, 0, 170, 255}};
    for (int i = 0; i < 4; ++i) {
        for (int ch = 0; ch < 4; ++ch) {
            EXPECT_EQ(px[4 * i + ch], expected[i][ch]) << "pixel " << i << " channel " << ch;
        }
    }
    // Every other pixel holds index 0.
    EXPECT_EQ(px[4 * 15], 255);
}

TEST(NymtcDecode, ThreeColourBlockHasHalfwayEntryAndTransparentIndexInRgbaOnly) {
    // c0 = (0, 0, 0) <= c1 = white; green expands by replication: 63 -> 255.
    const auto b = block(0x0000, 0xFFFF, 0b11'10'01'00);
    std::uint8_t rgba[16 * 4], rgb[16 * 4];
    tc::decodeBlock(tc::Rgba4bpp, b.data(), rgba);
    tc::decodeBlock(tc::Rgb4bpp, b.data(), rgb);
    EXPECT_EQ(rgba[4 * 1 + 1], 255);
    EXPECT_EQ(rgba[4 * 2 + 0], 127); // (0 + 255) / 2
    for (int ch = 0; ch < 4; ++ch) {
        EXPECT_EQ(rgba[4 * 3 + ch], 0);
    }
    EXPECT_EQ(rgb[4 * 3 + 0], 0);
    EXPECT_EQ(rgb[4 * 3 + 3], 255);
    // Equal end colours also select the three-colour palette.
    const auto same = block(0x1234, 0x1234, 0xFFFFFFFF);
    tc::decodeBlock(tc::Rgba4bpp, same.data(), rgba);
    EXPECT_EQ(rgba[3], 0);
}

TEST(NymtcDecode, TwoBitBlocksShareOneIndexBetweenHorizontalNeighbours) {
    // Index k at position 2 * (4 y + x / 2): give position 1 (pixels x = 2, 3 of row 0) index 1.
    const auto b = block(0xFFFF, 0x0000, 0b01'00);
    std::uint8_t px[32 * 4];
    tc::decodeBlock(tc::Rgb2bpp, b.data(), px);
    EXPECT_EQ(px[4 * 0], 255);
    EXPECT_EQ(px[4 * 1], 255);
    EXPECT_EQ(px[4 * 2], 0);
    EXPECT_EQ(px[4 * 3], 0);
    EXPECT_EQ(px[4 * 4], 255);
    EXPECT_EQ(px[4 * 8], 255); // row 1
}

TEST(NymtcDecode, LevelsAreBlocksRowByRowAndShortDataIsRefused) {
    // 8 x 8 at 4 bpp: four blocks; make the second (top right) blue.
    std::vector<std::uint8_t> data;
    for (int i = 0; i < 4; ++i) {
        const auto b = i == 1 ? block(0x001F, 0x0000, 0) : block(0xF800, 0x0000, 0);
        data.insert(data.end(), b.begin(), b.end());
    }
    const auto rgba = tc::decodeLevel(tc::Rgb4bpp, 8, 8, data.data(), data.size());
    ASSERT_EQ(rgba.size(), 8u * 8u * 4u);
    EXPECT_EQ(pixelAt(rgba, 8, 5, 1), (std::vector<std::uint8_t>{0, 0, 255, 255}));
    EXPECT_EQ(pixelAt(rgba, 8, 1, 5), (std::vector<std::uint8_t>{255, 0, 0, 255}));
    // A 2 x 2 level is cut out of the padded 8 x 8 area.
    EXPECT_EQ(tc::decodeLevel(tc::Rgb4bpp, 2, 2, data.data(), data.size()).size(), 16u);
    EXPECT_TRUE(tc::decodeLevel(tc::Rgb4bpp, 8, 8, data.data(), data.size() - 1).empty());
    EXPECT_TRUE(tc::decodeLevel(tc::Rgb4bpp, 0, 8, data.data(), data.size()).empty());
}

TEST(NymtcEncode, FlatBlocksAreExactAndKeepFourColourOrder) {
    for (const std::vector<std::uint8_t>& colour :
         {std::vector<std::uint8_t>{0, 0, 0, 255}, {255, 255, 255, 255}, {132, 32, 198, 255}}) {
        // Colours that 565 holds exactly round-trip without error.
        const auto rgba = image(8, 8, [&](int, int) { return colour; });
        const auto data = tc::encodeLevel(tc::Rgb4bpp, 8, 8, rgba.data());
        for (std::size_t b = 0; b < 4; ++b) {
            EXPECT_GT(c0Of(data, b), c1Of(data, b));
        }
        EXPECT_EQ(tc::decodeLevel(tc::Rgb4bpp, 8, 8, data.data(), data.size()), rgba);
    }
}

TEST(NymtcEncode, TwoColoursAndGradientsRoundTripWithinTheirExpectedError) {
    const auto two = image(16, 16, [](int x, int y) {
        return (x + y) % 3 == 0 ? std::vector<std::uint8_t>{255, 0, 0, 255}
                                : std::vector<std::uint8_t>{0, 0, 255, 255};
    });
    const auto twoData = tc::encodeLevel(tc::Rgb4bpp, 16, 16, two.data());
    EXPECT_EQ(tc::decodeLevel(tc::Rgb4bpp, 16, 16, twoData.data(), twoData.size()), two);

    const auto gradient = image(64, 64, [](int x, int y) {
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                                         static_cast<std::uint8_t>(255 - x * 2), 255};
    });
    const auto gradData = tc::encodeLevel(tc::Rgb4bpp, 64, 64, gradient.data());
    EXPECT_GE(psnr(gradient, tc::decodeLevel(tc::Rgb4bpp, 64, 64, gradData.data(), gradData.size())), 36.0);

    // At 2 bpp pairs of pixels share an index, so a gradient along x loses more but stays close.
    const auto data2 = tc::encodeLevel(tc::Rgb2bpp, 64, 64, gradient.data());
    EXPECT_EQ(data2.size(), tc::levelSize(tc::Rgb2bpp, 64, 64));
    EXPECT_GE(psnr(gradient, tc::decodeLevel(tc::Rgb2bpp, 64, 64, data2.data(), data2.size())), 30.0);
}

TEST(NymtcEncode, TransparentPixelsUseIndexThreeOfAThreeColourBlock) {
    // Two opaque columns of green shades, then transparent pixels (alpha 127 counts as transparent).
    const auto rgba = image(8, 8, [](int x, int y) {
        return x < 2 ? std::vector<std::uint8_t>{20, static_cast<std::uint8_t>(100 + 15 * y), 40, 255}
                     : std::vector<std::uint8_t>{200, 200, 200, static_cast<std::uint8_t>(x == 2 ? 127 : 0)};
    });
    const auto data = tc::encodeLevel(tc::Rgba4bpp, 8, 8, rgba.data());
    const auto out = tc::decodeLevel(tc::Rgba4bpp, 8, 8, data.data(), data.size());
    EXPECT_LE(c0Of(data, 0), c1Of(data, 0));
    EXPECT_LE(c0Of(data, 2), c1Of(data, 2));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const auto p = pixelAt(out, 8, x, y);
            if (x >= 2) {
                EXPECT_EQ(p, (std::vector<std::uint8_t>{0, 0, 0, 0})) << x << "," << y;
            } else {
                EXPECT_EQ(p[3], 255);
                EXPECT_NEAR(p[1], 100 + 15 * y, 12) << x << "," << y;
            }
        }
    }
    // An opaque block in an RGBA level keeps four colours; a fully transparent one is all index 3.
    const auto opaque = image(4, 4, [](int x, int) {
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(x * 60), 10, 10, 255};
    });
    const auto opaqueData = tc::encodeLevel(tc::Rgba4bpp, 4, 4, opaque.data());
    EXPECT_GT(c0Of(opaqueData, 0), c1Of(opaqueData, 0));
    const auto clear = image(4, 4, [](int, int) { return std::vector<std::uint8_t>{9, 9, 9, 0}; });
    const auto clearData = tc::encodeLevel(tc::Rgba4bpp, 4, 4, clear.data());
    EXPECT_EQ(clearData[4] & clearData[5] & clearData[6] & clearData[7], 0xFF);
    // The RGB formats ignore alpha.
    const auto rgbData = tc::encodeLevel(tc::Rgb4bpp, 4, 4, clear.data());
    EXPECT_GT(c0Of(rgbData, 0), c1Of(rgbData, 0));
}
