#include "math/clock.h"

#include "platform/clock.h"

float ElapsedClock::secondsAt(std::uint32_t tickMs) {
    if (!started_) {
        started_ = true;
        startTick_ = tickMs;
        return 0.0f;
    }
    const std::uint32_t ticks = tickMs - startTick_;
    const double seconds = static_cast<double>(static_cast<float>(ticks)) * 0.001;
    return static_cast<float>(seconds);
}

float elapsedSeconds() {
    static ElapsedClock clock;
    static std::uint32_t timeline = platform::clockTimeline();
    // Switching between the real and the virtual clock starts a new time line, and the clock with it.
    if (timeline != platform::clockTimeline()) {
        timeline = platform::clockTimeline();
        clock = ElapsedClock{};
    }
    return clock.secondsAt(platform::tickCountMs());
}
