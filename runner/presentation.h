#pragma once
// What happens around each presented frame: capture and screenshots (read back before the swap, kept
// once the swap has presented the frame), the virtual clock, the headless backend's scripted input,
// the frame records, the frame digest lines and the end of a benchmark (after it).
#include "platform/gles/emulation.h"
#include "platform/output_file.h"
#include "runner/capture/frame_capture.h"
#include "runner/capture/frame_readback.h"
#include "runner/options.h"
#include "runner/report/frame_recorder.h"
#include "runner/report/run_environment.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace runner {

class Presentation final : public platform::gles::PresentObserver {
public:
    explicit Presentation(const PlatformOptions& options);
    ~Presentation() override;

    void beforePresent(int frame, EGLint width, EGLint height) override;
    void afterPresent(int frame) override;
    void presentFailed(int frame) override;

    // Writes "FRAME HASH" to `file` after each presented frame, the hash of the frame's GL calls (the
    // digest must have been started).
    void writeDigests(platform::OutputFile* file) { digests_ = file; }

    // Stores the frames still queued, closes the capture and reports screenshots whose frame never came.
    // False if any output failed; each failure has been reported on standard error.
    bool finish();
    // The --stats report: frames presented, seconds, mean fps, median and 99th percentile frame time, the
    // context losses and recoveries, the GL errors the program was handed, and on the es2 path the shader
    // variants built and the time that took.
    std::string statsReport() const;
    // The table and files of the report options; false if a file could not be written.
    bool writeReports(std::FILE* table) const;

private:
    void keepFrame(int frame);
    // Says once what failed, and stops the run as the quit message does.
    void fail(const char* output, const std::string& error);

    const PlatformOptions& options_;
    std::unique_ptr<FrameCapture> capture_;
    FrameReadback readback_;
    CapturedFrame shot_; // a screenshot's frame (RGBA) between the read-back and the swap
    bool shotRead_ = false;
    std::vector<bool> shotTaken_;
    int lastPresented_ = -1;
    bool captureReported_ = false;
    bool failed_ = false;
    bool finished_ = false;
    platform::OutputFile* digests_ = nullptr;
    std::optional<report::FrameRecorder> recorder_; // for --stats and the report options only
    report::RunEnvironment environment_;
};

} // namespace runner
