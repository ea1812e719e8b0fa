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

TEST(ClockSeconds, WrapsLikeFixedInsteadOfSaturating) {
    EXPECT_EQ(clockSeconds(0.0f).raw, 0);
    EXPECT_EQ(clockSeconds(1.5f), FixedFromFloat(1.5f));
    EXPECT_EQ(clockSeconds(32767.5f), FixedFromFloat(32767.5f));
    // Past 32768 s the raw value wraps, and the difference of two readings stays the time between them.
    const Fixed before = clockSeconds(32767.75f);
    const Fixed after = clockSeconds(32768.25f);
    EXPECT_LT(after.raw, 0);
    EXPECT_EQ(FixedToFloat(after - before), 0.5f);
    EXPECT_EQ(FixedToFloat(clockSeconds(100000.03125f) - clockSeconds(100000.0f)), 0.03125f);
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
