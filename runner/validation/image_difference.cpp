#include "runner/validation/image_difference.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace runner::validation {

namespace {

int channelDifference(const std::uint8_t* a, const std::uint8_t* b, int& squares) {
    int largest = 0;
    for (int c = 0; c < 3; ++c) {
        const int d = std::abs(static_cast<int>(a[c]) - static_cast<int>(b[c]));
        squares += d * d;
        largest = std::max(largest, d);
    }
    return largest;
}

} // namespace

ImageDifference compareImages(const PngImage& reference, const PngImage& frame) {
    ImageDifference result;
    result.sameSize = reference.width == frame.width && reference.height == frame.height &&
                      reference.rgba.size() == frame.rgba.size() && !reference.rgba.empty();
    if (!result.sameSize) {
        return result;
    }
    double squares = 0;
    std::size_t off = 0;
    const std::size_t pixels = reference.rgba.size() / 4;
    for (std::size_t i = 0; i < pixels; ++i) {
        int pixelSquares = 0;
        const int largest = channelDifference(&reference.rgba[i * 4], &frame.rgba[i * 4], pixelSquares);
        squares += pixelSquares;
        result.largest = std::max(result.largest, largest);
        off += largest > kOffBy ? 1 : 0;
    }
    const double mse = squares / (3.0 * static_cast<double>(pixels));
    result.psnr = mse > 0 ? 10 * std::log10(255.0 * 255.0 / mse) : std::numeric_limits<double>::infinity();
    result.shareOff = static_cast<double>(off) / static_cast<double>(pixels);
    return result;
}

bool withinThresholds(const ImageDifference& d, const DifferenceThresholds& t) {
    return d.sameSize && d.psnr >= t.minimumPsnr && d.shareOff <= t.maximumShareOff;
}

PngImage differenceImage(const PngImage& reference, const PngImage& frame) {
    PngImage out;
    out.width = reference.width;
    out.height = reference.height;
    out.rgba.resize(reference.rgba.size());
    const std::size_t pixels = std::min(reference.rgba.size(), frame.rgba.size()) / 4;
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint8_t* r = &reference.rgba[i * 4];
        int unused = 0;
        const int d = channelDifference(r, &frame.rgba[i * 4], unused);
        const int grey = (r[0] * 77 + r[1] * 150 + r[2] * 29) >> 8;
        const auto dim = static_cast<std::uint8_t>(40 + grey / 4);
        std::uint8_t* o = &out.rgba[i * 4];
        o[0] = o[1] = o[2] = dim;
        if (d > kOffBy) {
            o[0] = static_cast<std::uint8_t>(std::min(255, 128 + d));
            o[1] = o[2] = static_cast<std::uint8_t>(dim / 2);
        } else if (d > 0) {
            o[2] = static_cast<std::uint8_t>(std::min(255, dim + 8 * d));
        }
        o[3] = 255;
    }
    return out;
}

} // namespace runner::validation
