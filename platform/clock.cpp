#include "platform/clock.h"

#include <chrono>

namespace platform {

namespace {
int virtualFps = 0;
std::uint64_t virtualFrames = 0;
std::uint32_t timeline = 0;
} // namespace

std::uint32_t tickCountMs() {
    if (virtualFps > 0) {
        return static_cast<std::uint32_t>(virtualFrames * 1000 / static_cast<std::uint64_t>(virtualFps));
    }
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(now);
}

void useVirtualClock(int fps) {
    virtualFps = fps > 0 ? fps : 0;
    virtualFrames = 0;
    ++timeline;
}

void advanceVirtualClock() {
    if (virtualFps > 0) {
        ++virtualFrames;
    }
}

bool virtualClock() {
    return virtualFps > 0;
}

std::uint32_t clockTimeline() {
    return timeline;
}

} // namespace platform
