#pragma once
// The millisecond tick count that the program reads its time from.
#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, from the monotonic clock. Wraps like a 32-bit tick counter.
// Under the virtual clock: the presented frames times 1000 / fps, rounded down.
std::uint32_t tickCountMs();

// Makes the tick count virtual: 0 from now on until advanceVirtualClock is called, then 1000 / fps ms
// more for each call, the fractions carried (fps > 0).
void useVirtualClock(int fps);
// One frame presented (does nothing under the real clock).
void advanceVirtualClock();
// Whether the virtual clock is in use.
bool virtualClock();

// Changes with every useVirtualClock call. Tick counts read under different values come from different
// time lines and cannot be subtracted, so a start time kept across a change has to be taken again.
std::uint32_t clockTimeline();

} // namespace platform
