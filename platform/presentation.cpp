#include "platform/presentation.h"

#include "platform/clock.h"
#include "platform/gles/gl.h"
#include "platform/png_file.h"
#include "platform/window/window_backend.h"

#include <algorithm>
#include <cstdio>

namespace platform {

Presentation::Presentation(const PlatformOptions& options)
    : options_(options), start_(std::chrono::steady_clock::now()), last_(start_) {
    if (!options.capturePath.empty()) {
        capture_ = std::make_unique<FrameCapture>(options.capturePath, options.fixedFps);
    }
}

Presentation::~Presentation() {
    finish();
}

void Presentation::beforePresent(int frame, EGLint width, EGLint height) {
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
    const auto now = std::chrono::steady_clock::now();
    frameMs_.push_back(std::chrono::duration<double, std::milli>(now - last_).count());
    last_ = now;
    advanceVirtualClock();
    windowFramePresented(frame);
}

void Presentation::finish() {
    if (capture_) {
        capture_->close();
    }
}

std::string Presentation::statsReport() const {
    const double seconds = std::chrono::duration<double>(last_ - start_).count();
    std::vector<double> sorted = frameMs_;
    std::sort(sorted.begin(), sorted.end());
    const auto rank = [&sorted](double p) {
        return sorted.empty()
                   ? 0.0
                   : sorted[static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5)];
    };
    const gles::EmulationCounts counts = gles::emulationCounts();
    char text[320];
    std::snprintf(text, sizeof text,
                  "frames presented: %zu\nseconds: %.3f\nmean fps: %.1f\nmedian frame time: %.2f ms\n"
                  "99th percentile frame time: %.2f ms\ncontext losses: %d, recovered: %d\nGL errors: %d\n",
                  frameMs_.size(), seconds,
                  seconds > 0 ? static_cast<double>(frameMs_.size()) / seconds : 0.0, rank(0.5), rank(0.99),
                  counts.contextLosses, counts.recoveries, counts.glErrors);
    return text;
}

} // namespace platform
