// Time per frame of the race on the silent record driver, with the 30 fps virtual clock so that the
// cars go round the track as in a real run (the iterations cover several laps).
#include <benchmark/benchmark.h>

#include "platform/clock.h"
#include "platform/gles/record_driver.h"
#include "race/app_class.h"
#include "race/demo_application.h"

namespace {

// The world is built, and its lighting baked, once per process: the first frame does both.
struct Race {
    Race() : gl(platform::gles::RecordDriver::Mode::Silent) {
        platform::useVirtualClock(30);
        application.GetConfig()->width = 640;
        application.GetConfig()->height = 480;
        application.OnAppStart(0, nullptr, 640, 480);
        application.OnViewCreate(640, 480);
        frame();
    }
    void frame() {
        UpdateAppClass(640, 480, FixedOne);
        platform::advanceVirtualClock();
    }
    platform::gles::RecordDriver gl;
    DemoApplication application;
};

Race& race() {
    static Race instance;
    return instance;
}

// The race world's frame: brightness, motion, camera, sky, road, cars with their probes, scenery, lamps.
void raceFrame(benchmark::State& state) {
    Race& r = race();
    for (auto _ : state) {
        r.frame();
    }
}
BENCHMARK(raceFrame)->Unit(benchmark::kMicrosecond);

// The application's whole frame: clear, the race world, the title overlay and the cull state.
void demoFrame(benchmark::State& state) {
    Race& r = race();
    for (auto _ : state) {
        r.application.OnFrame();
        platform::advanceVirtualClock();
    }
}
BENCHMARK(demoFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
