#pragma once
// What happens around each presented frame: capture and screenshots (read back before the swap), the
// virtual clock, the headless backend's scripted input, the frame records and the end of a benchmark
// (after it).
#include "platform/frame_capture.h"
#include "platform/gles/emulation.h"
#include "platform/options.h"
#include "platform/report/frame_recorder.h"
#include "platform/report/run_environment.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Presentation final : public gles::PresentObserver {
public:
    explicit Presentation(const PlatformOptions& options);
    ~Presentation() override;

    void beforePresent(int frame, EGLint width, EGLint height) override;
    void afterPresent(int frame) override;

    // Closes the capture stream.
    void finish();
    // The --stats report: frames presented, seconds, mean fps, median and 99th percentile frame time, the
    // context losses and recoveries, and the GL errors the program was handed.
    std::string statsReport() const;
    // The table and files of the report options; false if a file could not be written.
    bool writeReports(std::FILE* table) const;

private:
    const PlatformOptions& options_;
    std::unique_ptr<FrameCapture> capture_;
    std::vector<std::uint8_t> pixels_;
    std::optional<report::FrameRecorder> recorder_; // for --stats and the report options only
    report::RunEnvironment environment_;
};

} // namespace platform
