// A build without FFmpeg's libraries: a video capture is refused with the options and says why.
#include "runner/capture/video_sink.h"

namespace runner {

std::unique_ptr<FrameSink> makeVideoSink(const std::string&, const VideoContainer&, int, int) {
    return nullptr;
}

std::string videoCaptureProblem(const std::string& path) {
    if (!videoContainerFor(path)) {
        return {};
    }
    return "cannot record " + path +
           ": this nymbus was built without video encoding (install libavcodec-dev, libavformat-dev, "
           "libswscale-dev and libavutil-dev, then build again); --capture=FILE.y4m records uncompressed "
           "video";
}

} // namespace runner
