#pragma once
// The millisecond tick count that the program reads its time from.
#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, from the monotonic clock. Wraps like a 32-bit tick counter.
std::uint32_t tickCountMs();

} // namespace platform
