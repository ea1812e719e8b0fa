#include "runner/capture/yuv420.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace runner {

namespace {

// A pixel's 8-bit channels: RGBA bytes, or a 5-6-5 pixel expanded as rgbaPixels expands it.
struct Rgba {
    static constexpr int bytes = 4;
    static void channels(const std::uint8_t* p, std::int16_t& r, std::int16_t& g, std::int16_t& b) {
        r = p[0];
        g = p[1];
        b = p[2];
    }
};

struct Rgb565 {
    static constexpr int bytes = 2;
    static void channels(const std::uint8_t* p, std::int16_t& r, std::int16_t& g, std::int16_t& b) {
        expandRgb565(p, r, g, b);
    }
};

// The factors of a range in 16.16 fixed point. Those of 32768 and more are split so that every product
// is one of 16-bit values: luma's green factor is lumaGreen + 32768, blue's and red's colour differences
// carry their own channel at half weight (32768) plus halfWeight. Full (JPEG) range: luma 0 to 255, colour
// differences 1 to 256 around 128 (pure blue's and red's 256 is clamped); video range: luma 16 to 235,
// colour differences 16 to 240.
struct FullRange {
    static constexpr std::int16_t lumaRed = 19595, lumaGreen = 5702, lumaBlue = 7471;
    static constexpr int lumaOffset = 0;
    static constexpr std::uint8_t black = 0;
    static constexpr std::int16_t halfWeight = 0;
    static constexpr std::int16_t blueRed = -11059, blueGreen = -21709;
    static constexpr std::int16_t redGreen = -27439, redBlue = -5329;
};

struct VideoRange {
    static constexpr std::int16_t lumaRed = 16829, lumaGreen = 271, lumaBlue = 6416;
    static constexpr int lumaOffset = 16 << 16;
    static constexpr std::uint8_t black = 16;
    static constexpr std::int16_t halfWeight = -3984;
    static constexpr std::int16_t blueRed = -9714, blueGreen = -19070;
    static constexpr std::int16_t redGreen = -24103, redBlue = -4681;
};

// One row of pixels: luma stored, and each pixel's two colour differences kept for the block averages.
// Both differences are positive for any colour, so the shifts never see a negative value. Written as a
// plain loop over the pixels with 16-bit factors so that the compiler vectorises it.
template <class Pixel, class Range>
void convertRow(const std::uint8_t* pixels, int width, std::uint8_t* luma, std::uint16_t* blue,
                std::uint16_t* red) {
    for (int x = 0; x < width; ++x) {
        std::int16_t r;
        std::int16_t g;
        std::int16_t b;
        Pixel::channels(pixels + x * Pixel::bytes, r, g, b);
        const int y =
            r * Range::lumaRed + g * Range::lumaGreen + b * Range::lumaBlue + (g << 15) + Range::lumaOffset;
        const int u = r * Range::blueRed + g * Range::blueGreen + b * Range::halfWeight + (b << 15);
        const int v = (r << 15) + r * Range::halfWeight + g * Range::redGreen + b * Range::redBlue;
        luma[x] = static_cast<std::uint8_t>((y + 32768) >> 16);
        blue[x] = static_cast<std::uint16_t>((u + (128 << 16) + 32768) >> 16);
        red[x] = static_cast<std::uint16_t>((v + (128 << 16) + 32768) >> 16);
    }
}

inline std::uint8_t average(int sum, int count) {
    return static_cast<std::uint8_t>(std::min((sum + count / 2) / count, 255));
}

} // namespace

std::size_t yuv420Size(int width, int height) {
    const std::size_t chroma =
        static_cast<std::size_t>((width + 1) / 2) * static_cast<std::size_t>((height + 1) / 2);
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 2 * chroma;
}

namespace {

template <class Range>
void convertPlanes(const CapturedFrame& frame, int width, int height, std::uint8_t* planes) {
    const int frameWidth = frame.width;
    const int frameHeight = frame.height;
    const int cw = (width + 1) / 2;
    const int ch = (height + 1) / 2;
    std::uint8_t* yPlane = planes;
    std::uint8_t* uPlane = yPlane + static_cast<std::size_t>(width) * height;
    std::uint8_t* vPlane = uPlane + static_cast<std::size_t>(cw) * ch;
    const int coveredWidth = std::min(width, frameWidth);
    const int coveredHeight = std::min(height, frameHeight);
    if (coveredWidth < width || coveredHeight < height) {
        std::memset(yPlane, Range::black, static_cast<std::size_t>(width) * height);
        std::memset(uPlane, 128, 2 * static_cast<std::size_t>(cw) * ch);
    }
    // The colour differences of the two rows of a block row.
    std::vector<std::uint16_t> differences(4 * static_cast<std::size_t>(coveredWidth));
    std::uint16_t* blue[2] = {differences.data(), differences.data() + coveredWidth};
    std::uint16_t* red[2] = {blue[1] + coveredWidth, blue[1] + 2 * coveredWidth};
    for (int y = 0; y < coveredHeight; y += 2) {
        const int rows = std::min(2, coveredHeight - y);
        for (int dy = 0; dy < rows; ++dy) {
            const std::uint8_t* row =
                frame.pixels.data() + static_cast<std::size_t>(frameHeight - 1 - y - dy) * frame.stride;
            std::uint8_t* luma = yPlane + static_cast<std::size_t>(y + dy) * width;
            if (frame.format == PixelFormat::Rgb565) {
                convertRow<Rgb565, Range>(row, coveredWidth, luma, blue[dy], red[dy]);
            } else {
                convertRow<Rgba, Range>(row, coveredWidth, luma, blue[dy], red[dy]);
            }
        }
        std::uint8_t* u = uPlane + static_cast<std::size_t>(y / 2) * cw;
        std::uint8_t* v = vPlane + static_cast<std::size_t>(y / 2) * cw;
        const int pairs = coveredWidth / 2;
        if (rows == 2) {
            for (int i = 0; i < pairs; ++i) {
                const int us = blue[0][2 * i] + blue[0][2 * i + 1] + blue[1][2 * i] + blue[1][2 * i + 1];
                const int vs = red[0][2 * i] + red[0][2 * i + 1] + red[1][2 * i] + red[1][2 * i + 1];
                u[i] = static_cast<std::uint8_t>(std::min((us + 2) >> 2, 255));
                v[i] = static_cast<std::uint8_t>(std::min((vs + 2) >> 2, 255));
            }
        }
        // Blocks the frame covers only partly: the last row of an odd height, the last column of an
        // odd width.
        for (int i = rows == 2 ? pairs : 0; i < (coveredWidth + 1) / 2; ++i) {
            int us = 0;
            int vs = 0;
            int count = 0;
            for (int dy = 0; dy < rows; ++dy) {
                for (int x = 2 * i; x < std::min(2 * i + 2, coveredWidth); ++x) {
                    us += blue[dy][x];
                    vs += red[dy][x];
                    ++count;
                }
            }
            u[i] = average(us, count);
            v[i] = average(vs, count);
        }
    }
}

} // namespace

void convertToYuv420(const CapturedFrame& frame, int width, int height, std::uint8_t* planes,
                     YuvRange range) {
    if (range == YuvRange::Video) {
        convertPlanes<VideoRange>(frame, width, height, planes);
    } else {
        convertPlanes<FullRange>(frame, width, height, planes);
    }
}

} // namespace runner
