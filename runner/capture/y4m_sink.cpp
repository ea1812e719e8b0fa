#include "runner/capture/y4m_sink.h"

#include "runner/capture/yuv420.h"

#include <cstdio>
#include <cstring>

namespace runner {

namespace {
constexpr char frameMarker[] = "FRAME\n";
constexpr std::size_t markerSize = sizeof frameMarker - 1;
} // namespace

Y4mSink::Y4mSink(std::string path, int fps) : path_(std::move(path)), fps_(fps > 0 ? fps : 30) {}

void Y4mSink::begin(int width, int height) {
    width_ = width;
    height_ = height;
}

bool Y4mSink::encode(const CapturedFrame& frame, std::vector<std::uint8_t>& encoded, std::string&) const {
    encoded.resize(markerSize + yuv420Size(width_, height_));
    std::memcpy(encoded.data(), frameMarker, markerSize);
    convertToYuv420(frame, width_, height_, encoded.data() + markerSize);
    return true;
}

bool Y4mSink::store(const CapturedFrame&, const std::vector<std::uint8_t>& encoded, std::string& error) {
    if (!file_.isOpen()) {
        if (!file_.open(path_, error, {}, platform::OutputFile::Placement::Replace)) {
            return false;
        }
        char header[96];
        // The range is said the way FFmpeg's reader takes it; without it, readers take the video range.
        const int size = std::snprintf(header, sizeof header,
                                       "YUV4MPEG2 W%d H%d F%d:1 Ip A1:1 C420jpeg XCOLORRANGE=FULL\n", width_,
                                       height_, fps_);
        if (!file_.write(header, static_cast<std::size_t>(size), error)) {
            discardPartialFrame();
            return false;
        }
        wholeBytes_ = file_.written();
    }
    if (!file_.write(encoded.data(), encoded.size(), error)) {
        discardPartialFrame();
        return false;
    }
    ++wholeFrames_;
    wholeBytes_ = file_.written();
    return true;
}

void Y4mSink::discardPartialFrame() {
    file_.truncate(wholeBytes_);
    // Without a frame there is nothing worth keeping: a new file is not put in place.
    if (wholeFrames_ == 0) {
        file_.discard();
    }
}

bool Y4mSink::finish(std::string& error) {
    return file_.close(error);
}

} // namespace runner
