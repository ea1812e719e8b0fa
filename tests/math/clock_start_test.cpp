#include "math/clock.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ElapsedSeconds, FirstCallOfTheProcessIsZeroAndLaterCallsCountFromIt) {
    const std::uint32_t startTick = platform::tickCountMs();
    EXPECT_EQ(elapsedSeconds(), 0.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const float later = elapsedSeconds();
    const float upperBound = static_cast<float>((platform::tickCountMs() - startTick) * 0.001) + 0.002f;
    EXPECT_GE(later, 0.029f);
    EXPECT_LE(later, upperBound);
}

} // namespace
