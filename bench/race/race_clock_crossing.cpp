// The race as the program runs it (options, shell, demo application, virtual clock) on the do-nothing
// GL, from the start to 200 s past 32767 s, where Fixed seconds end. After that point it checks at every
// frame that the cars go on at their pace, and on every two frames in a row that draw the waterfall that
// its picture scrolled. Prints what it saw; exits 1 if either stopped.
//
//   nym_race_clock_crossing [FPS]     (default 10 frames per second of the virtual clock)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "math/clock.h"
#include "platform/debug_output.h"
#include "platform/gles/dispatch.h"
#include "platform/gles/emulation.h"
#include "platform/gles/record_driver.h"
#include "race/app_class.h"
#include "race/car_motion.h"
#include "runner/run_program.h"
#include "shell/shell_main.h"

namespace {

constexpr double kFixedSecondsEnd = 32767.0;
constexpr double kPastTheEnd = 200.0;

// What the frames showed, before and after the end of Fixed seconds.
struct Watch {
    float lastParam = -1.0f;
    int carFrames[2] = {};
    int carStalls[2] = {};
    float smallestStep[2] = {1.0f, 1.0f};
    bool lastDrewWaterfall = false;
    std::int32_t lastScroll = 0;
    int waterfallPairs[2] = {};
    int waterfallScrolled[2] = {};
};
Watch watch;
float expectedStep = 0.0f;
decltype(platform::gles::DispatchTable::eglSwapBuffers) swapOfTheDriver = nullptr;

// How far a parameter moved, across the end of the lap if need be.
float moved(float from, float to) {
    const float d = to - from;
    return d < 0.0f ? d + 1.0f : d;
}

// Each presented frame, before the swap.
EGLBoolean watchFrame(EGLDisplay display, EGLSurface surface) {
    if (const RaceTrack* world = appClass) {
        const int after = elapsedSeconds() > kFixedSecondsEnd ? 1 : 0;
        const float param = world->carPathParam[0];
        if (watch.lastParam >= 0.0f) {
            const float step = moved(watch.lastParam, param);
            ++watch.carFrames[after];
            watch.carStalls[after] += step < 0.5f * expectedStep ? 1 : 0;
            watch.smallestStep[after] = std::fmin(watch.smallestStep[after], step);
        }
        watch.lastParam = param;
        const bool drawn = world->showsWaterfall();
        const std::int32_t scroll = world->waterfall[0]->tex2d[1].raw;
        if (drawn && watch.lastDrewWaterfall) {
            ++watch.waterfallPairs[after];
            watch.waterfallScrolled[after] += scroll != watch.lastScroll ? 1 : 0;
        }
        watch.lastDrewWaterfall = drawn;
        watch.lastScroll = scroll;
    }
    return swapOfTheDriver(display, surface);
}

} // namespace

int main(int argc, char** argv) {
    const int fps = argc > 1 ? std::atoi(argv[1]) : 10;
    if (fps <= 0 || argc > 2) {
        std::fprintf(stderr, "usage: nym_race_clock_crossing [FPS]\n");
        return 2;
    }
    expectedStep = lapStep(1.0f / static_cast<float>(fps));
    // The emulation in front of the do-nothing GL, as in front of a real one: it presents the frames to
    // the platform, which moves the virtual clock on.
    platform::gles::RecordDriver gl(platform::gles::RecordDriver::Mode::Silent);
    const platform::gles::DispatchTable record = platform::gles::dispatchTable;
    platform::gles::dispatchTable = platform::gles::emulate(record);
    swapOfTheDriver = platform::gles::dispatchTable.eglSwapBuffers;
    platform::gles::dispatchTable.eglSwapBuffers = watchFrame;
    platform::setDebugOutputSink([](const wchar_t*) {});

    const long frames = std::lround((kFixedSecondsEnd + kPastTheEnd) * fps);
    const std::string rate = "--fixed-fps=" + std::to_string(fps);
    const std::string quit = "-qaf=" + std::to_string(frames);
    const char* arguments[] = {"nymbus", "--backend=headless", "--screen=16x12", rate.c_str(), quit.c_str()};
    const int code = runner::runProgram(static_cast<int>(std::size(arguments)), arguments, ShellMain);
    platform::gles::dispatchTable = record;

    std::printf("clock crossing at %d fps: %ld frames, to %.1f s (exit code %d)\n", fps, frames,
                static_cast<double>(elapsedSeconds()), code);
    const char* when[2] = {"before", "after"};
    for (int i = 0; i < 2; ++i) {
        std::printf("  %s %.0f s: cars stalled on %d of %d frames (smallest step %.6f of a lap, expected "
                    "%.6f); waterfall scrolled on %d of %d pairs of frames that drew it\n",
                    when[i], kFixedSecondsEnd, watch.carStalls[i], watch.carFrames[i],
                    static_cast<double>(watch.smallestStep[i]), static_cast<double>(expectedStep),
                    watch.waterfallScrolled[i], watch.waterfallPairs[i]);
    }
    const bool carsMove = watch.carFrames[1] > 0 && watch.carStalls[1] == 0;
    const bool waterfallMoves =
        watch.waterfallPairs[1] > 0 && watch.waterfallScrolled[1] == watch.waterfallPairs[1];
    std::printf("  cars %s, waterfall %s past %.0f s\n", carsMove ? "move" : "STALL",
                waterfallMoves ? "scrolls" : "STOPS", kFixedSecondsEnd);
    return code == 0 && carsMove && waterfallMoves ? 0 : 1;
}
