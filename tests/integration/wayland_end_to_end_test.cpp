// The shell's test application and the demo as programs under a headless Weston of the test's own:
// full-screen and framed sizes, the compositor going away, a frame the compositor shows against the frames
// the program rendered, a compositor that stops repainting, the choice of backend, and a compositor that
// takes the connection and never answers.
#include "runner/png_file.h"
#include "tests/support/child_process.h"
#include "tests/support/wait_for.h"
#include "tests/support/weston_server.h"
#include "tests/support/xvfb_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The children see no X display unless a test gives them one.
const std::vector<std::string> onWeston = {"DISPLAY"};

struct Shell : ChildProcess {
    explicit Shell(std::vector<std::string> arguments, const std::vector<std::string>& environment = onWeston)
        : ChildProcess(NYM_SHELL_TEST_PROGRAM, std::move(arguments), environment) {}
};

int countLines(const std::string& text, const std::string& start) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        count += text.compare(at, start.size(), start) == 0;
        if (text.find('\n', at) == std::string::npos) {
            break;
        }
    }
    return count;
}

class WaylandPrograms : public ::testing::Test {
protected:
    // An output of an unusual size, on the default socket name, so that the default choice can find it.
    static constexpr int outputWidth = 352;
    static constexpr int outputHeight = 288;

    void SetUp() override {
        if (!WestonServer::installed()) {
            GTEST_SKIP() << "weston is not installed";
        }
        ASSERT_TRUE(server.start({.width = outputWidth, .height = outputHeight, .socket = "wayland-0"}))
            << server.log();
    }

    WestonServer server;
};

TEST_F(WaylandPrograms, FullScreenTakesTheOutputsSizeAndFramedTheRequestedOne) {
    Shell fullScreen({"--backend=wayland", "-qaf=10"});
    EXPECT_EQ(fullScreen.waitForExit(60s), 0) << fullScreen.output();
    EXPECT_NE(fullScreen.output().find("OnViewCreate(352, 288)\n"), std::string::npos) << fullScreen.output();
    EXPECT_NE(fullScreen.output().find("OnAppStop after 11 frames\n"), std::string::npos);

    Shell framed({"--backend=wayland", "-windowed", "-width=200", "-height=150", "-qaf=10"});
    EXPECT_EQ(framed.waitForExit(60s), 0) << framed.output();
    EXPECT_NE(framed.output().find("OnViewCreate(200, 150)\n"), std::string::npos) << framed.output();

    // 640 x 480 does not fit on the output: halved once, as the compositor adds no frame to the client area.
    Shell halved({"--backend=wayland", "-windowed", "-qaf=3"});
    EXPECT_EQ(halved.waitForExit(60s), 0) << halved.output();
    EXPECT_NE(halved.output().find("OnViewCreate(320, 240)\n"), std::string::npos) << halved.output();
}

#ifdef NYM_PROGRAM
TEST_F(WaylandPrograms, TheDemoRunsFullScreenAndFramed) {
    const std::string full = server.runtimeFolder() + "/full.png";
    const std::string window = server.runtimeFolder() + "/framed.png";
    ChildProcess fullScreen(
        NYM_PROGRAM, {"--backend=wayland", "--fixed-fps=30", "-qaf=5", "--screenshot=5:" + full}, onWeston);
    EXPECT_EQ(fullScreen.waitForExit(120s), 0) << fullScreen.output();
    ChildProcess framed(NYM_PROGRAM,
                        {"--backend=wayland", "--fixed-fps=30", "-windowed", "-width=200", "-height=150",
                         "-qaf=5", "--screenshot=5:" + window},
                        onWeston);
    EXPECT_EQ(framed.waitForExit(120s), 0) << framed.output();
    runner::PngImage image;
    ASSERT_TRUE(runner::readPng(full, image));
    EXPECT_EQ(image.width, outputWidth);
    EXPECT_EQ(image.height, outputHeight);
    ASSERT_TRUE(runner::readPng(window, image));
    EXPECT_EQ(image.width, 200);
    EXPECT_EQ(image.height, 150);
}

TEST_F(WaylandPrograms, TheDemoDrawsThroughTheOpenGlEs2TranslationInAWindow) {
    const std::string window = server.runtimeFolder() + "/es2.png";
    ChildProcess framed(NYM_PROGRAM,
                        {"--backend=wayland", "--gl=es2", "--fixed-fps=30", "-windowed", "-width=200",
                         "-height=150", "-qaf=5", "--screenshot=5:" + window, "--stats"},
                        onWeston);
    EXPECT_EQ(framed.waitForExit(120s), 0) << framed.output();
    EXPECT_NE(framed.standardOutput().find("shader variants: "), std::string::npos);
    runner::PngImage image;
    ASSERT_TRUE(runner::readPng(window, image));
    EXPECT_EQ(image.width, 200);
    EXPECT_EQ(image.height, 150);
}

TEST_F(WaylandPrograms, TheFrameTheCompositorShowsIsOneTheDemoRendered) {
    const fs::path frames = fs::path(server.runtimeFolder()) / "frames";
    fs::create_directories(frames);
    ChildProcess demo(
        NYM_PROGRAM,
        {"--backend=wayland", "--fixed-fps=30", "-qat=300", "--capture=" + (frames / "%05d.png").string()},
        onWeston);
    waitFor([&] { return std::distance(fs::directory_iterator(frames), fs::directory_iterator()) >= 40; },
            120s, 50ms);
    const std::string shot = server.screenshot();
    demo.signal(SIGTERM);
    EXPECT_EQ(demo.waitForExit(60s), 0) << demo.output();
    ASSERT_FALSE(shot.empty()) << server.log();

    runner::PngImage shown;
    ASSERT_TRUE(runner::readPng(shot, shown));
    ASSERT_EQ(shown.width, outputWidth);
    ASSERT_EQ(shown.height, outputHeight);
    // The colour channels; the compositor shows the opaque surface whatever the frame's alpha.
    const auto sameColours = [&shown](const runner::PngImage& frame) {
        if (frame.width != shown.width || frame.height != shown.height) {
            return false;
        }
        for (std::size_t i = 0; i < frame.rgba.size(); ++i) {
            if (i % 4 != 3 && frame.rgba[i] != shown.rgba[i]) {
                return false;
            }
        }
        return true;
    };
    std::vector<fs::path> rendered(fs::directory_iterator(frames), fs::directory_iterator{});
    ASSERT_GE(rendered.size(), 40u);
    std::sort(rendered.begin(), rendered.end());
    const auto match = std::find_if(rendered.begin(), rendered.end(), [&](const fs::path& file) {
        runner::PngImage frame;
        return runner::readPng(file.string(), frame) && sameColours(frame);
    });
    EXPECT_NE(match, rendered.end()) << "the compositor showed none of the " << rendered.size()
                                     << " frames pixel for pixel";
}
#endif

TEST_F(WaylandPrograms, TheCompositorGoingAwayEndsTheRunWithOneLineAndExitCodeOne) {
    Shell program({"--backend=wayland", "-qat=120"});
    ASSERT_TRUE(
        waitFor([&] { return program.output().find("OnViewCreate") != std::string::npos; }, 30s, 20ms))
        << program.output();
    std::this_thread::sleep_for(500ms);
    server.kill();
    EXPECT_EQ(program.waitForExit(20s), 1) << program.output();
    const std::string out = program.output();
    EXPECT_EQ(countLines(out, "nymbus: "), 1) << out;
    EXPECT_NE(out.find("nymbus: lost the connection to the Wayland compositor ("), std::string::npos) << out;
    EXPECT_NE(out.find("OnAppStop after"), std::string::npos) << out;
    EXPECT_LE(countLines(out, "eglSwapBuffers failed"), 1) << out;
}

TEST(WaylandPacing, ACompositorThatStopsRepaintingNeitherStallsNorSpinsTheRun) {
    if (!WestonServer::installed()) {
        GTEST_SKIP() << "weston is not installed";
    }
    // After a second without input the compositor goes idle and sends no frame callbacks any more.
    WestonServer idle;
    ASSERT_TRUE(idle.start({.socket = "nymbus-idle", .idleSeconds = 1})) << idle.log();
    Shell program({"--backend=wayland", "-qat=4"});
    EXPECT_EQ(program.waitForExit(30s), 0) << program.output();
    const std::string out = program.output();
    const std::size_t stop = out.find("OnAppStop after ");
    ASSERT_NE(stop, std::string::npos) << out;
    const int count = std::atoi(out.c_str() + stop + 16);
    // Unpaced, the test application would draw thousands of frames in four seconds; waiting for callbacks
    // without a limit, it would stop at the first one withheld.
    EXPECT_GE(count, 20);
    EXPECT_LE(count, 400);
}

TEST_F(WaylandPrograms, WithoutABackendNamedAnAnsweringCompositorComesFirst) {
    const std::string fullSize = "OnViewCreate(352, 288)\n";
    Shell named({"-qaf=2"}, {"DISPLAY", "WAYLAND_DISPLAY=wayland-0"});
    EXPECT_EQ(named.waitForExit(60s), 0) << named.output();
    EXPECT_NE(named.output().find(fullSize), std::string::npos) << named.output();
    EXPECT_EQ(named.output().find("nymbus: "), std::string::npos) << named.output();

    // The default socket in XDG_RUNTIME_DIR.
    Shell unnamed({"-qaf=2"}, {"DISPLAY", "WAYLAND_DISPLAY"});
    EXPECT_EQ(unnamed.waitForExit(60s), 0) << unnamed.output();
    EXPECT_NE(unnamed.output().find(fullSize), std::string::npos) << unnamed.output();

    // A compositor named but not there: one line, then headless (its note follows).
    Shell missing({"-qaf=2"}, {"DISPLAY", "WAYLAND_DISPLAY=nymbus-nowhere"});
    EXPECT_EQ(missing.waitForExit(60s), 0) << missing.output();
    EXPECT_NE(missing.output().find("nymbus: cannot connect to the Wayland compositor \"nymbus-nowhere\" ("),
              std::string::npos)
        << missing.output();
    EXPECT_NE(missing.output().find("; using the headless backend\n"), std::string::npos) << missing.output();
    EXPECT_NE(missing.output().find("OnViewCreate(640, 480)\n"), std::string::npos) << missing.output();

    // Named on the command line, it is that or nothing.
    Shell insisted({"--backend=wayland", "-qaf=2"}, {"DISPLAY", "WAYLAND_DISPLAY=nymbus-nowhere"});
    EXPECT_EQ(insisted.waitForExit(60s), 1) << insisted.output();
    EXPECT_EQ(insisted.output().find("nymbus: cannot connect to the Wayland compositor"), 0u)
        << insisted.output();
    EXPECT_EQ(countLines(insisted.output(), ""), 1) << insisted.output();
}

TEST_F(WaylandPrograms, WithoutACompositorTheXDisplayIsNext) {
    if (!XvfbServer::installed()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    XvfbServer xvfb; // gives DISPLAY back as it was when it ends
    ASSERT_TRUE(xvfb.start());
    const std::string display = std::getenv("DISPLAY");
    Shell program({"-qaf=2"}, {"DISPLAY=" + display, "WAYLAND_DISPLAY=nymbus-nowhere"});
    EXPECT_EQ(program.waitForExit(60s), 0) << program.output();
    EXPECT_NE(program.output().find("; using the x11 backend\n"), std::string::npos) << program.output();
    EXPECT_NE(program.output().find("OnViewCreate(800, 600)\n"), std::string::npos) << program.output();
}

// A socket that takes the connection and never answers: the wait for the compositor's first answer (5 s
// at most) ends at once on a signal.
TEST(WaylandSilentCompositor, ASignalEndsTheWaitForItsAnswer) {
    const fs::path dir = fs::temp_directory_path() / ("nym_wayland_silent_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "silent").string();
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listening, 8), 0);
    Shell program({"--backend=wayland", "-qaf=2"}, {"DISPLAY", "WAYLAND_DISPLAY=" + path});
    ASSERT_TRUE(program.waitUntilHandling(SIGINT, 5s));
    program.signal(SIGINT);
    EXPECT_EQ(program.waitForExit(1s), 1) << program.output();
    EXPECT_EQ(program.output(),
              "nymbus: cannot connect to the Wayland compositor \"" + path + "\": interrupted\n");
    ::close(listening);
    fs::remove_all(dir);
}

} // namespace
