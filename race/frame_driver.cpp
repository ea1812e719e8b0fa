#include "engine/render.h"
#include "platform/frame_marks.h"
#include "race/race_track.h"
#include "race/scene_schedule.h"
#include "race/world_memory.h"

namespace {

// The frame driver's memory of the race world.
struct FrameSchedule {
    bool started = false;
    int warmUpPending = 1;
    SectionLatch latch;
    int previousMode = 0;
};
WorldMemory<FrameSchedule> frameSchedule;

// The frame's label in the platform's frame-time reports.
const char* modeLabel(SceneMode mode) {
    switch (mode) {
    case Chase:
        return "chase";
    case Trackside:
        return "trackside";
    default:
        return "in-car";
    }
}

} // namespace

SceneMode SectionLatch::modeFor(int section) {
    if (section >= latchedSection || latchedSection == kSectionCount - 1) {
        latchedSection = section;
    }
    return static_cast<SceneMode>(modeBySection[latchedSection]);
}

void RaceTrack::runFrame() {
    NymRender* render = NymRender::instance();
    if (render != nullptr) {
        render->beginFrame();
    }
    renderFrame();
    if (render != nullptr) {
        render->endFrame();
    }
}

void RaceTrack::renderFrame() {
    FrameSchedule& schedule = frameSchedule.get();
    if (!schedule.started) {
        schedule.started = true;
        schedule.previousMode = modeBySection[0];
    }
    if (schedule.warmUpPending == 1) {
        warmUp();
        schedule.warmUpPending = 0;
        currentSection = 0;
        sceneMode = static_cast<SceneMode>(modeBySection[0]);
        for (int& reset : carAttitudeReset) {
            reset = 1;
        }
    }
    advanceCars();

    // The mode follows the section the camera left last frame; a new mode restarts every car's attitude.
    sceneMode = schedule.latch.modeFor(currentSection);
    if (sceneMode != schedule.previousMode) {
        for (int& reset : carAttitudeReset) {
            reset = 1;
        }
        schedule.previousMode = sceneMode;
    }
    const float lapParam = cameraPathParam;
    placeCamera(sceneMode);
    platform::labelFrame(modeLabel(sceneMode));
    // The chase camera's parameter wraps once a lap.
    if (cameraPathParam < lapParam) {
        platform::markCycleCompleted();
    }

    // Sky, road, shadows, cars, scenery (trees blended), waterfall (blended), lamps (additive).
    drawSkyAndRoad();
    if (sceneMode == InCar) {
        trackInCarRoll();
    } else {
        for (int car = 0; car < kCarCount; ++car) {
            drawShadow(car);
        }
        for (int car = 0; car < kCarCount; ++car) {
            drawCar(car);
        }
    }
    drawScenery();
    if (showsWaterfall()) {
        drawWaterfall();
    }
    if (sceneMode != InCar) {
        for (int car = 0; car < kCarCount; ++car) {
            drawLamps(car);
        }
    }
}
