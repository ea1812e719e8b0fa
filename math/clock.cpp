#include "math/clock.h"

#include "platform/clock.h"

#include <cmath>

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

Fixed clockSeconds(float seconds) {
    // Scaling by 65536 is exact; the integer part is kept modulo 2^32 like the raw Fixed bits.
    const double scaled = std::trunc(static_cast<double>(seconds) * 65536.0);
    const double wrapped = scaled - 4294967296.0 * std::floor(scaled / 4294967296.0);
    return Fixed{static_cast<std::int32_t>(static_cast<std::uint32_t>(wrapped))};
}
