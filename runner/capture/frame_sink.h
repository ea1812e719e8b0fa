#pragma once
// Where captured frames go: numbered PNG files, a y4m stream, a video encoder. A sink does its
// work in two steps so that a queue can run the costly one on several threads: `encode` turns one frame
// into bytes on its own (any thread, several frames at once), `store` keeps the encoded frames one at a
// time in the order they were captured.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace runner {

// How a frame's pixels are laid out: 8-bit RGBA, or a 16-bit surface's own 5-6-5 pixels (native byte
// order), which are read back faster and expanded to RGBA by the sink's worker.
enum class PixelFormat { Rgba8888, Rgb565 };

struct CapturedFrame {
    int number = 0; // names the frame (numbered files)
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::Rgba8888;
    std::size_t stride = 0;           // bytes from one row to the next
    std::vector<std::uint8_t> pixels; // as glReadPixels returns them: bottom row first
};

// The 8-bit channels of a 5-6-5 pixel (native byte order) by bit replication, as Mesa's RGBA read-back of
// such a surface gives them. Inline, so that the loops over a row that call it are vectorised.
template <class Channel>
inline void expandRgb565(const std::uint8_t* pixel, Channel& r, Channel& g, Channel& b) {
    std::uint16_t bits;
    std::memcpy(&bits, pixel, 2);
    const int r5 = bits >> 11;
    const int g6 = (bits >> 5) & 63;
    const int b5 = bits & 31;
    r = static_cast<Channel>(r5 << 3 | r5 >> 2);
    g = static_cast<Channel>(g6 << 2 | g6 >> 4);
    b = static_cast<Channel>(b5 << 3 | b5 >> 2);
}

// Row `y` of the frame (0: the first in memory, the bottom one) as width * 3 RGB bytes in `scratch`,
// expanded from 5-6-5 or with the alpha bytes left out.
const std::uint8_t* rgbRow(const CapturedFrame& frame, int y, std::vector<std::uint8_t>& scratch);
// The frame's pixels as RGBA rows of width * 4 bytes, bottom row first: the frame's own bytes when they
// are laid out so, else a copy or an expansion into `scratch`.
const std::uint8_t* rgbaPixels(const CapturedFrame& frame, std::vector<std::uint8_t>& scratch);

class FrameSink {
public:
    virtual ~FrameSink() = default;

    // Called with the size of the first frame before any frame is encoded (a stream keeps that size).
    virtual void begin(int width, int height) = 0;
    // Turns a frame into the bytes that `store` keeps. May run on several threads at once, for different
    // frames: touches nothing but its arguments and what `begin` set.
    virtual bool encode(const CapturedFrame& frame, std::vector<std::uint8_t>& encoded,
                        std::string& error) const = 0;
    // Keeps one encoded frame; called for one frame at a time, in capture order. After a failure it
    // leaves no partial frame behind and is not called again.
    virtual bool store(const CapturedFrame& frame, const std::vector<std::uint8_t>& encoded,
                       std::string& error) = 0;
    // After the last frame (or a failure): completes and closes the output.
    virtual bool finish(std::string& error) = 0;
};

// The sink for a --capture path: a pattern with %d (numbered PNG files), a .y4m file, "-" (y4m on
// standard output) or a video file (.mp4, .mkv, .webm). `fps` is the stream's frame rate (0: 30),
// `quality` a video's constant rate factor (-1: the container's default).
std::unique_ptr<FrameSink> makeFrameSink(const std::string& path, int fps, int quality = -1);

} // namespace runner
