// One lap and a bit of the race, run as the program runs (platform layer, shell, demo application) on
// the system's GL off-screen with the 30 fps virtual clock. Every frame is checked, just before it is
// presented, from the race world's own state and the draw calls it made.
#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/render.h"
#include "platform/debug_output.h"
#include "platform/gles/dispatch.h"
#include "platform/gles/system_driver.h"
#include "race/app_class.h"
#include "runner/run_program.h"
#include "shell/shell_main.h"

namespace {

using platform::gles::dispatchTable;

constexpr int kFrames = 2600; // a lap takes 2500 frames

// What one frame did.
struct Frame {
    bool world; // the race world existed
    SceneMode mode;
    int current;
    int neighbour;
    int resets[kCarCount];
    Fixed pitch[kCarCount];
    Fixed roll[kCarCount];
    FixedVec4 eye;
    std::vector<const void*> drawn; // the vertex array of every draw call
    bool baked;                     // every scenery geometry carries the baked-lighting flags
};

platform::gles::DispatchTable inner;
std::vector<Frame> frames;
const void* vertexArray = nullptr;
std::vector<const void*> drawnThisFrame;
std::vector<GLenum> glErrors;

void recordVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    vertexArray = pointer;
    inner.glVertexPointer(size, type, stride, pointer);
}

void recordDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    drawnThisFrame.push_back(vertexArray);
    inner.glDrawElements(mode, count, type, indices);
}

GLenum recordGetError() {
    const GLenum error = inner.glGetError();
    if (error != GL_NO_ERROR) {
        glErrors.push_back(error);
    }
    return error;
}

bool allSceneryBaked(const RaceTrack& world) {
    for (const SectionObjects& section : world.sectionObjects) {
        for (int j = 0; j < section.count; ++j) {
            if ((section.objects[j].geometry->flags & 0x140u) != 0x140u) {
                return false;
            }
        }
    }
    return true;
}

// The frame is finished: note the world's state before the swap presents it.
EGLBoolean recordFrame(EGLDisplay display, EGLSurface surface) {
    recordGetError();
    Frame frame{};
    if (const RaceTrack* world = appClass) {
        frame.world = true;
        frame.mode = world->sceneMode;
        frame.current = world->currentSection;
        frame.neighbour = world->neighbourSection;
        for (int car = 0; car < kCarCount; ++car) {
            frame.resets[car] = world->carAttitudeReset[car];
            frame.pitch[car] = world->carPitch[car];
            frame.roll[car] = world->carRoll[car];
        }
        FixedMatrix view;
        NymRender::instance()->getViewMatrix(view, 1);
        frame.eye = {view[12], view[13], view[14], Fixed{0}};
        frame.baked = allSceneryBaked(*world);
    }
    frame.drawn = std::move(drawnThisFrame);
    drawnThisFrame.clear();
    if (frame.world) {
        frames.push_back(std::move(frame));
    }
    return inner.eglSwapBuffers(display, surface);
}

// The geometries the checks look for, noted while the world exists.
struct Landmarks {
    const void* firstRoad = nullptr;
    const void* waterfall = nullptr;
    const void* headLights = nullptr;
    const void* brakeLights = nullptr;
    const void* carBody = nullptr;
};
Landmarks landmarks;

int exitCode = -1;
std::string trace;

// Runs the program for kFrames frames, with the frame recorder in front of the system driver.
void runRace() {
    platform::gles::installSystemDriver();
    inner = dispatchTable;
    dispatchTable.glVertexPointer = recordVertexPointer;
    dispatchTable.glDrawElements = recordDrawElements;
    dispatchTable.glGetError = recordGetError;
    dispatchTable.eglSwapBuffers = [](EGLDisplay d, EGLSurface s) {
        if (appClass != nullptr && landmarks.waterfall == nullptr) {
            landmarks = {appClass->sectionObjects[0].objects[0].geometry->vertices,
                         appClass->waterfall[0]->vertices, appClass->headLightQuad->vertices,
                         appClass->brakeLightQuad->vertices, appClass->carBody->vertices};
        }
        return recordFrame(d, s);
    };
    platform::setDebugOutputSink([](const wchar_t* text) {
        for (const wchar_t* c = text; *c != 0; ++c) {
            trace += static_cast<char>(*c);
        }
    });
    const std::string quit = "-qaf=" + std::to_string(kFrames);
    const char* argv[] = {"nymbus",     "--backend=headless", "--fixed-fps=30", "--screen=320x240",
                          "-width=320", "-height=240",        quit.c_str()};
    exitCode = runner::runProgram(static_cast<int>(std::size(argv)), argv, ShellMain);
    platform::setDebugOutputSink({});
    dispatchTable = inner;
}

int count(const Frame& frame, const void* vertices) {
    return static_cast<int>(std::count(frame.drawn.begin(), frame.drawn.end(), vertices));
}

void checkNoGlErrorAndNoMissedRoad() {
    EXPECT_THAT(glErrors, ::testing::IsEmpty());
    EXPECT_THAT(trace, ::testing::HasSubstr("Nymbus race demo"));
    // Every wheel and shadow corner of the whole run found the road.
    EXPECT_THAT(trace, ::testing::Not(::testing::HasSubstr("No Intersection Found")));
}

void checkFirstFrameWarmsUp() {
    ASSERT_FALSE(frames.empty());
    const Frame& first = frames[0];
    EXPECT_EQ(first.mode, Trackside);
    EXPECT_EQ(first.current, 0);
    EXPECT_EQ(first.neighbour, 13);
    EXPECT_TRUE(first.baked);
    // The warm-up's first draw (section 0's road) comes before the sky box; every object is drawn in it.
    ASSERT_FALSE(first.drawn.empty());
    EXPECT_EQ(first.drawn[0], landmarks.firstRoad);
    EXPECT_GT(first.drawn.size(), frames[1].drawn.size() + 40);
    EXPECT_EQ(first.resets[0] + first.resets[1] + first.resets[2], 0);
}

void checkScheduleAndLatch() {
    // Runs of equal modes over the run.
    std::vector<SceneMode> runs;
    std::vector<int> runLengths;
    for (const Frame& f : frames) {
        if (runs.empty() || runs.back() != f.mode) {
            runs.push_back(f.mode);
            runLengths.push_back(0);
        }
        ++runLengths.back();
    }
    EXPECT_THAT(runs, ::testing::ElementsAre(Trackside, Chase, Trackside, InCar, Chase, Trackside));
    // No flicker at the cuts: every stretch lasts at least a second.
    for (const int length : runLengths) {
        EXPECT_GE(length, 30);
    }

    // The sections each mode shows, as the camera director reports them.
    std::vector<int> held;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const Frame& f = frames[i];
        const int previous = i == 0 ? 0 : frames[i - 1].current;
        if (i > 0 && f.mode != static_cast<SceneMode>(modeBySection[previous])) {
            held.push_back(previous);
        }
    }
    // Right after the cuts the newly followed car lags a section behind; the latch keeps the mode.
    EXPECT_FALSE(held.empty());
    EXPECT_LT(held.size(), 200u);
}

void checkModeChangesRestartAttitudes() {
    int changes = 0;
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const Frame& f = frames[i];
        if (f.mode == InCar) {
            // Only car 0's restart is used while no car is drawn.
            EXPECT_EQ(f.resets[0], 0) << "frame " << i;
            EXPECT_EQ(f.resets[1], 1) << "frame " << i;
            EXPECT_EQ(f.resets[2], 1) << "frame " << i;
        } else {
            EXPECT_EQ(f.resets[0] + f.resets[1] + f.resets[2], 0) << "frame " << i;
        }
        if (f.mode != frames[i - 1].mode) {
            ++changes;
            // The cars drawn (car 0's roll alone in the in-car view) start again level.
            for (int car = 0; car < (f.mode == InCar ? 1 : kCarCount); ++car) {
                EXPECT_EQ(f.pitch[car].raw, 0) << "frame " << i << " car " << car;
                EXPECT_EQ(f.roll[car].raw, 0) << "frame " << i << " car " << car;
            }
        }
    }
    EXPECT_EQ(changes, 5);
}

void checkWaterfallLampsAndCars() {
    int waterfallFrames = 0;
    int headlightFrames = 0;
    int brakeFrames = 0;
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const Frame& f = frames[i];
        const bool nearFall = f.current == 6 || f.current == 7 || f.neighbour == 6 || f.neighbour == 7;
        EXPECT_EQ(count(f, landmarks.waterfall), nearFall ? 1 : 0) << "frame " << i;
        waterfallFrames += nearFall ? 1 : 0;

        const bool carsDrawn = f.mode != InCar;
        const bool tunnel = isTunnelSection(f.current);
        EXPECT_EQ(count(f, landmarks.headLights), carsDrawn && tunnel ? 3 : 0) << "frame " << i;
        headlightFrames += count(f, landmarks.headLights) > 0 ? 1 : 0;
        EXPECT_EQ(count(f, landmarks.carBody), carsDrawn ? (f.mode == Chase ? 2 : 3) : 0) << "frame " << i;
        int braking = 0;
        for (int car = 0; car < kCarCount; ++car) {
            braking += carsDrawn && f.pitch[car].raw < -655 ? 1 : 0;
        }
        EXPECT_EQ(count(f, landmarks.brakeLights), braking) << "frame " << i;
        brakeFrames += braking > 0 ? 1 : 0;
    }
    EXPECT_GT(waterfallFrames, 100);
    EXPECT_GT(headlightFrames, 100);
    EXPECT_GT(brakeFrames, 0);
}

void checkSectionOneDolly() {
    std::vector<FixedVec4> eyes;
    for (const Frame& f : frames) {
        if (f.mode == Trackside && f.current == 1) {
            eyes.push_back(f.eye);
        }
    }
    ASSERT_GT(eyes.size(), 180u);
    int moves = 0;
    std::size_t lastMove = 0;
    for (std::size_t i = 1; i < eyes.size(); ++i) {
        if (eyes[i].x != eyes[i - 1].x || eyes[i].z != eyes[i - 1].z) {
            ++moves;
            lastMove = i;
        }
    }
    // About 155 frames to the end of its spline, then it stands for the rest of the section.
    EXPECT_GE(moves, 150);
    EXPECT_LE(moves, 160);
    EXPECT_LT(lastMove + 20, eyes.size());
    const DollySpline& spline = dollySplines[2];
    const FixedVec4 end = dollyPoint(FixedOne, static_cast<int>(spline.count), spline.points);
    EXPECT_EQ(eyes.back().x, end.x);
    EXPECT_EQ(eyes.back().z, end.z);
}

// One run of the program serves every check: it takes a while, under the sanitizers most of all.
TEST(RaceLapTest, LapAsTheProgramRunsIt) {
    runRace();
    EXPECT_EQ(exitCode, 0);
    ASSERT_GE(static_cast<int>(frames.size()), kFrames);
    checkNoGlErrorAndNoMissedRoad();
    checkFirstFrameWarmsUp();
    checkScheduleAndLatch();
    checkModeChangesRestartAttitudes();
    checkWaterfallLampsAndCars();
    checkSectionOneDolly();
}

} // namespace
