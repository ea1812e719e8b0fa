#include "platform/capture/frame_sink.h"

#include "platform/capture/png_sequence_sink.h"
#include "platform/capture/video_sink.h"
#include "platform/capture/y4m_sink.h"

#include <cstring>

namespace platform {

namespace {

// Written as a plain loop over the pixels, which the compiler vectorises.
void expandRgb565(const std::uint8_t* source, int width, std::uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        const unsigned pixel = static_cast<unsigned>(source[x * 2]) | static_cast<unsigned>(source[x * 2 + 1])
                                                                          << 8;
        const unsigned r = pixel >> 11;
        const unsigned g = (pixel >> 5) & 63;
        const unsigned b = pixel & 31;
        out[x * 4] = static_cast<std::uint8_t>(r << 3 | r >> 2);
        out[x * 4 + 1] = static_cast<std::uint8_t>(g << 2 | g >> 4);
        out[x * 4 + 2] = static_cast<std::uint8_t>(b << 3 | b >> 2);
        out[x * 4 + 3] = 255;
    }
}

} // namespace

const std::uint8_t* rgbaRow(const CapturedFrame& frame, int y, std::vector<std::uint8_t>& scratch) {
    const std::uint8_t* row = frame.pixels.data() + static_cast<std::size_t>(y) * frame.stride;
    if (frame.format == PixelFormat::Rgba8888) {
        return row;
    }
    scratch.resize(static_cast<std::size_t>(frame.width) * 4);
    expandRgb565(row, frame.width, scratch.data());
    return scratch.data();
}

const std::uint8_t* rgbaPixels(const CapturedFrame& frame, std::vector<std::uint8_t>& scratch) {
    const std::size_t row = static_cast<std::size_t>(frame.width) * 4;
    if (frame.format == PixelFormat::Rgba8888 && frame.stride == row) {
        return frame.pixels.data();
    }
    scratch.resize(row * static_cast<std::size_t>(frame.height));
    std::vector<std::uint8_t> expanded;
    for (int y = 0; y < frame.height; ++y) {
        std::memcpy(scratch.data() + static_cast<std::size_t>(y) * row, rgbaRow(frame, y, expanded), row);
    }
    return scratch.data();
}

std::unique_ptr<FrameSink> makeFrameSink(const std::string& path, int fps, int quality) {
    if (const VideoContainer* container = videoContainerFor(path)) {
        return makeVideoSink(path, *container, fps, quality);
    }
    if (path == "-" || path.ends_with(".y4m")) {
        return std::make_unique<Y4mSink>(path, fps);
    }
    return std::make_unique<PngSequenceSink>(path);
}

} // namespace platform
