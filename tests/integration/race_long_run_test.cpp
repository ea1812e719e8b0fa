// The race over long stretches of the clock, on the record driver: stalls of seconds to many laps
// between two frames, and running on past the 32767 s that Fixed seconds hold, the cars and the
// waterfall alike.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "math/clock.h"
#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/gles/record_driver.h"
#include "race/app_class.h"
#include "tests/support/virtual_clock.h"

namespace {

// How far a parameter moved, across the end of the lap if need be.
float moved(float from, float to) {
    const float d = to - from;
    return d < 0.0f ? d + 1.0f : d;
}

TEST(RaceLongRunTest, StallOfManyLapsAndTheClockPastFixedRangeKeepTheRaceGoing) {
    platform::gles::RecordDriver gl(platform::gles::RecordDriver::Mode::Silent);
    std::wstring output;
    platform::setDebugOutputSink([&output](const wchar_t* text) { output += text; });
    const VirtualClockScope clock(30);
    auto frame = [] {
        UpdateAppClass(640, 480, FixedOne);
        platform::advanceVirtualClock();
    };
    for (int f = 0; f < 30; ++f) {
        frame();
    }
    ASSERT_NE(appClass, nullptr);

    // Stalls of a few seconds to a few laps between frames: the cars jump sections, and their wheels and
    // shadows still find the road.
    for (const int seconds : {3, 7, 13, 29, 61, 200}) {
        for (int tick = 0; tick < seconds * 30; ++tick) {
            platform::advanceVirtualClock();
        }
        frame();
        frame();
    }
    EXPECT_EQ(output.find(L"No Intersection Found"), std::wstring::npos);

    // The clock runs on for 32750 s, almost 400 laps, without a frame.
    for (int tick = 0; tick < 32750 * 30; ++tick) {
        platform::advanceVirtualClock();
    }
    frame();
    frame();
    for (int car = 0; car < kCarCount; ++car) {
        EXPECT_GE(appClass->carPathParam[car], 0.0f);
        EXPECT_LE(appClass->carPathParam[car], 1.0f);
        EXPECT_GE(appClass->carSectionCoord[car], 0.0f);
        EXPECT_LT(appClass->carSectionCoord[car], 14.0f);
    }
    EXPECT_GE(appClass->cameraPathParam, 0.0f);
    EXPECT_LE(appClass->cameraPathParam, 1.0f);

    // 30 s of frames across 32767 s: every frame step is a thirtieth of a second (to the clock's
    // resolution there), the cars keep moving at their pace and spacing, and the waterfall's nearer layer
    // keeps scrolling v by -0.25 a second (pulled back by one whole repeat now and then).
    const float spacing = moved(appClass->carPathParam[0], appClass->carPathParam[2]);
    float last = appClass->carPathParam[0];
    const Fixed* water = appClass->waterfall[0]->tex2d;
    appClass->drawWaterfall();
    Fixed lastV = water[1];
    for (int f = 0; f < 900; ++f) {
        frame();
        appClass->drawWaterfall();
        const float scrolled = FixedToFloat(water[1] - lastV);
        EXPECT_NEAR(scrolled > 0.5f ? scrolled - 1.0f : scrolled, -0.25f / 30.0f, 0.002f) << "frame " << f;
        lastV = water[1];
        const float dt = FixedToFloat(appClass->frameTime[0] - appClass->frameTime[1]);
        EXPECT_NEAR(dt, 1.0f / 30.0f, 0.005f) << "frame " << f;
        const float step = moved(last, appClass->carPathParam[0]);
        EXPECT_NEAR(step, 0.0004f, 0.00006f) << "frame " << f;
        last = appClass->carPathParam[0];
        EXPECT_NEAR(moved(appClass->carPathParam[0], appClass->carPathParam[2]), spacing, 1e-4f);
    }
    EXPECT_EQ(output.find(L"No Intersection Found"), std::wstring::npos);
    EXPECT_GT(elapsedSeconds(), 32767.0f + 10.0f);
    UpdateAppClass(0, 0, FixedOne);
    platform::setDebugOutputSink({});
}

} // namespace
