// The race as the program runs it (platform layer, shell, demo application) at the frame rates people run
// it at, for the first seconds and a whole lap: no wheel or shadow corner ever misses the road. The GL
// is the do-nothing record driver behind the extension emulation, since only the race's arithmetic
// matters here, and each rate runs in a child process of its own, since the race keeps process-wide
// state from its first frame on.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "math/clock.h"
#include "platform/debug_output.h"
#include "platform/gles/emulation.h"
#include "platform/gles/record_driver.h"
#include "runner/run_program.h"
#include "shell/shell_main.h"

namespace {

// A lap takes 83.3 s; at 1000 fps the clock's 16.16 frame step makes it 84 s.
constexpr int kSeconds = 85;

struct RaceRun {
    int exitCode = -1;
    int misses = -1;
    int titled = 0;   // the trace reached the test: the race's title line was seen
    int seconds = -1; // of the virtual clock at the end: the race went round its lap
};

// Runs the program for kSeconds at fps in a child; its exit code and the misses it traced.
RaceRun runAt(int fps) {
    int channel[2];
    if (pipe(channel) != 0) {
        return {};
    }
    std::fflush(stdout); // or the child would write the parent's buffered output again
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        // The emulation in front of the do-nothing GL presents the frames, which moves the clock on.
        platform::gles::RecordDriver gl(platform::gles::RecordDriver::Mode::Silent);
        const platform::gles::DispatchTable record = platform::gles::dispatchTable;
        platform::gles::dispatchTable = platform::gles::emulate(record);
        std::wstring output;
        platform::setDebugOutputSink([&](const wchar_t* text) { output += text; });
        const std::string rate = "--fixed-fps=" + std::to_string(fps);
        const std::string quit = "-qaf=" + std::to_string(fps * kSeconds);
        const char* argv[] = {"nymbus", "--backend=headless", "--screen=16x12", rate.c_str(), quit.c_str()};
        const int code = runner::runProgram(static_cast<int>(std::size(argv)), argv, ShellMain);
        int misses = 0;
        for (std::size_t at = 0; (at = output.find(L"No Intersection Found", at)) != std::wstring::npos;
             ++at) {
            ++misses;
        }
        const int titled = output.find(L"Nymbus race demo") != std::wstring::npos ? 1 : 0;
        const int report[4] = {code, misses, titled, static_cast<int>(elapsedSeconds())};
        const bool sent = write(channel[1], report, sizeof report) == static_cast<ssize_t>(sizeof report);
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    RaceRun run;
    int report[4];
    if (child > 0 && read(channel[0], report, sizeof report) == static_cast<ssize_t>(sizeof report)) {
        run = {report[0], report[1], report[2], report[3]};
    }
    close(channel[0]);
    int status = 0;
    if (child > 0) {
        waitpid(child, &status, 0);
    }
    return run;
}

void expectNoMiss(int fps) {
    const RaceRun run = runAt(fps);
    EXPECT_EQ(run.exitCode, 0) << fps << " fps";
    EXPECT_EQ(run.titled, 1) << fps << " fps";
    EXPECT_GE(run.seconds, kSeconds - 1) << fps << " fps";
    EXPECT_EQ(run.misses, 0) << fps << " fps";
}

TEST(RaceFrameRatesTest, ThirtyAndSixtyFps) {
    expectNoMiss(30);
    expectNoMiss(60);
}

TEST(RaceFrameRatesTest, OneHundredAndTwentyAndOneHundredAndFortyFourFps) {
    expectNoMiss(120);
    expectNoMiss(144);
}

TEST(RaceFrameRatesTest, TwoHundredAndFortyFps) {
    expectNoMiss(240);
}

TEST(RaceFrameRatesTest, ThousandFps) {
    expectNoMiss(1000);
}

} // namespace
