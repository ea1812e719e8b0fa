// The demo's own processor time per frame (clear, the race world with its motion, camera, probes and
// lighting, the title overlay) on the do-nothing record driver and the 30 fps virtual clock: a plain
// program, built natively and for WebAssembly (in the web build, run with Node), so that the engine's
// cost can be compared between the two. Times one lap after the first frame, which builds the world.
//
//   nym_race_frame_time [FRAMES]    prints the median and the mean time of a frame in microseconds
#include "platform/clock.h"
#include "platform/gles/record_driver.h"
#include "race/demo_application.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 2500;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: nym_race_frame_time [FRAMES]\n");
        return 2;
    }
    platform::gles::RecordDriver gl(platform::gles::RecordDriver::Mode::Silent);
    platform::useVirtualClock(30);
    DemoApplication application;
    application.GetConfig()->width = 640;
    application.GetConfig()->height = 480;
    application.OnAppStart(0, nullptr, 640, 480);
    application.OnViewCreate(640, 480);
    application.OnFrame();
    platform::advanceVirtualClock();

    std::vector<double> us(static_cast<std::size_t>(frames));
    for (double& t : us) {
        const auto start = std::chrono::steady_clock::now();
        application.OnFrame();
        t = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        platform::advanceVirtualClock();
    }
    const double mean = std::accumulate(us.begin(), us.end(), 0.0) / static_cast<double>(us.size());
    std::nth_element(us.begin(), us.begin() + frames / 2, us.end());
    std::printf("%d frames at 640 x 480: median %.1f us, mean %.1f us a frame\n", frames, us[frames / 2],
                mean);
    application.OnViewRelease();
    application.OnAppStop();
    return 0;
}
