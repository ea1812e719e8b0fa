#include "tests/support/message_pump.h"

#include <thread>

namespace {

constexpr auto idle = std::chrono::milliseconds(5);

} // namespace

bool pumpUntil(platform::MessageType type, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        platform::Message message;
        while (platform::peekMessage(message)) {
            platform::dispatchMessage(message);
            if (message.type == type) {
                return true;
            }
        }
        std::this_thread::sleep_for(idle);
    }
    return false;
}

void pumpFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        platform::Message message;
        while (platform::peekMessage(message)) {
            platform::dispatchMessage(message);
        }
        std::this_thread::sleep_for(idle);
    }
}
