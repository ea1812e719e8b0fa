#pragma once
// Numbered PNG files, one a frame (`frames/%05d.png`). Each file is written under a temporary name and
// renamed when whole, and in frame order, so the files present at any moment are whole and without gaps.
#include "runner/capture/frame_sink.h"
#include "runner/png_file.h"

namespace runner {

// The compression of captured frames: fast enough to keep up with the race on two cores.
extern const PngCompression capturePngCompression;

class PngSequenceSink final : public FrameSink {
public:
    // `pattern`: a file name with one %d, optionally with a zero flag and a width (%05d).
    explicit PngSequenceSink(std::string pattern);

    void begin(int width, int height) override;
    bool encode(const CapturedFrame& frame, std::vector<std::uint8_t>& encoded,
                std::string& error) const override;
    bool store(const CapturedFrame& frame, const std::vector<std::uint8_t>& encoded,
               std::string& error) override;
    bool finish(std::string& error) override;

    // The file a pattern gives for a number, the number formatted whole whatever its width.
    static std::string numberedPath(const std::string& pattern, int number);

private:
    std::string pattern_;
};

} // namespace runner
