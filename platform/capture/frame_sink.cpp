#include "platform/capture/frame_sink.h"

#include "platform/capture/png_sequence_sink.h"
#include "platform/capture/y4m_sink.h"

#include <cstring>

namespace platform {

const std::uint8_t* rgbaPixels(const CapturedFrame& frame, std::vector<std::uint8_t>& scratch) {
    const std::size_t row = static_cast<std::size_t>(frame.width) * 4;
    if (frame.format == PixelFormat::Rgba8888 && frame.stride == row) {
        return frame.pixels.data();
    }
    scratch.resize(row * static_cast<std::size_t>(frame.height));
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* source = frame.pixels.data() + static_cast<std::size_t>(y) * frame.stride;
        std::uint8_t* out = scratch.data() + static_cast<std::size_t>(y) * row;
        if (frame.format == PixelFormat::Rgba8888) {
            std::memcpy(out, source, row);
            continue;
        }
        for (int x = 0; x < frame.width; ++x) {
            std::uint16_t pixel;
            std::memcpy(&pixel, source + x * 2, 2);
            const unsigned r = pixel >> 11;
            const unsigned g = (pixel >> 5) & 63;
            const unsigned b = pixel & 31;
            out[x * 4] = static_cast<std::uint8_t>(r << 3 | r >> 2);
            out[x * 4 + 1] = static_cast<std::uint8_t>(g << 2 | g >> 4);
            out[x * 4 + 2] = static_cast<std::uint8_t>(b << 3 | b >> 2);
            out[x * 4 + 3] = 255;
        }
    }
    return scratch.data();
}

std::unique_ptr<FrameSink> makeFrameSink(const std::string& path, int fps) {
    if (path == "-" || path.ends_with(".y4m")) {
        return std::make_unique<Y4mSink>(path, fps);
    }
    return std::make_unique<PngSequenceSink>(path);
}

} // namespace platform
