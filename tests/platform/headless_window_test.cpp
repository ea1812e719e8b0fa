// The window system on the headless backend.
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"
#include "platform/window/window.h"
#include "platform/window/window_backend.h"
#include "tests/support/window_surface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace platform;
using ::testing::ElementsAre;

std::vector<std::string> received;

std::string describe(MessageType type, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (type) {
    case MessageType::Close:
        return "close";
    case MessageType::Destroy:
        return "destroy";
    case MessageType::Paint:
        return "paint";
    case MessageType::Size:
        return "size " + std::to_string(lParam & 0xFFFF) + "x" + std::to_string(lParam >> 16);
    case MessageType::KeyDown:
        return "key " + std::to_string(wParam);
    case MessageType::LeftButtonDown:
        return "button " + std::to_string(lParam & 0xFFFF) + "," + std::to_string(lParam >> 16);
    case MessageType::Quit:
        return "quit " + std::to_string(wParam);
    }
    return "?";
}

std::intptr_t recordingProcedure(Window* window, MessageType type, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
    received.push_back(describe(type, wParam, lParam));
    if (type == MessageType::Paint) {
        beginPaint(window);
        endPaint(window);
        return 0;
    }
    return defaultWindowProcedure(window, type, wParam, lParam);
}

// Pumps the queue as the shell does; the quit message ends it.
void pump() {
    Message message;
    while (peekMessage(message)) {
        if (message.type == MessageType::Quit) {
            received.push_back(describe(message.type, message.wParam, message.lParam));
            return;
        }
        translateMessage(message);
        dispatchMessage(message);
    }
}

class HeadlessWindows : public ::testing::Test {
protected:
    void start(const HeadlessSettings& settings) {
        std::string error;
        ASSERT_TRUE(selectWindowBackend(WindowBackendKind::Headless, settings, error));
        WindowClass windowClass;
        windowClass.procedure = recordingProcedure;
        windowClass.name = L"TestClass";
        ASSERT_TRUE(registerWindowClass(windowClass));
        received.clear();
    }
};

TEST_F(HeadlessWindows, ScreenClassesFramesAndUserData) {
    start({240, 320, {}});
    EXPECT_EQ(monitorRect(nullptr), (Rect{0, 0, 240, 320}));
    EXPECT_EQ(windowBackend(), WindowBackendKind::Headless);

    WindowClass again;
    again.procedure = recordingProcedure;
    again.name = L"TestClass";
    EXPECT_FALSE(registerWindowClass(again));
    EXPECT_EQ(createWindow(L"NoSuchClass", L"t", styleVisible, 0, 0, 10, 10, nullptr), nullptr);

    const Rect client{20, 50, 340, 290};
    const Rect outer = framedOuterRect(client, styleVisible | styleFramed);
    EXPECT_EQ(outer, (Rect{16, 26, 344, 294}));
    EXPECT_EQ(framedOuterRect(client, styleVisible), client);

    Window* window = createWindow(L"TestClass", L"OGLESShell", styleVisible | styleFramed, outer.left,
                                  outer.top, outer.width(), outer.height(), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowRect(window), outer);
    EXPECT_EQ(clientRect(window), (Rect{0, 0, 320, 240}));
    EXPECT_EQ(monitorRect(window), (Rect{0, 0, 240, 320}));
    EXPECT_EQ(std::wstring(windowTitle(window)), L"OGLESShell");
    EXPECT_TRUE(windowVisible(window));

    int record = 0;
    EXPECT_EQ(windowUserData(window), nullptr);
    EXPECT_EQ(setWindowUserData(window, &record), nullptr);
    EXPECT_EQ(windowUserData(window), &record);
    EXPECT_NE(windowDeviceContext(window), nullptr);

    EXPECT_TRUE(
        setWindowPos(window, WindowOrder::Unchanged, 0, 0, 168, 150, positionNoMove | positionNoZOrder));
    EXPECT_EQ(windowRect(window), (Rect{16, 26, 184, 176}));
    EXPECT_TRUE(setWindowPos(window, WindowOrder::Unchanged, 36, 72, 0, 0, positionNoSize));
    EXPECT_EQ(windowRect(window), (Rect{36, 72, 204, 222}));

    EXPECT_TRUE(
        setFullScreen(window, fullScreenHideTaskBar | fullScreenHideInputPanel | fullScreenHideStartIcon));
    EXPECT_TRUE(windowFullScreen(window));
    EXPECT_EQ(windowRect(window), (Rect{0, 0, 240, 320}));
    EXPECT_EQ(clientRect(window), (Rect{0, 0, 240, 320}));
}

TEST_F(HeadlessWindows, MessagesArriveInOrderAndQuitComesLast) {
    start({});
    Window* window = createWindow(L"TestClass", L"t", 0, 0, 0, 64, 32, nullptr);
    ASSERT_NE(window, nullptr);
    postQuitMessage(0); // queued behind what the window's showing queues
    EXPECT_FALSE(showWindow(window, showNormal));
    EXPECT_TRUE(moveWindow(window, 0, 0, 100, 50, true));
    pump();
    EXPECT_THAT(received, ElementsAre("size 64x32", "paint", "size 100x50", "quit 0"));

    // updateWindow paints at once; the queued paint is then dropped.
    received.clear();
    EXPECT_TRUE(moveWindow(window, 0, 0, 100, 50, true));
    EXPECT_TRUE(updateWindow(window));
    EXPECT_THAT(received, ElementsAre("paint"));
    pump();
    EXPECT_THAT(received, ElementsAre("paint"));

    postQuitMessage(7);
    Message message;
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.type, MessageType::Quit);
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_EQ(message.window, nullptr);
    EXPECT_FALSE(peekMessage(message));
}

TEST_F(HeadlessWindows, ScriptedInputArrivesAfterItsFrameAndCloseDestroysByDefault) {
    start({640,
           480,
           {{ScriptedInput::Event::Tap, 2},
            {ScriptedInput::Event::Escape, 2},
            {ScriptedInput::Event::Close, 3}}});
    Window* window = createWindow(L"TestClass", L"t", styleVisible, 0, 0, 640, 480, nullptr);
    ASSERT_NE(window, nullptr);
    pump();
    received.clear();
    windowFramePresented(0);
    windowFramePresented(1);
    pump();
    EXPECT_TRUE(received.empty());
    windowFramePresented(2);
    pump();
    EXPECT_THAT(received, ElementsAre("button 320,240", "key 27"));
    received.clear();
    windowFramePresented(3);
    pump();
    EXPECT_THAT(received, ElementsAre("close", "destroy"));
    EXPECT_FALSE(windowVisible(window));
    EXPECT_FALSE(setWindowPos(window, WindowOrder::Topmost, 0, 0, 1, 1, 0));
}

TEST_F(HeadlessWindows, WindowSurfaceIsAPbufferOfTheClientSize) {
    start({240, 320, {}});
    const Rect outer = framedOuterRect({0, 0, 160, 120}, styleFramed);
    Window* window = createWindow(L"TestClass", L"t", styleVisible | styleFramed, outer.left, outer.top,
                                  outer.width(), outer.height(), nullptr);
    ASSERT_NE(window, nullptr);
    WindowSurface egl(window);
    ASSERT_EQ(egl.error(), "");
    EXPECT_EQ(egl.width(), 160);
    EXPECT_EQ(egl.height(), 120);
    EXPECT_TRUE(eglSwapBuffers(egl.display, egl.surface));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// A pbuffer swap renders nothing by itself; the stand-in's swap must finish each frame, or the GL
// queues every frame's commands and memory grows without bound.
TEST_F(HeadlessWindows, SwappingTheWindowSurfaceFinishesEachFrame) {
    if (kAddressSanitizer) {
        GTEST_SKIP()
            << "AddressSanitizer keeps freed memory in quarantine, so the resident size says nothing";
    }
    start({320, 240, {}});
    Window* window = createWindow(L"TestClass", L"t", styleVisible, 0, 0, 320, 240, nullptr);
    ASSERT_NE(window, nullptr);
    const EGLDisplay display = eglGetDisplay(windowDeviceContext(window));
    ASSERT_TRUE(eglInitialize(display, nullptr, nullptr));
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT | EGL_PBUFFER_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    ASSERT_TRUE(eglChooseConfig(display, attributes, &config, 1, &count));
    const EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    const EGLSurface surface = eglCreateWindowSurface(display, config, window, nullptr);
    ASSERT_TRUE(eglMakeCurrent(display, surface, surface, context));

    std::vector<GLfixed> vertices(3 * 3 * 1000);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        vertices[i] = static_cast<GLfixed>((i * 7919) % 0x400) - 0x200; // tiny triangles: cheap to raster
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FIXED, 0, vertices.data());
    auto residentMb = [] {
        long pages = 0;
        long resident = 0;
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        if (statm && std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        if (statm) {
            std::fclose(statm);
        }
        return resident * 4096.0 / (1024 * 1024);
    };
    auto frames = [&](int n) {
        for (int f = 0; f < n; ++f) {
            glClear(GL_COLOR_BUFFER_BIT);
            for (int d = 0; d < 5; ++d) {
                glDrawArrays(GL_TRIANGLES, 0, 3000);
            }
            ASSERT_TRUE(eglSwapBuffers(display, surface));
        }
    };
    frames(20);
    const double before = residentMb();
    frames(100);
    EXPECT_LT(residentMb() - before, 20.0);

    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglDestroySurface(display, surface);
    eglTerminate(display);
}

} // namespace
