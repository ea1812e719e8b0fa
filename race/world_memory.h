#pragma once
// What the frame code keeps from one frame to the next lives beside the race world rather than in it,
// one module's worth each; it starts afresh with every world built, so that a world never inherits
// the race of one built before it in the same process.
#include <cstdint>

// How many race worlds the process has built so far.
std::uint32_t raceWorldsBuilt();

template <typename State> class WorldMemory {
public:
    // The state of the newest world, in its initial form on that world's first use.
    State& get() {
        if (world_ != raceWorldsBuilt()) {
            state_ = State{};
            world_ = raceWorldsBuilt();
        }
        return state_;
    }

private:
    State state_{};
    std::uint32_t world_ = 0;
};
