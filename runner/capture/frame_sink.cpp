#include "runner/capture/frame_sink.h"

#include <cstring>

namespace runner {

const std::uint8_t* rgbRow(const CapturedFrame& frame, int y, std::vector<std::uint8_t>& scratch) {
    const std::uint8_t* row = frame.pixels.data() + static_cast<std::size_t>(y) * frame.stride;
    const int width = frame.width;
    scratch.resize(static_cast<std::size_t>(width) * 3);
    std::uint8_t* out = scratch.data();
    if (frame.format == PixelFormat::Rgba8888) {
        for (int x = 0; x < width; ++x) {
            std::memcpy(out + x * 3, row + x * 4, 3);
        }
        return out;
    }
    for (int x = 0; x < width; ++x) {
        expandRgb565(row + x * 2, out[x * 3], out[x * 3 + 1], out[x * 3 + 2]);
    }
    return out;
}

const std::uint8_t* rgbaPixels(const CapturedFrame& frame, std::vector<std::uint8_t>& scratch) {
    const std::size_t row = static_cast<std::size_t>(frame.width) * 4;
    if (frame.format == PixelFormat::Rgba8888 && frame.stride == row) {
        return frame.pixels.data();
    }
    scratch.resize(row * static_cast<std::size_t>(frame.height));
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* in = frame.pixels.data() + static_cast<std::size_t>(y) * frame.stride;
        std::uint8_t* out = scratch.data() + static_cast<std::size_t>(y) * row;
        if (frame.format == PixelFormat::Rgba8888) {
            std::memcpy(out, in, row);
            continue;
        }
        for (int x = 0; x < frame.width; ++x) {
            expandRgb565(in + x * 2, out[x * 4], out[x * 4 + 1], out[x * 4 + 2]);
            out[x * 4 + 3] = 255;
        }
    }
    return scratch.data();
}

} // namespace runner
