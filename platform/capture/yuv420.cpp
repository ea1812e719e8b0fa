#include "platform/capture/yuv420.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

inline int luma(const std::uint8_t* p) {
    return (19595 * p[0] + 38470 * p[1] + 7471 * p[2] + 32768) >> 16;
}

// Both are at least 1 for any colour, so the shifts never see a negative value; pure blue (red) gives
// 256, which the block average clamps to 255.
inline int blueDifference(const std::uint8_t* p) {
    return (-11059 * p[0] - 21709 * p[1] + 32768 * p[2] + (128 << 16) + 32768) >> 16;
}

inline int redDifference(const std::uint8_t* p) {
    return (32768 * p[0] - 27439 * p[1] - 5329 * p[2] + (128 << 16) + 32768) >> 16;
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
    const std::size_t rowBytes = static_cast<std::size_t>(frameWidth) * 4;
    for (int y = 0; y < coveredHeight; y += 2) {
        const bool pair = y + 1 < coveredHeight;
        const std::uint8_t* top = bottomUpRgba + static_cast<std::size_t>(frameHeight - 1 - y) * rowBytes;
        const std::uint8_t* bottom = top - rowBytes; // read only for a pair
        std::uint8_t* yTop = yPlane + static_cast<std::size_t>(y) * width;
        std::uint8_t* yBottom = yTop + width;
        std::uint8_t* u = uPlane + static_cast<std::size_t>(y / 2) * cw;
        std::uint8_t* v = vPlane + static_cast<std::size_t>(y / 2) * cw;
        int x = 0;
        if (pair) {
            for (; x + 1 < coveredWidth; x += 2) {
                const std::uint8_t* a = top + x * 4;
                const std::uint8_t* b = bottom + x * 4;
                yTop[x] = static_cast<std::uint8_t>(luma(a));
                yTop[x + 1] = static_cast<std::uint8_t>(luma(a + 4));
                yBottom[x] = static_cast<std::uint8_t>(luma(b));
                yBottom[x + 1] = static_cast<std::uint8_t>(luma(b + 4));
                const int us =
                    blueDifference(a) + blueDifference(a + 4) + blueDifference(b) + blueDifference(b + 4);
                const int vs =
                    redDifference(a) + redDifference(a + 4) + redDifference(b) + redDifference(b + 4);
                u[x / 2] = static_cast<std::uint8_t>(std::min((us + 2) >> 2, 255));
                v[x / 2] = static_cast<std::uint8_t>(std::min((vs + 2) >> 2, 255));
            }
        }
        // The last column of an odd covered width, and the last row of an odd covered height.
        for (; x < coveredWidth; x += 2) {
            int us = 0;
            int vs = 0;
            int count = 0;
            for (int dy = 0; dy < (pair ? 2 : 1); ++dy) {
                for (int dx = 0; dx < 2 && x + dx < coveredWidth; ++dx) {
                    const std::uint8_t* p = (dy ? bottom : top) + (x + dx) * 4;
                    (dy ? yBottom : yTop)[x + dx] = static_cast<std::uint8_t>(luma(p));
                    us += blueDifference(p);
                    vs += redDifference(p);
                    ++count;
                }
            }
            u[x / 2] = average(us, count);
            v[x / 2] = average(vs, count);
        }
    }
}

} // namespace platform
