#include "shell/native_shell.h"

#include "platform/clock.h"

#include <algorithm>
#include <new>

namespace {

// When the first main loop of the process started, in milliseconds; 0 until it is taken. A start read
// from another clock than the one in use now is taken again.
std::uint32_t loopStartTime = 0;
std::uint32_t loopStartTimeline = 0;

constexpr int defaultWindowX = 20;
constexpr int defaultWindowY = 50;

// The options take any int as a position or size. Each is kept within this limit, so that the edges of
// a framed window and of its frame stay ints; no screen comes near it.
constexpr int coordinateLimit = 1 << 29;

int limited(int value) {
    return std::clamp(value, -coordinateLimit, coordinateLimit);
}

// Hide the task bar, the input-panel button and the start icon.
constexpr unsigned fullScreenFlags =
    platform::fullScreenHideTaskBar | platform::fullScreenHideInputPanel | platform::fullScreenHideStartIcon;

} // namespace

NativeShell::NativeShell(ShellApplication& application, void* instance)
    : OGLESShell(application), instance(instance) {
    config->width = 640;
    config->height = 480;
}

OGLESShell* NewNativeShell(ShellApplication& application, void* instance) {
    return new (std::nothrow) NativeShell(application, instance);
}

bool NativeShell::InitWindow() {
    title = L"OGLESShell";
    className = L"OGLESShellClass";

    platform::WindowClass windowClass;
    windowClass.style = platform::classRedrawOnHorizontalResize | platform::classRedrawOnVerticalResize;
    windowClass.procedure = &NativeShell::WindowProc;
    windowClass.instance = instance;
    windowClass.backgroundBrush = 0;
    windowClass.name = className;
    // A class that is already registered (a second shell in the process) serves as well.
    platform::registerWindowClass(windowClass);

    if (!CreateNativeWindow()) {
        ShellApplication::OutputDebug("InitEGL failed!!\n");
        return false;
    }
    return true;
}

bool NativeShell::CreateNativeWindow() {
    // A size that is not positive (from the options or from OnAppStart) has no window on either path.
    if (config->width <= 0 || config->height <= 0) {
        return false;
    }
    if (!(config->fullScreen != 0 ? CreateFullScreenWindow() : CreateFramedWindow())) {
        return false;
    }
    const platform::Rect monitor = platform::monitorRect(window);
    config->portrait = monitor.right <= monitor.bottom ? 1 : 0;
    platform::setWindowUserData(window, config);
    if (!InitEGL(window)) {
        return false;
    }
    platform::showWindow(window, showCommand);
    platform::updateWindow(window);
    return true;
}

bool NativeShell::CreateFullScreenWindow() {
    window = platform::createWindow(className, title, platform::styleVisible, 0, 0, config->width,
                                    config->height, instance);
    if (window == nullptr) {
        return false;
    }
    const platform::Rect monitor = platform::monitorRect(window);
    config->width = monitor.right;
    config->height = monitor.bottom;
    platform::setWindowPos(window, platform::WindowOrder::Topmost, 0, 0, config->width, config->height, 0);
    platform::setForegroundWindow(window);
    platform::setFullScreen(window, fullScreenFlags);
    platform::moveWindow(window, monitor.left, monitor.top, monitor.right, monitor.bottom, true);
    return true;
}

platform::Rect NativeShell::FramedOuterRect() const {
    platform::Rect client;
    client.left = config->defaultPosition != 0 ? defaultWindowX : limited(config->windowX);
    client.top = config->defaultPosition != 0 ? defaultWindowY : limited(config->windowY);
    client.right = client.left + limited(config->width);
    client.bottom = client.top + limited(config->height);
    return platform::framedOuterRect(client, platform::styleFramed);
}

bool NativeShell::CreateFramedWindow() {
    platform::Rect outer = FramedOuterRect();
    window = platform::createWindow(className, title, platform::styleVisible | platform::styleFramed,
                                    outer.left, outer.top, outer.width(), outer.height(), instance);
    if (window == nullptr) {
        return false;
    }
    const platform::Rect monitor = platform::monitorRect(window);
    if (config->fitToScreen != 0) {
        // Each side floors at one pixel, and the halving ends when it changes nothing: a frame larger than
        // the screen can never fit.
        while (outer.width() > monitor.width() || outer.height() > monitor.height()) {
            const int halfWidth = std::max(1, config->width / 2);
            const int halfHeight = std::max(1, config->height / 2);
            if (halfWidth == config->width && halfHeight == config->height) {
                break;
            }
            config->width = halfWidth;
            config->height = halfHeight;
            outer = FramedOuterRect();
        }
        platform::setWindowPos(window, platform::WindowOrder::Unchanged, 0, 0, outer.width(), outer.height(),
                               platform::positionNoMove | platform::positionNoZOrder);
    }
    CentreWindow(window);
    return true;
}

void NativeShell::CentreWindow(platform::Window* target) {
    const platform::Rect outer = platform::windowRect(target);
    const platform::Rect monitor = platform::monitorRect(target);
    // A window larger than the screen keeps its top left corner on the screen.
    const int x = monitor.right > outer.width() ? (monitor.right - outer.width()) / 2 : 0;
    const int y = monitor.bottom > outer.height() ? (monitor.bottom - outer.height()) / 2 : 0;
    platform::setWindowPos(target, platform::WindowOrder::Unchanged, x, y, 0, 0,
                           platform::positionNoSize | platform::positionNoZOrder |
                               platform::positionNoActivate);
}

void NativeShell::PresentFrame() {
    if (!eglSwapBuffers(display, surface)) {
        if (eglGetError() == EGL_CONTEXT_LOST && powerManagement != 0) {
            frameLost = 1;
            config->contextRecovering = 1;
            application->OnViewRelease();
            ReleaseEGL();
            if (InitEGL(window)) {
                application->OnViewCreate(config->width, config->height);
            }
            config->contextRecovering = 0;
        } else {
            ShellApplication::OutputDebug("eglSwapBuffers failed\n");
        }
    }

    platform::Message message;
    while (platform::peekMessage(message)) {
        if (message.type == platform::MessageType::Quit) {
            quit = 1;
            break;
        }
        platform::translateMessage(message);
        platform::dispatchMessage(message);
    }
}

void NativeShell::ReleaseContext() {
    ReleaseEGL();
}

void NativeShell::RunMainLoop() {
    if (loopStartTime == 0 || loopStartTimeline != platform::clockTimeline()) {
        loopStartTime = platform::tickCountMs();
        loopStartTimeline = platform::clockTimeline();
    }
    for (;;) {
        if (!application->OnFrame()) {
            return;
        }
        if (quit != 0) {
            return;
        }
        PresentFrame();
        if (frameLost != 0) {
            // That frame was not presented: it does not count, and the limits are tested after the next.
            frameLost = 0;
            continue;
        }
        if (config->quitAfterFrame >= 0 && config->frameCount >= config->quitAfterFrame) {
            return;
        }
        if (config->quitAfterTime >= 0.0f) {
            const float elapsed = static_cast<float>(platform::tickCountMs() - loopStartTime) * 0.001f;
            if (elapsed >= config->quitAfterTime) {
                return;
            }
        }
        ++config->frameCount;
    }
}

std::intptr_t NativeShell::WindowProc(platform::Window* window, platform::MessageType message,
                                      std::uintptr_t wParam, std::intptr_t lParam) {
    const auto* settings = static_cast<const ShellConfig*>(platform::windowUserData(window));
    switch (message) {
    case platform::MessageType::Close:
    case platform::MessageType::Destroy:
        platform::postQuitMessage(0);
        return 0;
    case platform::MessageType::Paint:
        platform::beginPaint(window);
        platform::endPaint(window);
        return 0;
    case platform::MessageType::Size:
        return 0;
    case platform::MessageType::KeyDown:
        if (wParam == platform::keyEscape) {
            platform::postQuitMessage(0);
        }
        return 0;
    case platform::MessageType::LeftButtonDown:
        if (settings != nullptr && settings->fullScreen != 0) {
            platform::postQuitMessage(0);
        }
        return 0;
    default:
        return platform::defaultWindowProcedure(window, message, wParam, lParam);
    }
}
