#include "platform/clock.h"

#include <chrono>

namespace platform {

std::uint32_t tickCountMs() {
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(now);
}

} // namespace platform
