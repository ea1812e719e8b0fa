// Car motion along the key paths: the interpolation's neighbour keys at the wrap, its section
// coordinates, the lap wrap of the parameters and the step between two frames.
#include <gmock/gmock.h>

#include <cstring>

#include "math/clock.h"
#include "race/car_motion.h"
#include "race/scene_schedule.h"
#include "race_test_support.h"

namespace {

constexpr int kKeys = 1749;

class CarMotionTest : public RaceTest {
protected:
    void SetUp() override {
        RaceTest::SetUp();
        world = buildWorld(320, 240);
    }

    // Every value of car 0's Fixed keys 0, clearing the path, except the given key, which becomes 1.0.
    void isolateKey(int key) {
        CarPath& path = world->carPaths[0];
        std::memset(path.keys, 0, sizeof(Fixed) * (path.count + 1) * kKeyFloats);
        for (int v = 0; v < kKeyFloats; ++v) {
            path.keys[key * kKeyFloats + v] = FixedOne;
        }
    }

    // The parameter whose key index is k with a fraction of about one half.
    static float midKey(int k) { return (static_cast<float>(k) + 0.5f) / static_cast<float>(kKeys); }

    std::unique_ptr<RaceTrack> world;
};

TEST_F(CarMotionTest, KeyZeroAndTheEndOfTheLapGiveKeyZeroExactly) {
    const Fixed* key0 = world->carPaths[1].keys;
    for (const float param : {0.0f, 1.0f}) {
        world->interpolatePath(param, 2, 1);
        const FixedMatrix& m = world->carTransform[1];
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 3; ++column) {
                EXPECT_EQ(m[4 * row + column], key0[3 * row + column]) << "param " << param;
            }
            EXPECT_EQ(m[4 * row + 3], row == 3 ? FixedOne : Fixed{0});
        }
        const FixedMatrix& r = world->carRotation[1];
        EXPECT_EQ(r[12].raw, 0);
        EXPECT_EQ(r[14].raw, 0);
        EXPECT_EQ(r[15], FixedOne);
        EXPECT_EQ(r[0], m[0]);
    }
    // Key 1749 still lies in the last section.
    EXPECT_EQ(world->interpolatePath(1.0f, 2, 1), 13.0f + 113.0f / 114.0f);
    EXPECT_EQ(world->interpolatePath(0.0f, 2, 1), 0.0f);
}

TEST_F(CarMotionTest, NeighboursOfTheFirstAndLastKeysWrapPastTheClosingKeys) {
    // Key 0's predecessor is key 1747, not 1748.
    isolateKey(1747);
    world->interpolatePath(midKey(0), 2, 0);
    EXPECT_LT(world->carTransform[0][0].raw, -3000);
    isolateKey(1748);
    world->interpolatePath(midKey(0), 2, 0);
    EXPECT_EQ(world->carTransform[0][0].raw, 0);

    // Key 1748 goes on to key 0 and then key 1; the closing key 1749 is never read.
    isolateKey(0);
    world->interpolatePath(midKey(1748), 2, 0);
    EXPECT_GT(world->carTransform[0][0].raw, 30000);
    isolateKey(1);
    world->interpolatePath(midKey(1748), 2, 0);
    EXPECT_LT(world->carTransform[0][0].raw, -3000);
    isolateKey(1749);
    world->interpolatePath(midKey(1748), 2, 0);
    EXPECT_EQ(world->carTransform[0][0].raw, 0);
    EXPECT_EQ(world->carTransform[0][13].raw, 0);
}

TEST_F(CarMotionTest, SectionCoordinatesMoveInWholeKeysThroughEachSection) {
    EXPECT_EQ(world->interpolatePath(midKey(156), 2, 2), 156.0f / 157.0f);
    EXPECT_EQ(world->interpolatePath(midKey(157), 2, 2), 1.0f);
    EXPECT_EQ(world->interpolatePath(midKey(1000), 2, 2), 8.0f + 49.0f / 86.0f);
    // Back to the start: the walk wraps from section 13 to 0.
    EXPECT_EQ(world->interpolatePath(midKey(3), 2, 2), 3.0f / 157.0f);
    // Every key lies in the section whose range holds it.
    for (int k = 0; k < kKeys; k += 7) {
        const float coordinate = world->interpolatePath(midKey(k), 2, 0);
        const TrackSection& row = trackSections[static_cast<int>(coordinate)];
        EXPECT_GE(k, row.firstKey);
        EXPECT_LT(k, row.endKey);
    }
}

TEST_F(CarMotionTest, CameraKindWritesOnlyTheCameraTransformAndOtherKindsNothing) {
    const float coordinate = world->interpolatePath(midKey(400), 2, 0);
    const FixedMatrix car = world->carTransform[0];
    world->cameraPathTransform.clear();
    EXPECT_EQ(world->interpolatePath(midKey(900), 1, 0), coordinate);
    EXPECT_NE(world->cameraPathTransform[12], Fixed{0});
    EXPECT_EQ(std::memcmp(&car, &world->carTransform[0], sizeof car), 0);
    EXPECT_EQ(world->interpolatePath(midKey(400), 2, 0), coordinate);

    const FixedMatrix camera = world->cameraPathTransform;
    EXPECT_EQ(world->interpolatePath(midKey(1200), 3, 0), 0.0f);
    EXPECT_EQ(world->interpolatePath(midKey(1200), 0, 0), 0.0f);
    EXPECT_EQ(std::memcmp(&camera, &world->cameraPathTransform, sizeof camera), 0);
    EXPECT_EQ(std::memcmp(&car, &world->carTransform[0], sizeof car), 0);
}

TEST(LapWrapTest, ParametersStayWithinOneLapWhateverTheStep) {
    EXPECT_EQ(lapStep(1.0f / 30.0f), 0.0004f * ((1.0f / 30.0f) * 30.0f));
    EXPECT_NEAR(lapStep(1.0f / 30.0f), 0.0004f, 1e-9f);
    // One lap is subtracted as usual: exactly 1.0 stays.
    EXPECT_EQ(wrapLap(0.5f), 0.5f);
    EXPECT_EQ(wrapLap(1.0f), 1.0f);
    EXPECT_EQ(wrapLap(1.0003f), 1.0003f - 1.0f);
    // Steps of several laps (a stalled clock catching up) keep the fraction.
    EXPECT_NEAR(wrapLap(0.25f + lapStep(250.0f)), 0.25f, 1e-4f);
    EXPECT_NEAR(wrapLap(3.75f), 0.75f, 1e-6f);
    for (const float p : {7.5f, 123.456f, 1.0e6f, -0.25f, -3.5f}) {
        const float wrapped = wrapLap(p);
        EXPECT_GE(wrapped, 0.0f) << p;
        EXPECT_LE(wrapped, 1.0f) << p;
    }
}

TEST(FrameStepTest, IsTheTimeBetweenTheLastTwoFramesAcrossTheClockWrap) {
    const Fixed late0 = clockSeconds(100000.0f);
    const Fixed late1 = clockSeconds(100000.03125f);
    const Fixed frameTime[2] = {late1, late0};
    EXPECT_EQ(frameStep(frameTime), 0.03125f);
}

TEST(SectionLatchTest, ModeFollowsTheHighestSectionReachedOnTheLap) {
    SectionLatch latch;
    EXPECT_EQ(latch.modeFor(0), Trackside);
    EXPECT_EQ(latch.modeFor(5), Trackside);
    // The followed car falling back into section 4 keeps section 5's mode.
    EXPECT_EQ(latch.modeFor(4), Trackside);
    EXPECT_EQ(latch.latchedSection, 5);
    EXPECT_EQ(latch.modeFor(6), InCar);
    EXPECT_EQ(latch.modeFor(5), InCar);
    EXPECT_EQ(latch.latchedSection, 6);

    // At the last section any section is taken: the wrap to 0, or a step back to 12.
    latch.latchedSection = 13;
    EXPECT_EQ(latch.modeFor(0), Trackside);
    EXPECT_EQ(latch.latchedSection, 0);
    latch.latchedSection = 13;
    EXPECT_EQ(latch.modeFor(12), Chase);
    EXPECT_EQ(latch.latchedSection, 12);
    latch.latchedSection = 12;
    EXPECT_EQ(latch.modeFor(11), Chase);
    EXPECT_EQ(latch.latchedSection, 12);
}

TEST(SectionLatchTest, LapOfLaggingSectionsNeverReturnsToAnEarlierMode) {
    // The followed car changes at each cut and may be a section behind the one the latch holds.
    const int sections[] = {0, 1, 2, 1,  2,  3,  4,  5,  4,  5,  6,  5, 6,
                            7, 8, 9, 10, 11, 10, 11, 12, 13, 12, 13, 0, 1};
    const SceneMode expected[] = {Trackside, Trackside, Chase,     Chase,     Chase,    Chase, Chase,
                                  Trackside, Trackside, Trackside, InCar,     InCar,    InCar, InCar,
                                  InCar,     InCar,     InCar,     Chase,     Chase,    Chase, Chase,
                                  Trackside, Chase,     Trackside, Trackside, Trackside};
    static_assert(std::size(sections) == std::size(expected));
    SectionLatch latch;
    for (std::size_t i = 0; i < std::size(sections); ++i) {
        EXPECT_EQ(latch.modeFor(sections[i]), expected[i]) << "step " << i;
    }
}

} // namespace
