#include "math/clock.h"

#include "platform/clock.h"

float ElapsedClock::secondsAt(std::uint32_t tickMs) {
    const double now = static_cast<double>(static_cast<float>(tickMs)) * 0.001;
    if (!started_) {
        started_ = true;
        start_ = now;
        return 0.0f;
    }
    return static_cast<float>(now - start_);
}

float elapsedSeconds() {
    static ElapsedClock clock;
    return clock.secondsAt(platform::tickCountMs());
}
