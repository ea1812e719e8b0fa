// The window, the rendering context, presentation and the window procedure of NativeShell, on the
// record driver and the headless screen.
#include "tests/shell/shell_test_support.h"

#include "platform/window/window.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using shelltest::events;
using shelltest::runShell;
using shelltest::Screen;
using shelltest::Script;
using shelltest::ScriptedApplication;
using Events = std::vector<std::string>;

constexpr const char* powerManagement = "EGL_KHR_x EGL_ZEB_power_management";

struct NativeShellTest : ::testing::Test {
    platform::gles::RecordDriver driver;

    // A shell on a fresh screen with the record's options as given.
    struct Fixture {
        ShellApplication application;
        NativeShell shell{application, nullptr};
        ShellConfig& config = *application.GetConfig();
    };
};

TEST_F(NativeShellTest, FullScreenCoversAPortraitScreen) {
    Fixture f;
    shelltest::selectScreen(Screen{240, 320});
    ASSERT_TRUE(f.shell.InitWindow());
    platform::Window* window = f.shell.GetWindow();
    EXPECT_EQ(f.config.width, 240);
    EXPECT_EQ(f.config.height, 320);
    EXPECT_EQ(f.config.portrait, 1);
    EXPECT_EQ(platform::windowRect(window), (platform::Rect{0, 0, 240, 320}));
    EXPECT_TRUE(platform::windowFullScreen(window));
    EXPECT_TRUE(platform::windowVisible(window));
    EXPECT_EQ(std::wstring(platform::windowTitle(window)), L"OGLESShell");
    EXPECT_EQ(platform::windowUserData(window), &f.config);

    // Through the entry logic: the view is created at the screen's size.
    const auto r = runShell(driver, L"-qaf=0", {}, Screen{240, 320});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(events[1], "OnViewCreate(240, 320)");
    EXPECT_EQ(ScriptedApplication::lastConfig.portrait, 1);

    // A landscape screen is not portrait.
    Fixture landscape;
    shelltest::selectScreen(Screen{800, 600});
    ASSERT_TRUE(landscape.shell.InitWindow());
    EXPECT_EQ(landscape.config.portrait, 0);
    EXPECT_EQ(landscape.config.width, 800);
}

TEST_F(NativeShellTest, FramedWindowIsHalvedToFitAndCentred) {
    Fixture f;
    f.config.fullScreen = 0;
    shelltest::selectScreen(Screen{240, 320});
    ASSERT_TRUE(f.shell.InitWindow());
    EXPECT_EQ(f.config.width, 160);
    EXPECT_EQ(f.config.height, 120);
    const platform::Rect outer = platform::windowRect(f.shell.GetWindow());
    EXPECT_EQ(platform::clientRect(f.shell.GetWindow()), (platform::Rect{0, 0, 160, 120}));
    EXPECT_LE(outer.width(), 240);
    EXPECT_EQ(outer.left, (240 - outer.width()) / 2);
    EXPECT_EQ(outer.top, (320 - outer.height()) / 2);
    EXPECT_FALSE(platform::windowFullScreen(f.shell.GetWindow()));
    EXPECT_EQ(f.config.portrait, 1);

    // "-height=" turns the halving off: the window is larger than the screen and its corner stays on it.
    auto r = runShell(driver, L"-windowed -height=480 -qaf=0", {}, Screen{240, 320});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(events[1], "OnViewCreate(640, 480)");

    Fixture unfitted;
    unfitted.config.fullScreen = 0;
    unfitted.config.fitToScreen = 0;
    shelltest::selectScreen(Screen{240, 320});
    ASSERT_TRUE(unfitted.shell.InitWindow());
    const platform::Rect big = platform::windowRect(unfitted.shell.GetWindow());
    EXPECT_EQ(big.left, 0);
    EXPECT_EQ(big.top, 0);
    EXPECT_EQ(platform::clientRect(unfitted.shell.GetWindow()), (platform::Rect{0, 0, 640, 480}));

    // A side that reaches one pixel stays there while the other goes on halving until the window fits.
    r = runShell(driver, L"-windowed -width=1 -qaf=0", {}, Screen{240, 320});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(events[1], "OnViewCreate(1, 240)");

    // A screen smaller than the frame itself: the halving ends once it changes nothing.
    Fixture tiny;
    tiny.config.fullScreen = 0;
    shelltest::selectScreen(Screen{6, 20});
    ASSERT_TRUE(tiny.shell.InitWindow());
    EXPECT_EQ(tiny.config.width, 1);
    EXPECT_EQ(tiny.config.height, 1);
}

// The largest position and size the options can give: halved to fit and centred like any other.
TEST_F(NativeShellTest, LargestPositionAndSizeAreHalvedToFitAndCentred) {
    Fixture extreme;
    extreme.config.fullScreen = 0;
    extreme.config.defaultPosition = 0;
    extreme.config.windowX = INT_MAX;
    extreme.config.windowY = INT_MIN;
    extreme.config.width = INT_MAX;
    extreme.config.height = INT_MAX;
    shelltest::selectScreen(Screen{240, 320});
    ASSERT_TRUE(extreme.shell.InitWindow());
    const platform::Rect placed = platform::windowRect(extreme.shell.GetWindow());
    EXPECT_GT(extreme.config.width, 0);
    EXPECT_LE(placed.width(), 240);
    EXPECT_EQ(placed.left, (240 - placed.width()) / 2);
    EXPECT_EQ(placed.top, (320 - placed.height()) / 2);
}

TEST_F(NativeShellTest, SizeThatIsNotPositiveHasNoWindowOnEitherPath) {
    for (const int fullScreen : {1, 0}) {
        for (const std::pair<int, int>& size : {std::pair{0, 480}, std::pair{640, 0}, std::pair{-5, 480}}) {
            const int width = size.first;
            const int height = size.second;
            Script script;
            script.onStart = [fullScreen, width, height](ShellConfig& c) {
                c.fullScreen = fullScreen;
                c.width = width;
                c.height = height;
                c.quitAfterFrame = 0;
            };
            const auto r = runShell(driver, L"", script, Screen{240, 320});
            const std::string which = std::to_string(width) + " x " + std::to_string(height) +
                                      (fullScreen ? " full-screen" : " framed");
            EXPECT_EQ(r.exitCode, 1) << which;
            EXPECT_EQ(r.debugOutput, L"InitEGL failed!!\n") << which;
            EXPECT_TRUE(driver.log().empty()) << which;
        }
    }
    // The options can make a size negative too.
    const auto r = runShell(driver, L"-width=-5 -qaf=0");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.debugOutput, L"InitEGL failed!!\n");
}

TEST_F(NativeShellTest, FramedWindowThatFitsKeepsItsSizeAndIsCentred) {
    Fixture f;
    f.config.fullScreen = 0;
    f.config.width = 300;
    f.config.height = 200;
    f.config.defaultPosition = 0;
    f.config.windowX = 5;
    f.config.windowY = 7;
    shelltest::selectScreen(Screen{640, 480});
    ASSERT_TRUE(f.shell.InitWindow());
    EXPECT_EQ(f.config.width, 300);
    EXPECT_EQ(f.config.height, 200);
    const platform::Rect outer = platform::windowRect(f.shell.GetWindow());
    EXPECT_EQ(outer.left, (640 - outer.width()) / 2);
    EXPECT_EQ(outer.top, (480 - outer.height()) / 2);
    EXPECT_EQ(f.config.portrait, 0);
}

TEST_F(NativeShellTest, ConfigAttributesFollowTheSampleMode) {
    driver.setConfigs({{{EGL_SURFACE_TYPE, EGL_WINDOW_BIT | EGL_PBUFFER_BIT},
                        {EGL_SAMPLE_BUFFERS, 1},
                        {EGL_SAMPLES, 4},
                        {EGL_DEPTH_SIZE, 16}}});
    const std::string common = "eglChooseConfig(display1, [EGL_LEVEL 0, EGL_NATIVE_RENDERABLE 0, "
                               "EGL_SURFACE_TYPE 5, EGL_SAMPLE_BUFFERS ";
    const std::pair<int, std::string> expected[] = {
        {0, common + "0, EGL_NONE], 1) -> EGL_TRUE [config1]"},
        {1, common + "1, EGL_SAMPLES 2, EGL_NONE], 1) -> EGL_TRUE [config1]"},
        {2, common + "1, EGL_SAMPLES 4, EGL_NONE], 1) -> EGL_TRUE [config1]"},
        {3, common + "0, EGL_NONE], 1) -> EGL_TRUE [config1]"},
    };
    for (const auto& [mode, text] : expected) {
        Fixture f;
        f.config.fsaaMode = mode;
        shelltest::selectScreen({});
        driver.clearLog();
        ASSERT_TRUE(f.shell.InitWindow());
        EXPECT_EQ(driver.log({"eglChooseConfig"}), std::vector<std::string>{text}) << mode;
        EXPECT_NE(f.shell.GetContext(), EGL_NO_CONTEXT);
    }

    // No matching config, or a failed call: no config, which context creation then rejects.
    driver.setConfigs(
        {{{EGL_SURFACE_TYPE, EGL_WINDOW_BIT | EGL_PBUFFER_BIT}, {EGL_SAMPLES, 2}, {EGL_SAMPLE_BUFFERS, 1}}});
    Fixture f;
    f.config.fsaaMode = 2;
    EXPECT_EQ(f.shell.ChooseConfig(), nullptr);
    driver.failNext("eglChooseConfig", EGL_BAD_ATTRIBUTE);
    f.config.fsaaMode = 1;
    EXPECT_EQ(f.shell.ChooseConfig(), nullptr);
    EXPECT_NE(f.shell.ChooseConfig(), nullptr);
}

TEST_F(NativeShellTest, EglFailuresAreReportedAndEndTheRun) {
    const std::pair<const char*, const wchar_t*> failures[] = {
        {"eglInitialize", L"Unable to initialise egl\n"},
        {"eglCreateContext", L"Unable to create a context\n"},
        {"eglCreateWindowSurface", L"Unable to create window surface\n"},
        {"eglMakeCurrent", L"Unable to make current context\n"},
    };
    for (const auto& [function, message] : failures) {
        driver.failNext(function, EGL_BAD_ALLOC);
        const auto r = runShell(driver, L"");
        EXPECT_EQ(r.exitCode, 1) << function;
        EXPECT_EQ(r.debugOutput, std::wstring(message) + L"InitEGL failed!!\n");
        EXPECT_EQ(events, (Events{"OnAppStart(0 tokens, 640 x 480)", "~application", "~shell"}));
    }

    // A context lost at make-current time is retried when power management is there, a bounded
    // number of times, each failed attempt's objects destroyed first.
    driver.setEglString(EGL_EXTENSIONS, powerManagement);
    driver.failNext("eglMakeCurrent", EGL_CONTEXT_LOST, 2);
    auto r = runShell(driver, L"-qaf=0");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.debugOutput, L"");
    EXPECT_EQ(driver.log({"eglInitialize"}).size(), 3u);
    EXPECT_EQ(driver.log({"eglDestroyContext"}).size(), 3u); // two failed attempts and the release

    driver.failNext("eglMakeCurrent", EGL_CONTEXT_LOST, 100);
    r = runShell(driver, L"");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.debugOutput, L"Unable to make current context\nInitEGL failed!!\n");
    EXPECT_EQ(driver.log({"eglInitialize"}).size(),
              static_cast<std::size_t>(NativeShell::MaxContextLostRetries + 1));
    driver.failNext("eglMakeCurrent", EGL_CONTEXT_LOST, 0);

    // Without power management a lost context at make-current time is a plain failure.
    driver.setEglString(EGL_EXTENSIONS, "EGL_ZEB_power_management_v2");
    driver.failNext("eglMakeCurrent", EGL_CONTEXT_LOST);
    r = runShell(driver, L"");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(driver.log({"eglInitialize"}).size(), 1u);
}

TEST_F(NativeShellTest, FailedSwapsAreReportedOnEveryFrame) {
    driver.failNext("eglSwapBuffers", EGL_BAD_SURFACE, 2);
    auto r = runShell(driver, L"-qaf=3");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.debugOutput, L"eglSwapBuffers failed\neglSwapBuffers failed\n");
    EXPECT_EQ(r.presented, 4);

    // A lost context without power management is no reason to rebuild.
    driver.failNext("eglSwapBuffers", EGL_CONTEXT_LOST);
    r = runShell(driver, L"-qaf=1");
    EXPECT_EQ(r.debugOutput, L"eglSwapBuffers failed\n");
    EXPECT_EQ(driver.log({"eglInitialize"}).size(), 1u);

    // With power management, another error is still only reported.
    driver.setEglString(EGL_EXTENSIONS, powerManagement);
    driver.failNext("eglSwapBuffers", EGL_BAD_NATIVE_WINDOW);
    r = runShell(driver, L"-qaf=1");
    EXPECT_EQ(r.debugOutput, L"eglSwapBuffers failed\n");
    EXPECT_EQ(driver.log({"eglInitialize"}).size(), 1u);
}

TEST_F(NativeShellTest, LostContextIsRebuiltBetweenTheViewCallbacks) {
    driver.setEglString(EGL_EXTENSIONS, powerManagement);
    Script script;
    script.onFrame = [this](int frame, ShellConfig&) {
        if (frame == 1) {
            driver.failNext("eglSwapBuffers", EGL_CONTEXT_LOST);
        }
    };
    const auto r = runShell(driver, L"-qaf=2 -windowed -width=320 -height=200", script);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.debugOutput, L"");
    // The lost frame is not presented and not counted: the frame limit still presents three frames.
    EXPECT_EQ(events,
              (Events{"OnAppStart(0 tokens, 640 x 480)", "OnViewCreate(320, 200)", "OnFrame 0", "OnFrame 1",
                      "OnViewRelease recovering", "OnViewCreate(320, 200) recovering", "OnFrame 2",
                      "OnFrame 3", "OnViewRelease", "OnAppStop", "~application", "~shell"}));
    EXPECT_EQ(ScriptedApplication::lastConfig.frameCount, 2);
    EXPECT_EQ(ScriptedApplication::lastConfig.contextRecovering, 0);
    // The whole context was torn down and made again, on the same window.
    const auto rebuilt = driver.log({"eglTerminate", "eglInitialize", "eglCreateContext", "eglMakeCurrent"});
    ASSERT_EQ(rebuilt.size(), 10u);
    EXPECT_EQ(rebuilt[2].rfind("eglMakeCurrent(display1, surface1, surface1, context1)", 0), 0u);
    EXPECT_EQ(rebuilt[3].rfind("eglMakeCurrent(display1, EGL_NO_SURFACE", 0), 0u);
    EXPECT_EQ(rebuilt[4].rfind("eglTerminate", 0), 0u);
    EXPECT_EQ(rebuilt[5].rfind("eglInitialize", 0), 0u);
    EXPECT_EQ(rebuilt[6].rfind("eglCreateContext(display1, config1, EGL_NO_CONTEXT, null) -> context2", 0),
              0u);
    EXPECT_EQ(rebuilt[7].rfind("eglMakeCurrent(display1, surface2, surface2, context2)", 0), 0u);
    std::vector<std::vector<const void*>> windows;
    for (const auto& call : driver.calls()) {
        if (call.name == "eglCreateWindowSurface") {
            windows.push_back(call.pointers);
        }
    }
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0], windows[1]);
}

TEST_F(NativeShellTest, FailedRecoveryLeavesTheShellWithoutAContext) {
    driver.setEglString(EGL_EXTENSIONS, powerManagement);
    Script script;
    script.onFrame = [this](int frame, ShellConfig&) {
        if (frame == 0) {
            driver.failNext("eglSwapBuffers", EGL_CONTEXT_LOST);
            driver.failNext("eglCreateContext", EGL_BAD_ALLOC);
        }
    };
    const auto r = runShell(driver, L"-qaf=1", script);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.debugOutput, L"Unable to create a context\n");
    // Frame 0 was lost; the two frames after it count towards the limit.
    EXPECT_EQ(events, (Events{"OnAppStart(0 tokens, 640 x 480)", "OnViewCreate(640, 480)", "OnFrame 0",
                              "OnViewRelease recovering", "OnFrame 1", "OnFrame 2", "OnViewRelease",
                              "OnAppStop", "~application", "~shell"}));
    EXPECT_EQ(ScriptedApplication::lastConfig.contextRecovering, 0);
    // The released handles are not handed to EGL again.
    const auto swaps = driver.log({"eglSwapBuffers"});
    ASSERT_GE(swaps.size(), 3u);
    EXPECT_EQ(swaps.back().rfind("eglSwapBuffers(display1, EGL_NO_SURFACE)", 0), 0u);
    EXPECT_TRUE(
        driver.log({"eglDestroyContext"}).back().rfind("eglDestroyContext(display1, EGL_NO_CONTEXT)", 0) ==
        0);
}

TEST_F(NativeShellTest, WindowProcedureEndsTheRunOnCloseEscapeAndFullScreenTaps) {
    Fixture f;
    shelltest::selectScreen({});
    ASSERT_TRUE(f.shell.InitWindow());
    platform::Window* window = f.shell.GetWindow();
    platform::Message m;
    while (platform::peekMessage(m)) {
    }

    auto quits = [&](platform::MessageType type, std::uintptr_t wParam) {
        EXPECT_EQ(NativeShell::WindowProc(window, type, wParam, 0), 0);
        bool quit = false;
        while (platform::peekMessage(m)) {
            quit = quit || m.type == platform::MessageType::Quit;
        }
        return quit;
    };
    using platform::MessageType;
    EXPECT_TRUE(quits(MessageType::Close, 0));
    EXPECT_TRUE(quits(MessageType::Destroy, 0));
    EXPECT_TRUE(quits(MessageType::KeyDown, platform::keyEscape));
    EXPECT_FALSE(quits(MessageType::KeyDown, 'A'));
    EXPECT_FALSE(quits(MessageType::Paint, 0));
    EXPECT_FALSE(quits(MessageType::Size, 0));
    EXPECT_TRUE(quits(MessageType::LeftButtonDown, 0));
    f.config.fullScreen = 0;
    EXPECT_FALSE(quits(MessageType::LeftButtonDown, 0));
}

TEST_F(NativeShellTest, ScriptedInputEndsFramedAndFullScreenRuns) {
    using Event = platform::ScriptedInput::Event;
    Script script;
    script.onFrame = [](int frame, ShellConfig&) { platform::windowFramePresented(frame); };

    auto r = runShell(driver, L"-windowed", script, Screen{640, 480, {{Event::Escape, 2}}});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.presented, 3);

    r = runShell(driver, L"-windowed", script, Screen{640, 480, {{Event::Close, 1}}});
    EXPECT_EQ(r.presented, 2);

    r = runShell(driver, L"", script, Screen{640, 480, {{Event::Tap, 1}}});
    EXPECT_EQ(r.presented, 2);

    // A tap does not end a framed run: the frame limit does.
    r = runShell(driver, L"-windowed -qaf=5", script, Screen{640, 480, {{Event::Tap, 1}}});
    EXPECT_EQ(r.presented, 6);
}

TEST_F(NativeShellTest, DebugOutputIsBoundedAndWidenedByteForByte) {
    shelltest::DebugCapture capture;
    ShellApplication::OutputDebug("%d %s \xe9\n", 42, "x\xff");
    EXPECT_EQ(capture.text(), L"42 x\u00ff \u00e9\n");

    // The format keeps 127 characters, the text 255.
    const std::string longFormat = std::string(126, 'a') + "bcd";
    shelltest::DebugCapture shortened;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
    ShellApplication::OutputDebug(longFormat.c_str());
#pragma GCC diagnostic pop
    EXPECT_EQ(shortened.text(), std::wstring(126, L'a') + L"b");

    const std::string longText(400, 'z');
    shelltest::DebugCapture truncated;
    ShellApplication::OutputDebug("%s%s", longText.c_str(), "tail");
    EXPECT_EQ(truncated.text(), std::wstring(255, L'z'));
}

} // namespace
