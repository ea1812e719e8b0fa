// The camera director: which sections each mode draws, the dolly that runs and then waits, the fixed
// trackside cameras, the in-car roll history, dollyPoint's ends and lookAt's basis.
#include <gmock/gmock.h>

#include <cmath>
#include <vector>

#include "engine/render.h"
#include "race/car_motion.h"
#include "race_test_support.h"

namespace {

double length3(const Fixed* row) {
    const double x = FixedToFloat(row[0]);
    const double y = FixedToFloat(row[1]);
    const double z = FixedToFloat(row[2]);
    return std::sqrt(x * x + y * y + z * z);
}

double dot3(const Fixed* a, const Fixed* b) {
    return static_cast<double>(FixedToFloat(a[0])) * FixedToFloat(b[0]) +
           static_cast<double>(FixedToFloat(a[1])) * FixedToFloat(b[1]) +
           static_cast<double>(FixedToFloat(a[2])) * FixedToFloat(b[2]);
}

FixedVec4 point(float x, float y, float z) {
    return {FixedFromFloat(x), FixedFromFloat(y), FixedFromFloat(z), Fixed{0}};
}

class CameraDirectorTest : public RaceTest {
protected:
    void SetUp() override {
        RaceTest::SetUp();
        world = buildWorld(320, 240);
        // One thirtieth of a second between the last two frames.
        world->frameTime[1] = Fixed{0};
        world->frameTime[0] = FixedFromFloat(1.0f / 30.0f);
    }

    // The camera-to-world matrix that the last placeCamera handed to the renderer.
    FixedMatrix cameraMatrix() {
        FixedMatrix m;
        NymRender::instance()->getViewMatrix(m, 1);
        return m;
    }

    void placeTrackside(float carOneCoordinate) {
        world->carSectionCoord[1] = carOneCoordinate;
        world->placeCamera(Trackside);
    }

    std::unique_ptr<RaceTrack> world;
};

TEST_F(CameraDirectorTest, EachModeDrawsTheFollowedCarsSectionAndANeighbour) {
    struct Case {
        float coordinate;
        int current;
        int neighbour;
    };
    // Trackside: the nearer end of car 1's section; exactly half way counts as the lower end.
    for (const Case& c :
         {Case{0.3f, 0, 13}, Case{13.7f, 13, 0}, Case{5.5f, 5, 4}, Case{5.51f, 5, 6}, Case{12.0f, 12, 11}}) {
        placeTrackside(c.coordinate);
        EXPECT_EQ(world->currentSection, c.current) << c.coordinate;
        EXPECT_EQ(world->neighbourSection, c.neighbour) << c.coordinate;
    }
    // In-car: car 2's section and the next one; any other mode value is in-car too.
    for (const SceneMode mode : {InCar, static_cast<SceneMode>(7)}) {
        world->carSectionCoord[2] = 13.2f;
        world->placeCamera(mode);
        EXPECT_EQ(world->currentSection, 13);
        EXPECT_EQ(world->neighbourSection, 0);
        world->carSectionCoord[2] = 6.9f;
        world->placeCamera(mode);
        EXPECT_EQ(world->currentSection, 6);
        EXPECT_EQ(world->neighbourSection, 7);
    }
    // Chase: car 0's section as its last placement left it.
    world->interpolatePath(0.99f, 2, 0);
    world->placeCamera(Chase);
    EXPECT_EQ(world->currentSection, 13);
    EXPECT_EQ(world->neighbourSection, 0);
}

TEST_F(CameraDirectorTest, ChaseCameraRidesQuarterAboveTheCameraPathAndEveryModeMovesItOn) {
    world->cameraPathParam = 0.3f;
    world->interpolatePath(0.301f, 2, 0);
    world->placeCamera(Chase);
    const FixedMatrix& path = world->cameraPathTransform;
    const FixedMatrix m = cameraMatrix();
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(m[i], path[i]) << i;
    }
    // 0.25 along the path's own y axis.
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(FixedToFloat(m[12 + c] - path[12 + c]), 0.25f * FixedToFloat(path[4 + c]), 1e-4f);
    }
    const float step = lapStep(FixedToFloat(world->frameTime[0]));
    EXPECT_EQ(world->cameraPathParam, 0.3f + step);
    world->placeCamera(InCar);
    placeTrackside(5.2f);
    EXPECT_NEAR(world->cameraPathParam, 0.3012f, 1e-6f);
}

TEST_F(CameraDirectorTest, FixedTracksideCameraLooksAtCarOne) {
    world->interpolatePath(0.38f, 2, 1);
    placeTrackside(5.2f);
    const FixedMatrix m = cameraMatrix();
    const float* eye = trackCameras[6].position;
    EXPECT_EQ(m[12], FixedFromFloat(eye[0]));
    EXPECT_EQ(m[13], FixedFromFloat(eye[1]));
    EXPECT_EQ(m[14], FixedFromFloat(eye[2]));
    // The camera's -z axis points at car 1.
    const FixedMatrix& car = world->carTransform[1];
    FloatVec3 toCar{FixedToFloat(car[12] - m[12]), FixedToFloat(car[13] - m[13]),
                    FixedToFloat(car[14] - m[14])};
    Vec3Normalise(toCar, toCar);
    EXPECT_NEAR(-FixedToFloat(m[8]), toCar.x, 1e-3f);
    EXPECT_NEAR(-FixedToFloat(m[9]), toCar.y, 1e-3f);
    EXPECT_NEAR(-FixedToFloat(m[10]), toCar.z, 1e-3f);
}

TEST_F(CameraDirectorTest, DollyRunsAlongItsSplineThenWaitsAtTheEnd) {
    const DollySpline& spline = dollySplines[2];
    const int count = static_cast<int>(spline.count);
    // Coming from another dolly's section starts section 1's dolly at its beginning.
    placeTrackside(4.5f);
    placeTrackside(1.2f);
    const FixedMatrix first = cameraMatrix();
    const FixedVec4 start = dollyPoint(Fixed{0}, count, spline.points);
    EXPECT_EQ(first[12], start.x);
    EXPECT_EQ(first[14], start.z);

    // 0.0004 x 16.124 of the spline per thirtieth of a second: about 155 frames to its end.
    FixedMatrix previous = first;
    int moving = 0;
    for (int frame = 0; frame < 200; ++frame) {
        placeTrackside(1.2f);
        const FixedMatrix m = cameraMatrix();
        if (m[12] != previous[12] || m[14] != previous[14]) {
            ++moving;
        }
        previous = m;
    }
    EXPECT_GE(moving, 150);
    EXPECT_LE(moving, 160);
    const FixedVec4 end = dollyPoint(FixedOne, count, spline.points);
    FixedMatrix m = cameraMatrix();
    EXPECT_EQ(m[12], end.x);
    EXPECT_EQ(m[14], end.z);
    EXPECT_NEAR(FixedToFloat(end.x), spline.points[3 * (count - 2)], 1e-3f);

    // A fixed camera in between does not restart it; another dolly does.
    placeTrackside(5.2f);
    placeTrackside(1.7f);
    m = cameraMatrix();
    EXPECT_EQ(m[12], end.x);
    placeTrackside(9.5f);
    placeTrackside(1.7f);
    m = cameraMatrix();
    EXPECT_EQ(m[12], start.x);
}

TEST_F(CameraDirectorTest, InCarRollFadesInOverTenFrames) {
    // Ten frames without roll clear whatever an earlier in-car stretch left.
    MatrixIdentity(world->carTransform[2]);
    world->carRoll[0] = Fixed{0};
    for (int frame = 0; frame < 10; ++frame) {
        world->placeCamera(InCar);
    }
    auto rollDegrees = [this] {
        const FixedMatrix m = cameraMatrix();
        return std::atan2(FixedToFloat(m[1]), FixedToFloat(m[0])) * 180.0f / 3.14159265f;
    };
    EXPECT_NEAR(rollDegrees(), 0.0f, 1e-3f);
    EXPECT_NEAR(FixedToFloat(cameraMatrix()[13]), 0.07f, 1e-4f);

    // Car 0's roll of 2 degrees, times 1.5, averaged with the zeros before it.
    world->carRoll[0] = FixedFromInt(2);
    std::vector<float> rolls;
    for (int frame = 0; frame < 12; ++frame) {
        world->placeCamera(InCar);
        rolls.push_back(rollDegrees());
    }
    EXPECT_NEAR(rolls[0], 0.3f, 0.01f);
    EXPECT_NEAR(rolls[4], 1.5f, 0.01f);
    EXPECT_NEAR(rolls[9], 3.0f, 0.01f);
    EXPECT_NEAR(rolls[11], 3.0f, 0.01f);
}

TEST(DollyPointTest, EndsAreTheSecondAndTheLastButOnePoints) {
    // Exactly five points: nothing past the last may be read.
    const std::vector<float> points = {0, 0, 0, 1, 0, 10, 2, 0, 20, 3, 0, 30, 4, 0, 40};
    const FixedVec4 start = dollyPoint(Fixed{0}, 5, points.data());
    EXPECT_EQ(start.x, FixedOne);
    EXPECT_EQ(start.z, FixedFromInt(10));
    const FixedVec4 end = dollyPoint(FixedOne, 5, points.data());
    EXPECT_EQ(end.x, FixedFromInt(3));
    EXPECT_EQ(end.z, FixedFromInt(30));
    EXPECT_EQ(end.w.raw, 0);
    // Half way along evenly spaced points on a line.
    const FixedVec4 middle = dollyPoint(FixedFromFloat(0.5f), 5, points.data());
    EXPECT_NEAR(FixedToFloat(middle.x), 2.0f, 1e-4f);
    EXPECT_NEAR(FixedToFloat(middle.z), 20.0f, 1e-3f);
}

TEST(LookAtTest, LevelTargetGivesAnOrthonormalBasisAndATiltShortensTheSides) {
    const FixedMatrix level = lookAt(point(1.0f, 0.5f, 2.0f), point(4.0f, 0.5f, -2.0f));
    for (int r = 0; r < 3; ++r) {
        EXPECT_NEAR(length3(&level[4 * r]), 1.0, 1e-4) << "row " << r;
        EXPECT_EQ(level[4 * r + 3].raw, 0);
    }
    EXPECT_NEAR(dot3(&level[0], &level[4]), 0.0, 1e-4);
    EXPECT_NEAR(dot3(&level[0], &level[8]), 0.0, 1e-4);
    EXPECT_NEAR(dot3(&level[4], &level[8]), 0.0, 1e-4);
    // Looking along -z at (0.6, 0, -0.8); up stays up; the eye is the position.
    EXPECT_NEAR(FixedToFloat(level[8]), -0.6f, 1e-4f);
    EXPECT_NEAR(FixedToFloat(level[10]), 0.8f, 1e-4f);
    EXPECT_NEAR(FixedToFloat(level[5]), 1.0f, 1e-4f);
    EXPECT_NEAR(FixedToFloat(level[0]), 0.8f, 1e-4f);
    EXPECT_NEAR(FixedToFloat(level[2]), 0.6f, 1e-4f);
    EXPECT_EQ(level[12], FixedOne);
    EXPECT_EQ(level[13], FixedFromFloat(0.5f));
    EXPECT_EQ(level[14], FixedFromInt(2));
    EXPECT_EQ(level[15], FixedOne);

    const FixedMatrix down = lookAt(point(0.0f, 1.0f, 0.0f), point(0.0f, 0.0f, -1.0f));
    EXPECT_NEAR(length3(&down[0]), std::sqrt(0.5), 1e-4);
    EXPECT_NEAR(length3(&down[4]), std::sqrt(0.5), 1e-4);
    EXPECT_NEAR(length3(&down[8]), 1.0, 1e-4);
    EXPECT_NEAR(dot3(&down[0], &down[4]), 0.0, 1e-4);
    EXPECT_NEAR(dot3(&down[4], &down[8]), 0.0, 1e-4);
    // No roll: the side axis stays horizontal.
    EXPECT_EQ(down[1].raw, 0);
}

} // namespace
