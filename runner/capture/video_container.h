#pragma once
// The video files a capture can record, told apart by their extension: H.264 in MP4 and Matroska, VP9 in
// WebM. What is said here needs no video library, so that the options can be checked, and a build
// without one can say so.
#include <functional>
#include <string>

namespace runner {

struct VideoContainer {
    const char* extension; // ".mp4"
    const char* muxer;     // FFmpeg's name for the container
    const char* codec;     // "H.264"
    const char* encoder;   // FFmpeg's name for the encoder
    int worstQuality;      // the quality is the encoder's constant rate factor: 0 (best) to this
    int defaultQuality;
    bool evenSize;     // the encoder takes even widths and heights only
    const char* other; // the extension of a container with the other codec
};

// The container a capture path names by its extension, or null if it names none.
const VideoContainer* videoContainerFor(const std::string& path);

// Why a capture to `path` cannot be recorded, in one line, or empty when it can or when the path names
// no video. `hasEncoder` tells whether the video library has an encoder of that name.
std::string videoCaptureProblem(const std::string& path, const std::function<bool(const char*)>& hasEncoder);

// The same for this build: asks its video library, or says that it was built without one.
std::string videoCaptureProblem(const std::string& path);

} // namespace runner
