#pragma once
// One YUV4MPEG2 stream (4:2:0, full range) in a file or on standard output, for video tools
// (`ffmpeg -i race.y4m race.mp4`). The stream keeps the size of its first frame. A regular file is
// written under a name of its own and renamed when the capture ends; a pipe or FIFO is written as the
// frames come. If a write fails, the file is cut back to its last whole frame (or not written if it has
// none), so that it stays playable.
#include "platform/output_file.h"
#include "runner/capture/frame_sink.h"

namespace runner {

class Y4mSink final : public FrameSink {
public:
    // `path`: a file name, or "-" for standard output.
    Y4mSink(std::string path, int fps);

    void begin(int width, int height) override;
    bool encode(const CapturedFrame& frame, std::vector<std::uint8_t>& encoded,
                std::string& error) const override;
    bool store(const CapturedFrame& frame, const std::vector<std::uint8_t>& encoded,
               std::string& error) override;
    bool finish(std::string& error) override;

private:
    void discardPartialFrame();

    std::string path_;
    int fps_;
    int width_ = 0;
    int height_ = 0;
    platform::OutputFile file_;
    std::size_t wholeFrames_ = 0;
    std::size_t wholeBytes_ = 0; // the header and the whole frames
};

} // namespace runner
