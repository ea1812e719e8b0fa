#pragma once
// Polling for something a program or another thread brings about.
#include <chrono>
#include <thread>

// Waits until the condition holds, looking again every `every`, for at most the time. Whether it held.
template <class Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit,
             std::chrono::milliseconds every = std::chrono::milliseconds(2)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(every);
    }
    return true;
}
