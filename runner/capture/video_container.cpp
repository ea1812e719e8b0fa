#include "runner/capture/video_container.h"

#include <string>
#include <string_view>

namespace runner {

namespace {

// Constant rate factors that keep the race's thin lines and textures clean at 640x480 without making a
// lap's file much larger than needed (scripts/capture-throughput shows the sizes).
constexpr VideoContainer containers[] = {
    {".mp4", "mp4", "H.264", "libx264", 51, 20, true, ".webm"},
    {".mkv", "matroska", "H.264", "libx264", 51, 20, true, ".webm"},
    {".webm", "webm", "VP9", "libvpx-vp9", 63, 32, false, ".mp4"},
};

std::string withExtension(const std::string& path, const VideoContainer& container, const char* extension) {
    return path.substr(0, path.size() - std::char_traits<char>::length(container.extension)) + extension;
}

} // namespace

const VideoContainer* videoContainerFor(const std::string& path) {
    for (const VideoContainer& container : containers) {
        const std::string_view extension = container.extension;
        if (path.size() > extension.size() && path.ends_with(extension)) {
            return &container;
        }
    }
    return nullptr;
}

std::string videoCaptureProblem(const std::string& path, const std::function<bool(const char*)>& hasEncoder) {
    const VideoContainer* container = videoContainerFor(path);
    if (!container || hasEncoder(container->encoder)) {
        return {};
    }
    const VideoContainer* other = videoContainerFor(withExtension(path, *container, container->other));
    const std::string problem = "cannot record " + path + ": this FFmpeg has no " + container->codec +
                                " encoder (" + container->encoder + ")";
    if (hasEncoder(other->encoder)) {
        return problem + "; --capture=" + withExtension(path, *container, other->extension) + " records " +
               other->codec;
    }
    return problem + " and no " + other->codec + " encoder (" + other->encoder +
           "); --capture=" + withExtension(path, *container, ".y4m") + " records uncompressed video";
}

} // namespace runner
