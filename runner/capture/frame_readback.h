#pragma once
// Reads the frame about to be presented back into a captured frame. A 16-bit (5-6-5) surface is read in
// its own format where the GL offers that: a plain copy for the GL, about half the time of an RGBA
// read-back, which is done on the render thread. The expansion to RGBA (on a worker) gives the bytes
// that the RGBA read-back gives; the first frame checks that with both read-backs, and if a driver
// expands otherwise, frames are read as RGBA from then on.
#include "runner/capture/frame_sink.h"

namespace runner {

class FrameReadback {
public:
    // Reads the whole surface (frame.width x frame.height) into the frame, setting its layout. With
    // `rgbaOnly` the frame is always read as RGBA.
    void read(CapturedFrame& frame, bool rgbaOnly = false);

private:
    enum class Native { Untried, Same, Different };
    Native native_ = Native::Untried;
};

} // namespace runner
