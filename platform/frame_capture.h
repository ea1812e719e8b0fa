#pragma once
// Keeps presented frames: numbered PNG files, or one YUV4MPEG2 (y4m) stream in a file or on standard
// output. Frames are given as glReadPixels returns them (RGBA, bottom row first) and stored upright.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

class FrameCapture {
public:
    // `path`: a printf pattern with one %d (numbered PNG files), a name ending in .y4m, or "-" (y4m on
    // standard output). `fps` is the y4m frame rate.
    FrameCapture(std::string path, int fps);
    ~FrameCapture();
    FrameCapture(const FrameCapture&) = delete;
    FrameCapture& operator=(const FrameCapture&) = delete;

    // Writes one frame; `number` numbers PNG files. Returns false (after one message on standard error
    // for the first failure) if it cannot be written. A y4m stream keeps the size of its first frame:
    // later frames of another size are cropped or padded with black.
    bool write(int number, int width, int height, const std::uint8_t* bottomUpRgba);
    // Flushes and closes a y4m stream.
    void close();

    // The file a PNG pattern gives for a number.
    static std::string numberedPath(const std::string& pattern, int number);

private:
    bool writeY4m(int width, int height, const std::uint8_t* bottomUpRgba);
    void report(const std::string& problem);

    std::string path_;
    int fps_;
    bool y4m_;
    std::FILE* stream_ = nullptr;
    bool failed_ = false;
    int streamWidth_ = 0;
    int streamHeight_ = 0;
    std::vector<std::uint8_t> planes_;
};

} // namespace platform
