#include "platform/capture/yuv420.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// One row of pixels: luma stored, and each pixel's two colour differences kept for the block averages.
// Both differences are at least 1 for any colour, so the shifts never see a negative value; pure blue
// (red) gives 256, which the block average clamps to 255. Written as a plain loop over the pixels so
// that the compiler vectorises it.
void convertRow(const std::uint8_t* rgba, int width, std::uint8_t* luma, std::uint16_t* blue,
                std::uint16_t* red) {
    for (int x = 0; x < width; ++x) {
        const int r = rgba[x * 4];
        const int g = rgba[x * 4 + 1];
        const int b = rgba[x * 4 + 2];
        luma[x] = static_cast<std::uint8_t>((19595 * r + 38470 * g + 7471 * b + 32768) >> 16);
        blue[x] =
            static_cast<std::uint16_t>((-11059 * r - 21709 * g + 32768 * b + (128 << 16) + 32768) >> 16);
        red[x] = static_cast<std::uint16_t>((32768 * r - 27439 * g - 5329 * b + (128 << 16) + 32768) >> 16);
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

void convertToYuv420(const std::uint8_t* bottomUpRgba, int frameWidth, int frameHeight, int width, int height,
                     std::uint8_t* planes) {
    const int cw = (width + 1) / 2;
    const int ch = (height + 1) / 2;
    std::uint8_t* yPlane = planes;
    std::uint8_t* uPlane = yPlane + static_cast<std::size_t>(width) * height;
    std::uint8_t* vPlane = uPlane + static_cast<std::size_t>(cw) * ch;
    const int coveredWidth = std::min(width, frameWidth);
    const int coveredHeight = std::min(height, frameHeight);
    if (coveredWidth < width || coveredHeight < height) {
        std::memset(yPlane, 0, static_cast<std::size_t>(width) * height);
        std::memset(uPlane, 128, 2 * static_cast<std::size_t>(cw) * ch);
    }
    // The colour differences of the two rows of a block row.
    std::vector<std::uint16_t> differences(4 * static_cast<std::size_t>(coveredWidth));
    std::uint16_t* blue[2] = {differences.data(), differences.data() + coveredWidth};
    std::uint16_t* red[2] = {blue[1] + coveredWidth, blue[1] + 2 * coveredWidth};
    const std::size_t rowBytes = static_cast<std::size_t>(frameWidth) * 4;
    for (int y = 0; y < coveredHeight; y += 2) {
        const int rows = std::min(2, coveredHeight - y);
        for (int dy = 0; dy < rows; ++dy) {
            convertRow(bottomUpRgba + static_cast<std::size_t>(frameHeight - 1 - y - dy) * rowBytes,
                       coveredWidth, yPlane + static_cast<std::size_t>(y + dy) * width, blue[dy], red[dy]);
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

} // namespace platform
