#include "platform/presentation.h"

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/png_file.h"
#include "platform/window/window.h"
#include "platform/window/window_backend.h"

#include <algorithm>
#include <cstdio>

namespace platform {

Presentation::Presentation(const PlatformOptions& options)
    : options_(options), shotTaken_(options.screenshots.size(), false),
      start_(std::chrono::steady_clock::now()), last_(start_) {
    if (!options.capturePath.empty()) {
        capture_ = std::make_unique<CaptureQueue>(makeFrameSink(options.capturePath, options.fixedFps));
    }
}

Presentation::~Presentation() {
    finish();
}

void Presentation::fail(const char* output, const std::string& error) {
    std::fprintf(stderr, "nymbus: %s: %s\n", output, error.c_str());
    if (!failed_) {
        failed_ = true;
        if (!finished_) {
            postQuitMessage(0);
        }
    }
}

void Presentation::beforePresent(int frame, EGLint width, EGLint height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    if (capture_ && frame % options_.captureEvery == 0) {
        readBack_ = capture_->acquire(frame / options_.captureEvery, width, height);
        if (readBack_) {
            readback_.read(*readBack_);
        }
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
        if (!writePng(s.path, shot_.width, shot_.height, rgbaPixels(shot_, shotRgba_), 0, true, &error)) {
            fail("screenshot", error);
        }
    }
    shotRead_ = false;
    if (readBack_) {
        capture_->submit(readBack_);
        readBack_ = nullptr;
    }
    if (capture_ && capture_->failed() && !captureReported_) {
        captureReported_ = true;
        fail("capture", capture_->error());
    }
    if (debugOutputFailed() && !failed_) {
        failed_ = true; // the debug output has said what failed
        postQuitMessage(0);
    }
}

void Presentation::afterPresent(int frame) {
    keepFrame(frame);
    const auto now = std::chrono::steady_clock::now();
    frameMs_.push_back(std::chrono::duration<double, std::milli>(now - last_).count());
    last_ = now;
    advanceVirtualClock();
    windowFramePresented(frame);
}

void Presentation::presentFailed(int) {
    if (readBack_) {
        capture_->release(readBack_);
        readBack_ = nullptr;
    }
    shotRead_ = false;
}

bool Presentation::finish() {
    if (finished_) {
        return !failed_;
    }
    finished_ = true;
    if (capture_) {
        if (readBack_) {
            capture_->release(readBack_);
            readBack_ = nullptr;
        }
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
    const double seconds = std::chrono::duration<double>(last_ - start_).count();
    std::vector<double> sorted = frameMs_;
    std::sort(sorted.begin(), sorted.end());
    const auto rank = [&sorted](double p) {
        return sorted.empty()
                   ? 0.0
                   : sorted[static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5)];
    };
    char text[256];
    std::snprintf(text, sizeof text,
                  "frames presented: %zu\nseconds: %.3f\nmean fps: %.1f\nmedian frame time: %.2f ms\n"
                  "99th percentile frame time: %.2f ms\n",
                  frameMs_.size(), seconds,
                  seconds > 0 ? static_cast<double>(frameMs_.size()) / seconds : 0.0, rank(0.5), rank(0.99));
    return text;
}

} // namespace platform
