#include "platform/frame_capture.h"

#include "platform/png_file.h"

#include <algorithm>

namespace platform {

FrameCapture::FrameCapture(std::string path, int fps)
    : path_(std::move(path)), fps_(fps > 0 ? fps : 30), y4m_(path_ == "-" || path_.ends_with(".y4m")) {}

FrameCapture::~FrameCapture() {
    close();
}

std::string FrameCapture::numberedPath(const std::string& pattern, int number) {
    const std::size_t percent = pattern.find('%');
    const std::size_t d = pattern.find('d', percent);
    // The option parser allows only %d with an optional zero flag and width here.
    const std::string conversion = pattern.substr(percent, d - percent + 1);
    char digits[32];
    std::snprintf(digits, sizeof digits, conversion.c_str(), number);
    return pattern.substr(0, percent) + digits + pattern.substr(d + 1);
}

void FrameCapture::report(const std::string& problem) {
    if (!failed_) {
        std::fprintf(stderr, "nymbus: capture: %s\n", problem.c_str());
        failed_ = true;
    }
}

bool FrameCapture::write(int number, int width, int height, const std::uint8_t* bottomUpRgba) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    if (y4m_) {
        return writeY4m(width, height, bottomUpRgba);
    }
    const std::string file = numberedPath(path_, number);
    if (!writePng(file, width, height, bottomUpRgba, 0, true)) {
        report("cannot write " + file);
        return false;
    }
    return true;
}

bool FrameCapture::writeY4m(int width, int height, const std::uint8_t* bottomUpRgba) {
    if (!stream_ && !failed_) {
        stream_ = path_ == "-" ? stdout : std::fopen(path_.c_str(), "wb");
        if (!stream_) {
            report("cannot create " + path_);
            return false;
        }
        streamWidth_ = width;
        streamHeight_ = height;
        std::fprintf(stream_, "YUV4MPEG2 W%d H%d F%d:1 Ip A1:1 C420jpeg\n", width, height, fps_);
    }
    if (!stream_) {
        return false;
    }
    const int w = streamWidth_;
    const int h = streamHeight_;
    const int cw = (w + 1) / 2;
    const int ch = (h + 1) / 2;
    planes_.assign(static_cast<std::size_t>(w * h + 2 * cw * ch), 0);
    std::uint8_t* yPlane = planes_.data();
    std::uint8_t* uPlane = yPlane + w * h;
    std::uint8_t* vPlane = uPlane + cw * ch;
    std::fill(uPlane, uPlane + 2 * cw * ch, std::uint8_t{128});
    // Full-range BT.601 (JPEG) in 16.16 fixed point; chroma averaged over each 2 x 2 block.
    std::vector<int> uSum(static_cast<std::size_t>(cw * ch), 0);
    std::vector<int> vSum(uSum.size(), 0);
    std::vector<int> count(uSum.size(), 0);
    for (int y = 0; y < std::min(h, height); ++y) {
        const std::uint8_t* row = bottomUpRgba + static_cast<std::size_t>(height - 1 - y) * width * 4;
        for (int x = 0; x < std::min(w, width); ++x) {
            const int r = row[x * 4];
            const int g = row[x * 4 + 1];
            const int b = row[x * 4 + 2];
            yPlane[y * w + x] = static_cast<std::uint8_t>((19595 * r + 38470 * g + 7471 * b + 32768) >> 16);
            const std::size_t c = static_cast<std::size_t>((y / 2) * cw + x / 2);
            uSum[c] += (-11059 * r - 21709 * g + 32768 * b + (128 << 16) + 32768) >> 16;
            vSum[c] += (32768 * r - 27439 * g - 5329 * b + (128 << 16) + 32768) >> 16;
            ++count[c];
        }
    }
    for (std::size_t c = 0; c < uSum.size(); ++c) {
        if (count[c]) {
            uPlane[c] = static_cast<std::uint8_t>(std::clamp((uSum[c] + count[c] / 2) / count[c], 0, 255));
            vPlane[c] = static_cast<std::uint8_t>(std::clamp((vSum[c] + count[c] / 2) / count[c], 0, 255));
        }
    }
    std::fputs("FRAME\n", stream_);
    if (std::fwrite(planes_.data(), 1, planes_.size(), stream_) != planes_.size()) {
        report("cannot write " + (path_ == "-" ? std::string("standard output") : path_));
        return false;
    }
    return true;
}

void FrameCapture::close() {
    if (stream_) {
        if (stream_ == stdout) {
            std::fflush(stream_);
        } else {
            std::fclose(stream_);
        }
        stream_ = nullptr;
    }
}

} // namespace platform
