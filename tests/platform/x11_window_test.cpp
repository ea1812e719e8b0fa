// The window system on the x11 backend, under an Xvfb server of its own.
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"
#include "platform/window/window.h"
#include "platform/window/window_backend.h"
#include "platform/window/window_state.h"
#include "tests/support/environment_variable.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_surface.h"
#include "tests/support/xvfb_server.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace platform;

std::vector<MessageType> seen;

std::intptr_t noteMessages(platform::Window* window, MessageType type, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    if (type == MessageType::KeyDown && wParam != keyEscape) {
        return 0;
    }
    seen.push_back(type);
    if (type == MessageType::Paint) {
        beginPaint(window);
        endPaint(window);
        return 0;
    }
    return type == MessageType::Close ? 0 : defaultWindowProcedure(window, type, wParam, lParam);
}

class X11Windows : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (XvfbServer::installed()) {
            server = new XvfbServer;
            if (!server->start()) {
                delete server;
                server = nullptr;
            }
        }
    }
    static void TearDownTestSuite() {
        std::string error;
        selectWindowBackend(WindowBackendKind::Headless, {}, error);
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        if (!XvfbServer::installed()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        ASSERT_NE(server, nullptr) << "Xvfb did not start";
        std::string error;
        ASSERT_TRUE(selectWindowBackend(WindowBackendKind::X11, {}, error)) << error;
        WindowClass windowClass;
        windowClass.procedure = noteMessages;
        windowClass.name = L"OGLESShellClass";
        ASSERT_TRUE(registerWindowClass(windowClass));
        seen.clear();
        probe = XOpenDisplay(nullptr);
        ASSERT_NE(probe, nullptr);
    }
    void TearDown() override {
        if (probe) {
            XCloseDisplay(probe);
        }
    }

    // A framed window with a client area of 200 x 150, shown and painted.
    platform::Window* framedWindow() {
        const Rect outer = framedOuterRect({100, 80, 300, 230}, styleVisible | styleFramed);
        platform::Window* window =
            createWindow(L"OGLESShellClass", L"OGLESShell", styleVisible | styleFramed, outer.left, outer.top,
                         outer.width(), outer.height(), nullptr);
        if (window) {
            showWindow(window, showNormal);
            updateWindow(window);
            pumpUntil(MessageType::Paint);
        }
        return window;
    }

    static XvfbServer* server;
    Display* probe = nullptr;
};

XvfbServer* X11Windows::server = nullptr;

TEST_F(X11Windows, ARealWindowOfTheRequestedClientSizeOnTheScreen) {
    EXPECT_EQ(monitorRect(nullptr), (Rect{0, 0, 800, 600}));
    platform::Window* window = framedWindow();
    ASSERT_NE(window, nullptr);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(probe, window->nativeId, &attributes));
    EXPECT_EQ(attributes.width, 200);
    EXPECT_EQ(attributes.height, 150);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(clientRect(window), (Rect{0, 0, 200, 150}));
    char* name = nullptr;
    ASSERT_TRUE(XFetchName(probe, window->nativeId, &name));
    EXPECT_STREQ(name, "OGLESShell");
    XFree(name);
    XClassHint classHint{};
    ASSERT_TRUE(XGetClassHint(probe, window->nativeId, &classHint));
    EXPECT_STREQ(classHint.res_class, "OGLESShellClass");
    XFree(classHint.res_name);
    XFree(classHint.res_class);

    EXPECT_TRUE(setFullScreen(window, 0x2A));
    EXPECT_TRUE(pumpUntil(MessageType::Size));
    for (int i = 0; i < 200 && attributes.width != 800; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(XGetWindowAttributes(probe, window->nativeId, &attributes));
    }
    EXPECT_EQ(attributes.width, 800);
    EXPECT_EQ(attributes.height, 600);
}

TEST_F(X11Windows, EscapeAndAClickArriveAsKeyDownAndLeftButtonDownAndTheCloseRequestAsClose) {
    platform::Window* window = framedWindow();
    ASSERT_NE(window, nullptr);
    seen.clear();
    // Without a window manager the focus follows the pointer: put it over the window.
    XTestFakeMotionEvent(probe, DefaultScreen(probe), 150, 120, 0);
    XTestFakeKeyEvent(probe, XKeysymToKeycode(probe, XK_Escape), True, 0);
    XTestFakeKeyEvent(probe, XKeysymToKeycode(probe, XK_Escape), False, 0);
    XTestFakeButtonEvent(probe, 1, True, 0);
    XTestFakeButtonEvent(probe, 1, False, 0);
    XSync(probe, False);
    ASSERT_TRUE(pumpUntil(MessageType::LeftButtonDown));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], MessageType::KeyDown);
    EXPECT_EQ(seen[1], MessageType::LeftButtonDown);

    // The window manager's close request.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window->nativeId;
    event.xclient.message_type = XInternAtom(probe, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(probe, "WM_DELETE_WINDOW", False));
    XSendEvent(probe, window->nativeId, False, NoEventMask, &event);
    XSync(probe, False);
    EXPECT_TRUE(pumpUntil(MessageType::Close));
}

TEST_F(X11Windows, EglWindowSurfaceOnTheWindow) {
    platform::Window* window = framedWindow();
    ASSERT_NE(window, nullptr);
    WindowSurface egl(window);
    ASSERT_EQ(egl.error(), "");
    EGLint id = 0;
    EGLint depth = 0;
    EGLint red = 0;
    eglGetConfigAttrib(egl.display, egl.config, EGL_CONFIG_ID, &id);
    eglGetConfigAttrib(egl.display, egl.config, EGL_DEPTH_SIZE, &depth);
    eglGetConfigAttrib(egl.display, egl.config, EGL_RED_SIZE, &red);
    std::cout << "x11: config " << id << ", red " << red << ", depth " << depth << "\n";
    EXPECT_GE(depth, 16);
    EXPECT_EQ(egl.width(), 200);
    glClearColorx(0x10000, 0, 0, 0x10000);
    glClear(GL_COLOR_BUFFER_BIT);
    std::uint8_t pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_TRUE(eglSwapBuffers(egl.display, egl.surface));
}

} // namespace

namespace {

TEST(XvfbServerTest, GivesTheEarlierDisplayBackWhenItEnds) {
    if (!XvfbServer::installed()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    const std::optional<std::string> earlier = environmentVariable("DISPLAY");
    setenv("DISPLAY", ":4242", 1);
    {
        XvfbServer server;
        ASSERT_TRUE(server.start());
        EXPECT_STRNE(std::getenv("DISPLAY"), ":4242");
    }
    EXPECT_STREQ(std::getenv("DISPLAY"), ":4242");
    {
        unsetenv("DISPLAY");
        XvfbServer server;
        ASSERT_TRUE(server.start());
    }
    EXPECT_EQ(std::getenv("DISPLAY"), nullptr);
    restoreEnvironmentVariable("DISPLAY", earlier);
}

} // namespace
