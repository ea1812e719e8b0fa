// The window system on the wayland backend, under a headless Weston of its own: window sizes, full-screen
// and a compositor's resize, the close request, EGL on the Wayland platform, and the compositor going away.
#include "platform/window/wayland/wayland_toplevel.h"
#include "platform/window/window.h"
#include "platform/window/window_backend.h"
#include "tests/support/message_pump.h"
#include "tests/support/weston_server.h"
#include "tests/support/window_surface.h"
#include "xdg-shell-client-protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using namespace platform;
using namespace std::chrono_literals;

std::vector<Message> seen;

std::intptr_t noteMessages(platform::Window* window, MessageType type, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    seen.push_back({window, type, wParam, lParam});
    if (type == MessageType::Paint) {
        beginPaint(window);
        endPaint(window);
        return 0;
    }
    return type == MessageType::Close ? 0 : defaultWindowProcedure(window, type, wParam, lParam);
}

int countOf(MessageType type) {
    return static_cast<int>(
        std::count_if(seen.begin(), seen.end(), [type](const Message& m) { return m.type == type; }));
}

// The size carried by the first size message seen.
std::intptr_t sizeSent() {
    const auto size =
        std::find_if(seen.begin(), seen.end(), [](const Message& m) { return m.type == MessageType::Size; });
    return size == seen.end() ? -1 : size->lParam;
}

std::intptr_t packed(int width, int height) {
    return width | height << 16;
}

class WaylandWindows : public ::testing::Test {
protected:
    void SetUp() override {
        if (!WestonServer::installed()) {
            GTEST_SKIP() << "weston is not installed";
        }
        ASSERT_TRUE(server.start({})) << server.log();
        useWayland();
    }
    void TearDown() override {
        std::string error;
        selectWindowBackend(WindowBackendKind::Headless, {}, error);
    }

    void useWayland() {
        std::string error;
        ASSERT_TRUE(selectWindowBackend(WindowBackendKind::Wayland, {}, error)) << error;
        WindowClass windowClass;
        windowClass.procedure = noteMessages;
        windowClass.name = L"OGLESShellClass";
        ASSERT_TRUE(registerWindowClass(windowClass));
        seen.clear();
    }

    // A framed window with a client area of 200 x 150, shown and painted.
    static platform::Window* framedWindow() {
        const Rect outer = framedOuterRect({20, 50, 220, 200}, styleVisible | styleFramed);
        platform::Window* window =
            createWindow(L"OGLESShellClass", L"OGLESShell", styleVisible | styleFramed, outer.left, outer.top,
                         outer.width(), outer.height(), nullptr);
        if (window) {
            updateWindow(window);
            pumpUntil(MessageType::Size);
        }
        return window;
    }

    WestonServer server;
};

TEST_F(WaylandWindows, TheRequestedClientSizeAndFullScreenTheOutputsSize) {
    EXPECT_EQ(monitorRect(nullptr), (Rect{0, 0, 320, 240}));
    // The compositor draws any frame outside the surface.
    EXPECT_EQ(framedOuterRect({20, 50, 220, 200}, styleFramed), (Rect{20, 50, 220, 200}));
    platform::Window* window = framedWindow();
    ASSERT_NE(window, nullptr) << server.log();
    EXPECT_EQ(clientRect(window), (Rect{0, 0, 200, 150}));
    ASSERT_EQ(countOf(MessageType::Size), 1);
    EXPECT_EQ(sizeSent(), packed(200, 150));

    seen.clear();
    EXPECT_TRUE(setFullScreen(window, 0x2A));
    EXPECT_TRUE(windowFullScreen(window));
    EXPECT_EQ(clientRect(window), (Rect{0, 0, 320, 240}));
    EXPECT_EQ(monitorRect(window), (Rect{0, 0, 320, 240}));
    // The shell moves its full-screen window to the monitor's rectangle; the compositor's size stays.
    EXPECT_TRUE(moveWindow(window, 0, 0, 640, 480, true));
    EXPECT_EQ(clientRect(window), (Rect{0, 0, 320, 240}));
    pumpFor(200ms);
    ASSERT_EQ(countOf(MessageType::Size), 1);
    EXPECT_EQ(sizeSent(), packed(320, 240));
}

TEST_F(WaylandWindows, EglOnTheWaylandPlatformFollowsTheCompositorsResize) {
    platform::Window* window = framedWindow();
    ASSERT_NE(window, nullptr) << server.log();
    // The shell's attribute list asks for the pbuffer bit too, which Mesa's Wayland configs lack.
    WindowSurface egl(window);
    ASSERT_EQ(egl.error(), "");
    EXPECT_TRUE(egl.present(0x10000, 0, 0));
    EXPECT_EQ(egl.width(), 200);

    // Maximised by the compositor: the size message, and the next frames at the new size.
    auto* toplevel = reinterpret_cast<wayland::Toplevel*>(window->nativeId);
    seen.clear();
    xdg_toplevel_set_maximized(toplevel->toplevel);
    ASSERT_TRUE(pumpUntil(MessageType::Size)) << server.log();
    EXPECT_EQ(seen.back().lParam, packed(320, 240));
    EXPECT_EQ(clientRect(window), (Rect{0, 0, 320, 240}));
    EXPECT_TRUE(egl.present(0, 0x10000, 0));
    EXPECT_TRUE(egl.present(0, 0, 0x10000));
    EXPECT_EQ(egl.width(), 320);
    EXPECT_EQ(egl.height(), 240);

    // The compositor's close request, handed to the listener as libwayland would: Weston 10 cannot send
    // it (none of its shells closes an xdg-shell window, and its headless backend has no input to ask).
    wayland::Toplevel::toplevelListener.close(toplevel, toplevel->toplevel);
    EXPECT_TRUE(pumpUntil(MessageType::Close));
}

TEST_F(WaylandWindows, TheCompositorGoingAwayIsReportedOnceAndPostsQuit) {
    WestonServer doomed;
    ASSERT_TRUE(doomed.start({.width = 160, .height = 120, .socket = "nymbus-doomed"}));
    useWayland();
    platform::Window* window = framedWindow();
    ASSERT_NE(window, nullptr) << doomed.log();
    EXPECT_FALSE(windowSystemLost());

    testing::internal::CaptureStderr();
    doomed.kill();
    EXPECT_TRUE(pumpUntil(MessageType::Quit));
    Message message;
    for (int i = 0; i < 5; ++i) {
        peekMessage(message);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(windowSystemLost());
    // Broken pipe or connection reset, as the socket was left.
    EXPECT_EQ(said.find("nymbus: lost the connection to the Wayland compositor ("), 0u) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    // Requests on the dead connection go nowhere.
    EXPECT_TRUE(setFullScreen(window, 0x2A));
    EXPECT_TRUE(moveWindow(window, 0, 0, 100, 100, true));
}

} // namespace
