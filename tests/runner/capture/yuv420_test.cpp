// The colour conversion of y4m streams (full range) and encoded video (video range) gives, byte for byte,
// what a plain per-pixel conversion gives.
#include "runner/capture/yuv420.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using runner::YuvRange;

// The conversion written the simple way: every pixel on its own, chroma sums and counts per block, a
// rounded division at the end.
std::vector<std::uint8_t> plainConversion(const std::vector<std::uint8_t>& bottomUpRgba, int width,
                                          int height, int w, int h, YuvRange range = YuvRange::Full) {
    const bool video = range == YuvRange::Video;
    const int cw = (w + 1) / 2;
    const int ch = (h + 1) / 2;
    std::vector<std::uint8_t> planes(static_cast<std::size_t>(w * h + 2 * cw * ch), video ? 16 : 0);
    std::uint8_t* yPlane = planes.data();
    std::uint8_t* uPlane = yPlane + w * h;
    std::uint8_t* vPlane = uPlane + cw * ch;
    std::fill(uPlane, uPlane + 2 * cw * ch, std::uint8_t{128});
    std::vector<int> uSum(static_cast<std::size_t>(cw * ch), 0);
    std::vector<int> vSum(uSum.size(), 0);
    std::vector<int> count(uSum.size(), 0);
    for (int y = 0; y < std::min(h, height); ++y) {
        const std::uint8_t* row = bottomUpRgba.data() + static_cast<std::size_t>(height - 1 - y) * width * 4;
        for (int x = 0; x < std::min(w, width); ++x) {
            const int r = row[x * 4];
            const int g = row[x * 4 + 1];
            const int b = row[x * 4 + 2];
            const int luma =
                video ? 16829 * r + 33039 * g + 6416 * b + (16 << 16) : 19595 * r + 38470 * g + 7471 * b;
            const int blue = video ? -9714 * r - 19070 * g + 28784 * b : -11059 * r - 21709 * g + 32768 * b;
            const int red = video ? 28784 * r - 24103 * g - 4681 * b : 32768 * r - 27439 * g - 5329 * b;
            yPlane[y * w + x] = static_cast<std::uint8_t>((luma + 32768) >> 16);
            const std::size_t c = static_cast<std::size_t>((y / 2) * cw + x / 2);
            uSum[c] += (blue + (128 << 16) + 32768) >> 16;
            vSum[c] += (red + (128 << 16) + 32768) >> 16;
            ++count[c];
        }
    }
    for (std::size_t c = 0; c < uSum.size(); ++c) {
        if (count[c]) {
            uPlane[c] = static_cast<std::uint8_t>(std::clamp((uSum[c] + count[c] / 2) / count[c], 0, 255));
            vPlane[c] = static_cast<std::uint8_t>(std::clamp((vSum[c] + count[c] / 2) / count[c], 0, 255));
        }
    }
    return planes;
}

// Random pixels, with runs of the colours at the ends of each range (pure blue and red overflow the
// chroma range before the clamp).
std::vector<std::uint8_t> testFrame(int width, int height, std::mt19937& random) {
    static const std::uint8_t extremes[][3] = {{0, 0, 255}, {255, 0, 0},   {255, 255, 255}, {0, 0, 0},
                                               {0, 255, 0}, {255, 255, 0}, {0, 255, 255},   {255, 0, 255}};
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t p = 0; p < rgba.size(); p += 4) {
        const unsigned pick = random();
        if (pick % 4 == 0) {
            const std::uint8_t* colour = extremes[(pick >> 8) % 8];
            std::copy(colour, colour + 3, rgba.begin() + static_cast<std::ptrdiff_t>(p));
        } else {
            rgba[p] = static_cast<std::uint8_t>(random());
            rgba[p + 1] = static_cast<std::uint8_t>(random());
            rgba[p + 2] = static_cast<std::uint8_t>(random());
        }
        rgba[p + 3] = 255;
    }
    return rgba;
}

runner::CapturedFrame rgbaFrame(const std::vector<std::uint8_t>& rgba, int width, int height) {
    runner::CapturedFrame frame;
    frame.width = width;
    frame.height = height;
    frame.stride = static_cast<std::size_t>(width) * 4;
    frame.pixels = rgba;
    return frame;
}

TEST(Yuv420, SameBytesAsThePlainConversionForEvenOddCroppedAndPaddedFrames) {
    std::mt19937 random(1234);
    struct Case {
        int frameWidth, frameHeight, width, height;
    };
    for (const Case c : {Case{1, 1, 1, 1}, Case{2, 2, 2, 2}, Case{3, 5, 3, 5}, Case{64, 48, 64, 48},
                         Case{641, 479, 641, 479}, Case{640, 480, 640, 480}, Case{40, 30, 64, 48},
                         Case{64, 48, 41, 29}, Case{7, 9, 4, 12}, Case{5, 3, 8, 2}}) {
        SCOPED_TRACE(testing::Message()
                     << c.frameWidth << "x" << c.frameHeight << " into " << c.width << "x" << c.height);
        const std::vector<std::uint8_t> frame = testFrame(c.frameWidth, c.frameHeight, random);
        for (const YuvRange range : {YuvRange::Full, YuvRange::Video}) {
            // A stale buffer: every byte must be written.
            std::vector<std::uint8_t> planes(runner::yuv420Size(c.width, c.height), 0xA5);
            runner::convertToYuv420(rgbaFrame(frame, c.frameWidth, c.frameHeight), c.width, c.height,
                                    planes.data(), range);
            ASSERT_EQ(planes, plainConversion(frame, c.frameWidth, c.frameHeight, c.width, c.height, range));
        }
    }
}

TEST(Yuv420, PureColoursGiveTheEndsOfEachRange) {
    // Blue, red, white and black, each in a 2 x 2 block of a 4 x 4 frame (bottom row first).
    std::vector<std::uint8_t> frame(4 * 4 * 4, 255);
    const auto paint = [&frame](int x0, int y0, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        for (int y = y0; y < y0 + 2; ++y) {
            for (int x = x0; x < x0 + 2; ++x) {
                std::uint8_t* p = &frame[static_cast<std::size_t>((y * 4 + x) * 4)];
                p[0] = r;
                p[1] = g;
                p[2] = b;
            }
        }
    };
    paint(0, 2, 0, 0, 255); // top left, upright
    paint(2, 2, 255, 0, 0); // top right
    paint(0, 0, 255, 255, 255);
    paint(2, 0, 0, 0, 0);
    std::vector<std::uint8_t> planes(runner::yuv420Size(4, 4));
    runner::convertToYuv420(rgbaFrame(frame, 4, 4), 4, 4, planes.data());
    EXPECT_EQ(planes[0], 29);  // blue's luma
    EXPECT_EQ(planes[2], 76);  // red's
    EXPECT_EQ(planes[8], 255); // white's
    EXPECT_EQ(planes[15], 0);  // black's
    const std::uint8_t* u = planes.data() + 16;
    const std::uint8_t* v = u + 4;
    EXPECT_EQ((std::vector<int>{u[0], u[1], u[2], u[3]}), (std::vector<int>{255, 85, 128, 128}));
    EXPECT_EQ((std::vector<int>{v[0], v[1], v[2], v[3]}), (std::vector<int>{107, 255, 128, 128}));
    // The video range: luma 16 to 235, colour differences 16 to 240.
    runner::convertToYuv420(rgbaFrame(frame, 4, 4), 4, 4, planes.data(), YuvRange::Video);
    EXPECT_EQ((std::vector<int>{planes[0], planes[2], planes[8], planes[15]}),
              (std::vector<int>{41, 81, 235, 16}));
    EXPECT_EQ((std::vector<int>{u[0], u[1], u[2], u[3]}), (std::vector<int>{240, 90, 128, 128}));
    EXPECT_EQ((std::vector<int>{v[0], v[1], v[2], v[3]}), (std::vector<int>{110, 240, 128, 128}));
}

TEST(Yuv420, A565FrameConvertsAsItsRgbaExpansion) {
    std::mt19937 random(99);
    for (const int width : {64, 33}) {
        SCOPED_TRACE(width);
        runner::CapturedFrame frame;
        frame.width = width;
        frame.height = 9;
        frame.format = runner::PixelFormat::Rgb565;
        frame.stride = static_cast<std::size_t>(width * 2 + 6); // rows padded
        frame.pixels.resize(frame.stride * 9);
        for (auto& byte : frame.pixels) {
            byte = static_cast<std::uint8_t>(random());
        }
        std::vector<std::uint8_t> scratch;
        const std::uint8_t* rgba = runner::rgbaPixels(frame, scratch);
        const std::vector<std::uint8_t> expanded(rgba, rgba + width * 9 * 4);
        for (const YuvRange range : {YuvRange::Full, YuvRange::Video}) {
            std::vector<std::uint8_t> planes(runner::yuv420Size(width, 9));
            runner::convertToYuv420(frame, width, 9, planes.data(), range);
            EXPECT_EQ(planes, plainConversion(expanded, width, 9, width, 9, range));
        }
    }
}

} // namespace
