#include "platform/frame_marks.h"

namespace platform {

namespace {
FrameMarkReceiver* receiver = nullptr;
} // namespace

void receiveFrameMarks(FrameMarkReceiver* r) {
    receiver = r;
}

void labelFrame(std::string_view label) {
    if (receiver) {
        receiver->label(label);
    }
}

void markCycleCompleted() {
    if (receiver) {
        receiver->cycleCompleted();
    }
}

} // namespace platform
