#include "runner/capture/frame_readback.h"

#include "platform/gles/gl.h"

#include <cstring>
#include <utility>

namespace runner {

namespace {

void readAs(CapturedFrame& frame, PixelFormat format) {
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    const std::size_t align = alignment > 0 ? static_cast<std::size_t>(alignment) : 1;
    const std::size_t row = static_cast<std::size_t>(frame.width) * (format == PixelFormat::Rgb565 ? 2 : 4);
    frame.format = format;
    frame.stride = (row + align - 1) / align * align;
    frame.pixels.resize(frame.stride * static_cast<std::size_t>(frame.height));
    if (format == PixelFormat::Rgb565) {
        glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, frame.pixels.data());
    } else {
        glReadPixels(0, 0, frame.width, frame.height, GL_RGBA, GL_UNSIGNED_BYTE, frame.pixels.data());
    }
}

} // namespace

void FrameReadback::read(CapturedFrame& frame, bool rgbaOnly) {
    GLint format = 0;
    GLint type = 0;
    glGetIntegerv(GL_IMPLEMENTATION_COLOR_READ_FORMAT_OES, &format);
    glGetIntegerv(GL_IMPLEMENTATION_COLOR_READ_TYPE_OES, &type);
    const bool native =
        !rgbaOnly && native_ != Native::Different && format == GL_RGB && type == GL_UNSIGNED_SHORT_5_6_5;
    if (!native) {
        readAs(frame, PixelFormat::Rgba8888);
        return;
    }
    readAs(frame, PixelFormat::Rgb565);
    if (native_ == Native::Same) {
        return;
    }
    CapturedFrame check;
    check.width = frame.width;
    check.height = frame.height;
    readAs(check, PixelFormat::Rgba8888);
    std::vector<std::uint8_t> rgba;
    std::vector<std::uint8_t> expanded;
    const std::uint8_t* expected = rgbaPixels(check, rgba);
    const std::uint8_t* expansion = rgbaPixels(frame, expanded);
    const std::size_t bytes = static_cast<std::size_t>(frame.width) * frame.height * 4;
    native_ = std::memcmp(expected, expansion, bytes) == 0 ? Native::Same : Native::Different;
    if (native_ == Native::Different) {
        frame.format = check.format;
        frame.stride = check.stride;
        frame.pixels = std::move(check.pixels);
    }
}

} // namespace runner
