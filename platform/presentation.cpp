#include "platform/presentation.h"

#include "platform/clock.h"
#include "platform/gles/gl.h"
#include "platform/png_file.h"
#include "platform/report/frame_statistics.h"
#include "platform/report/run_reports.h"
#include "platform/window/window.h"
#include "platform/window/window_backend.h"

#include <algorithm>
#include <cstdio>

namespace platform {

Presentation::Presentation(const PlatformOptions& options) : options_(options) {
    if (!options.capturePath.empty()) {
        capture_ = std::make_unique<FrameCapture>(options.capturePath, options.fixedFps);
    }
    if (options.stats || options.report.reportsFrames()) {
        recorder_.emplace();
        report::installFrameRecorder(&*recorder_);
    }
}

Presentation::~Presentation() {
    report::installFrameRecorder(nullptr);
    finish();
}

void Presentation::beforePresent(int frame, EGLint width, EGLint height) {
    if (recorder_ && recorder_->log().frames.empty() && options_.report.reportsFrames()) {
        environment_ = report::queryRunEnvironment(width, height);
    }
    const bool captured = capture_ && frame % options_.captureEvery == 0;
    const bool shot = std::any_of(options_.screenshots.begin(), options_.screenshots.end(),
                                  [frame](const Screenshot& s) { return s.frame == frame; });
    if ((!captured && !shot) || width <= 0 || height <= 0) {
        return;
    }
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels_.data());
    if (captured) {
        capture_->write(frame / options_.captureEvery, width, height, pixels_.data());
    }
    for (const Screenshot& s : options_.screenshots) {
        if (s.frame == frame && !writePng(s.path, width, height, pixels_.data(), 0, true)) {
            std::fprintf(stderr, "nymbus: screenshot: cannot write %s\n", s.path.c_str());
        }
    }
}

void Presentation::afterPresent(int frame) {
    if (recorder_) {
        const int lapsBefore = recorder_->log().laps;
        recorder_->framePresented();
        const int laps = options_.report.benchmarkLaps;
        if (laps > 0 && lapsBefore < laps && recorder_->log().laps >= laps) {
            postQuitMessage(0);
        }
    }
    advanceVirtualClock();
    windowFramePresented(frame);
}

void Presentation::finish() {
    if (capture_) {
        capture_->close();
    }
}

std::string Presentation::statsReport() const {
    std::vector<double> frameMs;
    if (recorder_) {
        for (const report::FrameRecord& f : recorder_->log().frames) {
            frameMs.push_back(f.frameMs);
        }
    }
    const report::FrameStatistics s = report::frameStatistics(frameMs, 0);
    const gles::EmulationCounts counts = gles::emulationCounts();
    char text[320];
    std::snprintf(text, sizeof text,
                  "frames presented: %zu\nseconds: %.3f\nmean fps: %.1f\nmedian frame time: %.2f ms\n"
                  "99th percentile frame time: %.2f ms\ncontext losses: %d, recovered: %d\nGL errors: %d\n",
                  s.frames, s.totalMs / 1000, s.meanFps, s.medianMs, s.p99Ms, counts.contextLosses,
                  counts.recoveries, counts.glErrors);
    return text;
}

bool Presentation::writeReports(std::FILE* table) const {
    return !recorder_ || !options_.report.reportsFrames() ||
           report::writeRunReports(options_.report, recorder_->log(), environment_, options_.fixedFps, table);
}

} // namespace platform
