// A build without the capture's writer queue (the web build: a page has no files to write frames to):
// --capture is refused with the options, and no run captures.
#include "runner/capture/frame_capture.h"

namespace runner {

std::unique_ptr<FrameCapture> makeFrameCapture(const PlatformOptions&) {
    return nullptr;
}

} // namespace runner
