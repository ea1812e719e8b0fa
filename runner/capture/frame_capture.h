#pragma once
// --capture around each presented frame: the frame is read back into a buffer of the writer queue before
// the swap and handed to the queue once the swap has presented it (every k-th frame with
// --capture-every); a frame whose swap failed is given back unwritten.
#include "runner/options.h"

#include <memory>
#include <string>

namespace runner {

class FrameCapture {
public:
    virtual ~FrameCapture() = default;
    // Before the swap of frame `frame`, its context current.
    virtual void beforePresent(int frame, int width, int height) = 0;
    // After the swap: presented, or not.
    virtual void presented() = 0;
    virtual void notPresented() = 0;
    // Whether a frame could not be encoded or stored; error() says why.
    virtual bool failed() const = 0;
    virtual std::string error() const = 0;
    // Stores every frame still queued and closes the output. False if anything failed.
    virtual bool finish() = 0;
};

// The capture that the options ask for; null without --capture.
std::unique_ptr<FrameCapture> makeFrameCapture(const PlatformOptions& options);

} // namespace runner
