#pragma once
// The shared clock: seconds since the process first asked, read from the platform's millisecond ticks.
#include <cstdint>

// Single-precision seconds since the first call, which returns 0.
float elapsedSeconds();

// The clock's arithmetic, given the tick readings: the first reading starts the clock.
class ElapsedClock {
public:
    float secondsAt(std::uint32_t tickMs);

private:
    bool started_ = false;
    double start_ = 0.0;
};
