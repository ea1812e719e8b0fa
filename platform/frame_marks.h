#pragma once
// What the application tells the platform about the frame it is drawing, for whoever observes the run:
// which part of its content the frame shows (a short label such as a camera mode), and that the frame
// completes one cycle of that content (one pass of a loop it plays). The platform gives the marks no meaning
// and hands them to the receiver installed, if any; without one the calls do nothing.
#include <string_view>

namespace platform {

class FrameMarkReceiver {
public:
    virtual void label(std::string_view text) = 0;
    virtual void cycleCompleted() = 0;

protected:
    ~FrameMarkReceiver() = default;
};

// Makes the marks reach `receiver` (null: none).
void receiveFrameMarks(FrameMarkReceiver* receiver);

// Labels the frame being drawn (the one the next presentation shows); the last call before the
// presentation counts. An unlabelled frame has no label.
void labelFrame(std::string_view label);

// The frame being drawn completes a cycle of the content.
void markCycleCompleted();

} // namespace platform
