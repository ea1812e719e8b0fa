// A car whose key path cannot be allocated: the world is built without it, and the frames leave that car
// out instead of reading through the missing keys. The replaced allocator refuses one key path's size
// to the non-throwing operator new.
#include <gmock/gmock.h>

#include <algorithm>
#include <new>

#include "platform/clock.h"
#include "race/app_class.h"
#include "race_test_support.h"
#include "tests/support/replaced_allocator.h"
#include "tests/support/virtual_clock.h"

namespace {

// The key path allocation (counted from 0) to refuse; negative: none.
int refusedPath = -1;
int pathsSeen = 0;

std::size_t pathBytes() {
    return (static_cast<std::size_t>(keyPaths[1].count) + 1) * kKeyFloats * sizeof(Fixed);
}

bool refuseOnePath(std::size_t size, bool nothrow) {
    if (!nothrow || size != pathBytes()) {
        return true;
    }
    return pathsSeen++ != refusedPath;
}

bool allZero(const FixedMatrix& m) {
    for (int i = 0; i < 16; ++i) {
        if (m[i].raw != 0) {
            return false;
        }
    }
    return true;
}

class CarPathAllocationTest : public RaceTest {
protected:
    void SetUp() override {
        test_allocator::setPolicy(refuseOnePath);
        RaceTest::SetUp();
    }
    void TearDown() override {
        if (appClass != nullptr) {
            UpdateAppClass(0, 0, FixedOne);
        }
        refusedPath = -1;
        test_allocator::setPolicy(nullptr);
        RaceTest::TearDown();
    }
};

TEST_F(CarPathAllocationTest, CarWithoutAKeyPathIsLeftOutAndTheOthersRace) {
    const VirtualClockScope clock(30);
    for (int missing = 0; missing < kCarCount; ++missing) {
        registerEmbeddedFilesAgain();
        refusedPath = missing;
        pathsSeen = 0;
        clearOutput();
        for (int frame = 0; frame < 10; ++frame) {
            UpdateAppClass(320, 240, FixedOne);
            platform::advanceVirtualClock();
        }
        ASSERT_NE(appClass, nullptr);
        EXPECT_EQ(appClass->carPaths[missing].keys, nullptr);
        EXPECT_THAT(output(), ::testing::HasSubstr("RaceTrack failed to create something\n"));

        // Every camera, the chase camera on car 0's path included, is placed without the missing keys.
        for (const SceneMode mode : {Chase, Trackside, InCar}) {
            appClass->placeCamera(mode);
        }
        for (int car = 0; car < kCarCount; ++car) {
            gl.clearLog();
            appClass->drawCar(car);
            if (car == missing) {
                EXPECT_TRUE(allZero(appClass->carTransform[car])) << "car " << car;
                EXPECT_TRUE(gl.calls().empty()) << "car " << car;
            } else {
                EXPECT_FALSE(allZero(appClass->carTransform[car])) << "car " << car;
                EXPECT_FALSE(gl.calls().empty()) << "car " << car;
            }
        }
        UpdateAppClass(0, 0, FixedOne);
    }
}

} // namespace
