#pragma once
// The virtual clock for the lifetime of a test's scope: the real clock is back afterwards however the
// test ends, so that no later test in the process runs on a frozen tick count.
#include "platform/clock.h"

class VirtualClockScope {
public:
    explicit VirtualClockScope(int fps) { platform::useVirtualClock(fps); }
    ~VirtualClockScope() { platform::useVirtualClock(0); }
    VirtualClockScope(const VirtualClockScope&) = delete;
    VirtualClockScope& operator=(const VirtualClockScope&) = delete;
};
