#include "runner/capture/frame_capture.h"

#include "runner/capture/capture_queue.h"
#include "runner/capture/frame_readback.h"
#include "runner/capture/png_sequence_sink.h"
#include "runner/capture/video_sink.h"
#include "runner/capture/y4m_sink.h"

namespace runner {

namespace {

class QueuedCapture final : public FrameCapture {
public:
    explicit QueuedCapture(const PlatformOptions& options)
        : every_(options.captureEvery),
          queue_(makeFrameSink(options.capturePath, options.fixedFps, options.captureQuality)) {}

    void beforePresent(int frame, int width, int height) override {
        if (frame % every_ != 0) {
            return;
        }
        readBack_ = queue_.acquire(frame / every_, width, height);
        if (readBack_) {
            readback_.read(*readBack_);
        }
    }
    void presented() override {
        if (readBack_) {
            queue_.submit(readBack_);
            readBack_ = nullptr;
        }
    }
    void notPresented() override {
        if (readBack_) {
            queue_.release(readBack_);
            readBack_ = nullptr;
        }
    }
    bool failed() const override { return queue_.failed(); }
    std::string error() const override { return queue_.error(); }
    bool finish() override {
        notPresented();
        return queue_.finish();
    }

private:
    int every_;
    CaptureQueue queue_;
    FrameReadback readback_;
    CapturedFrame* readBack_ = nullptr; // the frame between the read-back and the swap
};

} // namespace

std::unique_ptr<FrameSink> makeFrameSink(const std::string& path, int fps, int quality) {
    if (const VideoContainer* container = videoContainerFor(path)) {
        return makeVideoSink(path, *container, fps, quality);
    }
    if (path == "-" || path.ends_with(".y4m")) {
        return std::make_unique<Y4mSink>(path, fps);
    }
    return std::make_unique<PngSequenceSink>(path);
}

std::unique_ptr<FrameCapture> makeFrameCapture(const PlatformOptions& options) {
    if (options.capturePath.empty()) {
        return nullptr;
    }
    return std::make_unique<QueuedCapture>(options);
}

} // namespace runner
