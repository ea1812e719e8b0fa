#include "runner/presentation.h"

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/gles/es2/program_cache.h"
#include "platform/gles/frame_digest.h"
#include "platform/gles/system_driver.h"
#include "platform/window/window.h"
#include "platform/window/window_backend.h"
#include "runner/png_file.h"
#include "runner/report/frame_statistics.h"
#include "runner/report/run_reports.h"

#include <algorithm>
#include <cstdio>

namespace runner {

Presentation::Presentation(const PlatformOptions& options)
    : options_(options), capture_(makeFrameCapture(options)), shotTaken_(options.screenshots.size(), false) {
    if (options.stats || options.report.reportsFrames()) {
        recorder_.emplace();
        platform::receiveFrameMarks(&*recorder_);
    }
}

Presentation::~Presentation() {
    platform::receiveFrameMarks(nullptr);
    finish();
}

void Presentation::fail(const char* output, const std::string& error) {
    std::fprintf(stderr, "nymbus: %s: %s\n", output, error.c_str());
    if (!failed_) {
        failed_ = true;
        if (!finished_) {
            platform::postQuitMessage(0);
        }
    }
}

void Presentation::beforePresent(int frame, EGLint width, EGLint height) {
    if (recorder_ && recorder_->log().frames.empty() && options_.report.reportsFrames()) {
        environment_ = report::queryRunEnvironment(width, height);
    }
    if (width <= 0 || height <= 0) {
        return;
    }
    if (capture_) {
        capture_->beforePresent(frame, width, height);
    }
    if (std::any_of(options_.screenshots.begin(), options_.screenshots.end(),
                    [frame](const Screenshot& s) { return s.frame == frame; })) {
        shot_.width = width;
        shot_.height = height;
        readback_.read(shot_, true);
        shotRead_ = true;
    }
}

void Presentation::keepFrame(int frame) {
    lastPresented_ = frame;
    for (std::size_t i = 0; i < options_.screenshots.size() && shotRead_; ++i) {
        const Screenshot& s = options_.screenshots[i];
        std::string error;
        if (s.frame != frame) {
            continue;
        }
        shotTaken_[i] = true;
        if (!writePng(s.path, shot_.width, shot_.height, shot_.pixels.data(), shot_.stride, true, &error)) {
            fail("screenshot", error);
        }
    }
    shotRead_ = false;
    if (capture_) {
        capture_->presented();
    }
    if (capture_ && capture_->failed() && !captureReported_) {
        captureReported_ = true;
        fail("capture", capture_->error());
    }
    if (platform::debugOutputFailed() && !failed_) {
        failed_ = true; // the debug output has said what failed
        platform::postQuitMessage(0);
    }
}

void Presentation::afterPresent(int frame) {
    if (digests_) {
        char line[40];
        const int length = std::snprintf(line, sizeof line, "%d %016llx\n", frame,
                                         static_cast<unsigned long long>(platform::gles::takeFrameDigest()));
        std::string error;
        if (!failed_ && !digests_->write(line, static_cast<std::size_t>(length), error)) {
            fail("frame digest", error);
        }
    }
    keepFrame(frame);
    if (recorder_) {
        const int lapsBefore = recorder_->log().laps;
        recorder_->framePresented();
        const int laps = options_.report.benchmarkLaps;
        if (laps > 0 && lapsBefore < laps && recorder_->log().laps >= laps) {
            platform::postQuitMessage(0);
        }
    }
    platform::advanceVirtualClock();
    platform::windowFramePresented(frame);
}

void Presentation::presentFailed(int) {
    if (capture_) {
        capture_->notPresented();
    }
    shotRead_ = false;
}

bool Presentation::finish() {
    if (finished_) {
        return !failed_;
    }
    finished_ = true;
    if (capture_) {
        if (!capture_->finish() && !captureReported_) {
            captureReported_ = true;
            fail("capture", capture_->error());
        }
    }
    for (std::size_t i = 0; i < options_.screenshots.size(); ++i) {
        if (!shotTaken_[i]) {
            const Screenshot& s = options_.screenshots[i];
            fail("screenshot",
                 "frame " + std::to_string(s.frame) + " was never presented (" +
                     (lastPresented_ < 0 ? std::string("no frame was")
                                         : "the last was frame " + std::to_string(lastPresented_)) +
                     "): " + s.path + " not written");
        }
    }
    return !failed_;
}

std::string Presentation::statsReport() const {
    std::vector<double> frameMs;
    if (recorder_) {
        for (const report::FrameRecord& f : recorder_->log().frames) {
            frameMs.push_back(f.frameMs);
        }
    }
    const report::FrameStatistics s = report::frameStatistics(frameMs, 0);
    const platform::gles::EmulationCounts counts = platform::gles::emulationCounts();
    char text[320];
    std::snprintf(text, sizeof text,
                  "frames presented: %zu\nseconds: %.3f\nmean fps: %.1f\nmedian frame time: %.2f ms\n"
                  "99th percentile frame time: %.2f ms\ncontext losses: %d, recovered: %d\nGL errors: %d\n",
                  s.frames, s.totalMs / 1000, s.meanFps, s.medianMs, s.p99Ms, counts.contextLosses,
                  counts.recoveries, counts.glErrors);
    std::string report = text;
    if (platform::gles::glPath() == platform::gles::GlPath::Es2) {
        const platform::gles::es2::ShaderStatistics shaders = platform::gles::es2::shaderStatistics();
        std::snprintf(text, sizeof text, "shader variants: %d, built in %.1f ms%s\n", shaders.variants,
                      shaders.buildMilliseconds, shaders.failures ? " (some failed: see the log)" : "");
        report += text;
    }
    return report;
}

bool Presentation::writeReports(std::FILE* table) const {
    return !recorder_ || !options_.report.reportsFrames() ||
           report::writeRunReports(options_.report, recorder_->log(), environment_, options_.fixedFps, table);
}

} // namespace runner
