#pragma once
// The shared clock: seconds since the process first asked, read from the platform's millisecond ticks.
#include "math/fixed.h"

#include <cstdint>

// Single-precision seconds since the first call, which returns 0. A switch between the real and the
// virtual clock starts it again from 0.
float elapsedSeconds();

// Seconds of the shared clock as Fixed, wrapping past 32767 s instead of saturating: the difference of
// two readings stays the time between them across the wrap.
Fixed clockSeconds(float seconds);

// The clock's arithmetic, given the tick readings: the first reading starts the clock. The ticks since
// the start are taken modulo 2^32, so the counter's wrap is harmless, and they are converted to float
// before the scaling by 0.001 in double: exact for runs shorter than 2^24 ms (4.6 hours), whatever the
// counter's value when the clock starts.
class ElapsedClock {
public:
    float secondsAt(std::uint32_t tickMs);

private:
    bool started_ = false;
    std::uint32_t startTick_ = 0;
};
