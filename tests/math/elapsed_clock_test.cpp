#include "math/clock.h"

#include "tests/support/virtual_clock.h"

#include <gtest/gtest.h>

namespace {

TEST(ElapsedClock, FirstReadingStartsAtZero) {
    ElapsedClock clock;
    EXPECT_EQ(clock.secondsAt(123456), 0.0f);
    EXPECT_EQ(clock.secondsAt(123456), 0.0f);
    EXPECT_EQ(clock.secondsAt(124456), 1.0f);
    EXPECT_EQ(clock.secondsAt(123457), static_cast<float>(0.001));
    EXPECT_EQ(clock.secondsAt(123456 + 16), static_cast<float>(16 * 0.001));
}

TEST(ElapsedClock, ScalesInDoubleAfterASinglePrecisionTickCount) {
    ElapsedClock clock;
    clock.secondsAt(0);
    // 0.001 × 33 in double, narrowed: not the float product 0.001f × 33.
    EXPECT_EQ(clock.secondsAt(33), static_cast<float>(33 * 0.001));
    // Beyond 2^24 ms the tick count rounds to a float before the scaling.
    EXPECT_EQ(clock.secondsAt(16777217), 16777.216f);
    EXPECT_EQ(clock.secondsAt(16777219), 16777.22f);
}

TEST(ElapsedClock, KeepsMillisecondsWhateverTheCounterValue) {
    // A tick counter far from zero (days of uptime) still yields millisecond steps.
    ElapsedClock late;
    late.secondsAt(900000000);
    EXPECT_EQ(late.secondsAt(900000001), static_cast<float>(0.001));
    EXPECT_EQ(late.secondsAt(900000017), static_cast<float>(0.017));

    // The 32-bit counter wrapping during a run does not turn time backwards.
    ElapsedClock wrapping;
    wrapping.secondsAt(0xFFFFFF00u);
    EXPECT_EQ(wrapping.secondsAt(0x00000100u), static_cast<float>(512 * 0.001));
}

TEST(ElapsedSeconds, AdvancesWithThePlatformTicks) {
    const float before = elapsedSeconds();
    float now = before;
    for (int i = 0; i < 1000000 && now == before; ++i) {
        now = elapsedSeconds();
    }
    EXPECT_GT(now, before);
    EXPECT_LT(now - before, 1.0f);
}

TEST(ElapsedSeconds, StartsAgainWhenTheClockIsSwitched) {
    elapsedSeconds();
    {
        // Started on the real clock, then read on the virtual one: it counts from the switch.
        const VirtualClockScope clock(4);
        EXPECT_EQ(elapsedSeconds(), 0.0f);
        platform::advanceVirtualClock();
        platform::advanceVirtualClock();
        EXPECT_EQ(elapsedSeconds(), 0.5f);
    }
    // And back on the real clock it starts from 0 again.
    EXPECT_EQ(elapsedSeconds(), 0.0f);
}

} // namespace
