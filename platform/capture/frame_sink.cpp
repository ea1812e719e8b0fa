#include "platform/capture/frame_sink.h"

#include "platform/capture/png_sequence_sink.h"
#include "platform/capture/y4m_sink.h"

namespace platform {

std::unique_ptr<FrameSink> makeFrameSink(const std::string& path, int fps) {
    if (path == "-" || path.ends_with(".y4m")) {
        return std::make_unique<Y4mSink>(path, fps);
    }
    return std::make_unique<PngSequenceSink>(path);
}

} // namespace platform
