// The entry logic and the main loop, run through the real shell on the record driver and the headless
// screen.
#include "tests/shell/shell_test_support.h"

#include "platform/clock.h"
#include "platform/window/window.h"
#include "shell/shell_entry.h"
#include "tests/support/virtual_clock.h"

#include <gtest/gtest.h>

#include <new>

namespace {

using shelltest::events;
using shelltest::runShell;
using shelltest::Script;
using shelltest::ScriptedApplication;
using Events = std::vector<std::string>;

Script results(bool start, bool viewCreate, bool stop, int failFrame = -1) {
    Script script;
    script.start = start;
    script.viewCreate = viewCreate;
    script.stop = stop;
    script.failFrame = failFrame;
    return script;
}

struct ShellRun : ::testing::Test {
    platform::gles::RecordDriver driver;
};

TEST_F(ShellRun, AnApplicationThatOverridesNothingEndsAtOnce) {
    ASSERT_NO_FATAL_FAILURE(shelltest::selectScreen({}));
    const int exitCode = RunShell([]() -> ShellApplication* { return new ShellApplication; }, NewNativeShell,
                                  nullptr, L"-qaf=3");
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(driver.log().empty()); // no window, no EGL
}

TEST_F(ShellRun, CallbackOrderAndExitCodeOnEveryPath) {
    const Events startedAndCreated{"OnAppStart(0 tokens, 640 x 480)", "OnViewCreate(640, 480)"};

    auto r = runShell(driver, L"", results(false, true, true));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(events, (Events{"OnAppStart(0 tokens, 640 x 480)", "~application", "~shell"}));
    EXPECT_TRUE(driver.log().empty());

    driver.failNext("eglInitialize", EGL_NOT_INITIALIZED);
    r = runShell(driver, L"");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(events, (Events{"OnAppStart(0 tokens, 640 x 480)", "~application", "~shell"}));
    EXPECT_EQ(r.debugOutput, L"Unable to initialise egl\nInitEGL failed!!\n");

    // The context stays up on this path.
    r = runShell(driver, L"", results(true, false, true));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(events, (Events{startedAndCreated[0], startedAndCreated[1], "~application", "~shell"}));
    EXPECT_TRUE(driver.log({"eglTerminate", "eglSwapBuffers"}).empty());

    r = runShell(driver, L"-qaf=0", results(true, true, false));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(events, (Events{startedAndCreated[0], startedAndCreated[1], "OnFrame 0", "OnViewRelease",
                              "OnAppStop", "~application", "~shell"}));
    EXPECT_EQ(r.presented, 1);
    EXPECT_EQ(driver.log({"eglTerminate"}).size(), 1u);

    // A false OnFrame: that frame is not presented, the run still ends normally.
    r = runShell(driver, L"", results(true, true, true, 2));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(events, (Events{startedAndCreated[0], startedAndCreated[1], "OnFrame 0", "OnFrame 1",
                              "OnFrame 2", "OnViewRelease", "OnAppStop", "~application", "~shell"}));
    EXPECT_EQ(r.presented, 2);
    EXPECT_EQ(ScriptedApplication::lastConfig.frameCount, 2);
}

TEST_F(ShellRun, ObjectsThatCannotBeAllocatedEndTheRun) {
    shelltest::DebugCapture capture;
    EXPECT_EQ(RunShell([]() -> ShellApplication* { return nullptr; }, NewNativeShell, nullptr, L""), 1);
    EXPECT_EQ(capture.text(), L"Unable to create the application\n");

    events.clear();
    const int exitCode =
        RunShell([]() -> ShellApplication* { return new ScriptedApplication({}); },
                 [](ShellApplication&, void*) -> OGLESShell* { return nullptr; }, nullptr, L"");
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(events, Events{"~application"});
    EXPECT_EQ(capture.text(), L"Unable to create the application\nUnable to create the shell\n");
    EXPECT_TRUE(driver.log().empty());

    // An allocation that throws inside a constructor is the same failure.
    EXPECT_EQ(RunShell([]() -> ShellApplication* { throw std::bad_alloc(); }, NewNativeShell, nullptr, L""),
              1);
    events.clear();
    EXPECT_EQ(RunShell([]() -> ShellApplication* { return new ScriptedApplication({}); },
                       [](ShellApplication&, void*) -> OGLESShell* { throw std::bad_alloc(); }, nullptr, L""),
              1);
    EXPECT_EQ(events, Events{"~application"});
    EXPECT_EQ(capture.text(), L"Unable to create the application\nUnable to create the shell\n"
                              L"Unable to create the application\nUnable to create the shell\n");
}

TEST_F(ShellRun, FrameLimitPresentsOneFrameMoreThanItsValue) {
    auto r = runShell(driver, L"-qaf=0");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.presented, 1);
    EXPECT_EQ(ScriptedApplication::lastConfig.frameCount, 0);

    r = runShell(driver, L"-quitafterframe=3");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.presented, 4);
    EXPECT_EQ(ScriptedApplication::lastConfig.frameCount, 3);
    EXPECT_EQ(events[events.size() - 5], "OnFrame 3");
}

TEST_F(ShellRun, QuitMessageDuringAPresentEndsTheLoopAtTheNextTest) {
    // The quit message is queued while frame 1 is drawn and taken by that frame's pump: frame 2 is
    // drawn and not presented.
    Script script;
    script.onFrame = [](int frame, ShellConfig&) {
        if (frame == 1) {
            platform::postQuitMessage(0);
        }
    };
    auto r = runShell(driver, L"", script);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.presented, 2);
    EXPECT_EQ(events[4], "OnFrame 2");
    EXPECT_EQ(events[5], "OnViewRelease");

    // The limit checks of the pass that took the quit message still run.
    r = runShell(driver, L"-qaf=1", script);
    EXPECT_EQ(r.presented, 2);
    EXPECT_EQ(events[4], "OnViewRelease");
}

// Each drawn frame is presented and moves the virtual clock on by 250 ms.
Script advancingClock() {
    Script script;
    script.onFrame = [](int, ShellConfig&) { platform::advanceVirtualClock(); };
    return script;
}

TEST_F(ShellRun, TimeLimitEndsWithTheFirstFramePresentedAfterIt) {
    // A loop start taken on the real clock belongs to that clock: the virtual clock takes its own.
    runShell(driver, L"-qaf=0");

    // The loop starts at 500 ms; the frame presented at 3000 ms, 2.5 s later, is the last.
    const VirtualClockScope clock(4);
    platform::advanceVirtualClock();
    platform::advanceVirtualClock();
    auto r = runShell(driver, L"-qat=2.5", advancingClock());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.presented, 10);
    EXPECT_EQ(platform::tickCountMs(), 3000u);

    // The start time belongs to the process: a second run counts from the first one's start.
    r = runShell(driver, L"-qat=2.5", advancingClock());
    EXPECT_EQ(r.presented, 1);

    // Zero is no limit; the frame limit still applies.
    r = runShell(driver, L"-qat=0 -qaf=20", advancingClock());
    EXPECT_EQ(r.presented, 21);
}

TEST_F(ShellRun, CommandLineOverridesWhatOnAppStartWrote) {
    Script script;
    script.onStart = [](ShellConfig& c) {
        c.width = 100;
        c.height = 90;
        c.fullScreen = 0;
        c.fsaaMode = 2;
        c.quitAfterFrame = 5;
    };
    // The first reading's size is discarded before OnAppStart, which sees 640 x 480 and the token.
    auto r = runShell(driver, L"-width=200 token -qaf=0 -FSAAMode=1", script);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(events[0], "OnAppStart(1 tokens, 640 x 480)");
    EXPECT_EQ(ScriptedApplication::lastTokens, std::vector<std::string>{"token"});
    EXPECT_EQ(events[1], "OnViewCreate(200, 90)");
    EXPECT_EQ(r.presented, 1);
    EXPECT_EQ(ScriptedApplication::lastConfig.fsaaMode, 1);
    EXPECT_EQ(ScriptedApplication::lastConfig.fullScreen, 0);

    r = runShell(driver, L"-height=300 -windowed -qaf=0");
    EXPECT_EQ(events[0], "OnAppStart(0 tokens, 640 x 480)");
    EXPECT_EQ(events[1], "OnViewCreate(640, 300)");
}

TEST_F(ShellRun, TextureCompressionIsNotedBeforeTheViewIsCreated) {
    driver.setGlString(GL_EXTENSIONS, "GL_OES_x GL_ZEB_texture_compression_nymtc");
    Script script;
    int seen = -1;
    script.onFrame = [&seen](int, ShellConfig& c) { seen = c.hasTextureCompression; };
    runShell(driver, L"-qaf=0", script);
    EXPECT_EQ(seen, 1);

    driver.setGlString(GL_EXTENSIONS, "GL_ZEB_texture_compression_nymtc_v2");
    runShell(driver, L"-qaf=0", script);
    EXPECT_EQ(seen, 0);
}

} // namespace
