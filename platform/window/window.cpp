#include "platform/window/window.h"

#include "platform/window/window_state.h"

#include <algorithm>
#include <csignal>
#include <map>
#include <vector>

namespace platform {

namespace {

struct WindowSystem {
    WindowBackendKind kind = WindowBackendKind::Headless;
    std::unique_ptr<WindowBackend> backend;
    std::map<std::wstring, WindowClass> classes;
    std::vector<std::unique_ptr<Window>> windows;
    std::deque<Message> queue;
    Window* foreground = nullptr;
};

WindowSystem& windowSystem() {
    static WindowSystem s;
    return s;
}

WindowBackend& backend() {
    auto& s = windowSystem();
    if (!s.backend) {
        s.backend = makeHeadlessBackend(HeadlessSettings{});
        gles::setNativeWindowing(s.backend.get());
    }
    return *s.backend;
}

// The quit message may be posted from a signal handler: only these two are touched there.
volatile std::sig_atomic_t quitPosted = 0;
volatile std::sig_atomic_t quitCode = 0;

void post(Window* window, MessageType type, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    windowSystem().queue.push_back({window, type, wParam, lParam});
}

void invalidate(Window* window) {
    if (!window->paintPending) {
        window->paintPending = true;
        post(window, MessageType::Paint);
    }
}

bool alive(const Window* window) {
    return window && !window->destroyed;
}

void destroyWindow(Window* window) {
    if (!alive(window)) {
        return;
    }
    window->destroyed = true;
    window->visible = false;
    backend().destroy(*window);
    window->procedure(window, MessageType::Destroy, 0, 0);
    if (windowSystem().foreground == window) {
        windowSystem().foreground = nullptr;
    }
}

} // namespace

std::intptr_t packPair(int low, int high) {
    return static_cast<std::intptr_t>((static_cast<unsigned>(low) & 0xFFFF) |
                                      (static_cast<unsigned>(high) & 0xFFFF) << 16);
}

Rect clientScreenRect(const Window& window) {
    if (!(window.style & styleCaption) || window.fullScreen) {
        return window.outer;
    }
    const Rect b = backend().frameBorders();
    return {window.outer.left + b.left, window.outer.top + b.top, window.outer.right - b.right,
            window.outer.bottom - b.bottom};
}

bool selectWindowBackend(WindowBackendKind kind, const HeadlessSettings& headless, std::string& error) {
    std::unique_ptr<WindowBackend> next = kind == WindowBackendKind::Wayland ? makeWaylandBackend(error)
                                          : kind == WindowBackendKind::X11   ? makeX11Backend(error)
                                          : kind == WindowBackendKind::Web   ? makeWebBackend(headless, error)
                                                                             : makeHeadlessBackend(headless);
    if (!next) {
        return false;
    }
    auto& s = windowSystem();
    for (auto& w : s.windows) {
        if (alive(w.get()) && s.backend) {
            w->destroyed = true;
            s.backend->destroy(*w);
        }
    }
    s.windows.clear();
    s.queue.clear();
    s.foreground = nullptr;
    s.classes.clear();
    gles::setNativeWindowing(next.get());
    s.backend = std::move(next);
    s.kind = kind;
    return true;
}

WindowBackendKind windowBackend() {
    return windowSystem().kind;
}

bool windowSystemLost() {
    return backend().connectionLost();
}

const char* windowBackendName(WindowBackendKind kind) {
    switch (kind) {
    case WindowBackendKind::X11:
        return "x11";
    case WindowBackendKind::Wayland:
        return "wayland";
    case WindowBackendKind::Headless:
        return "headless";
    case WindowBackendKind::Web:
        return "web";
    }
    return "unknown";
}

void windowFramePresented(int frame) {
    backend();
    auto& s = windowSystem();
    s.backend->framePresented(frame, alive(s.foreground) ? s.foreground : nullptr, s.queue);
}

bool registerWindowClass(const WindowClass& windowClass) {
    if (!windowClass.name || !windowClass.procedure) {
        return false;
    }
    return windowSystem().classes.emplace(windowClass.name, windowClass).second;
}

Window* createWindow(const wchar_t* className, const wchar_t* title, unsigned style, int x, int y, int width,
                     int height, void*) {
    auto& s = windowSystem();
    const auto found = className ? s.classes.find(className) : s.classes.end();
    if (found == s.classes.end() || width < 0 || height < 0) {
        return nullptr;
    }
    auto window = std::make_unique<Window>();
    window->className = className;
    window->title = title ? title : L"";
    window->procedure = found->second.procedure;
    window->style = style;
    window->outer = {x, y, x + width, y + height};
    window->deviceContext.window = window.get();
    if (!backend().create(*window)) {
        return nullptr;
    }
    Window* made = window.get();
    s.windows.push_back(std::move(window));
    s.foreground = made;
    if (style & styleVisible) {
        showWindow(made, showNormal);
    }
    return made;
}

Rect framedOuterRect(const Rect& client, unsigned style) {
    if (!(style & styleCaption)) {
        return client;
    }
    const Rect b = backend().frameBorders();
    return {client.left - b.left, client.top - b.top, client.right + b.right, client.bottom + b.bottom};
}

Rect monitorRect(const Window* window) {
    return backend().screenRect(window);
}

bool setWindowPos(Window* window, WindowOrder order, int x, int y, int width, int height, unsigned flags) {
    if (!alive(window)) {
        return false;
    }
    const Rect before = window->outer;
    if (!(flags & positionNoMove)) {
        window->outer = {x, y, x + window->outer.width(), y + window->outer.height()};
    }
    if (!(flags & positionNoSize)) {
        window->outer.right = window->outer.left + width;
        window->outer.bottom = window->outer.top + height;
    }
    if (!(flags & positionNoZOrder) && order == WindowOrder::Topmost) {
        window->topmost = true;
    }
    if (!(flags & positionNoActivate)) {
        windowSystem().foreground = window;
    }
    backend().place(*window);
    if (window->outer.width() != before.width() || window->outer.height() != before.height()) {
        const Rect client = clientRect(window);
        post(window, MessageType::Size, 0, packPair(client.width(), client.height()));
    }
    return true;
}

bool moveWindow(Window* window, int x, int y, int width, int height, bool repaint) {
    if (!setWindowPos(window, WindowOrder::Unchanged, x, y, width, height,
                      positionNoZOrder | positionNoActivate)) {
        return false;
    }
    if (repaint) {
        invalidate(window);
    }
    return true;
}

Rect windowRect(const Window* window) {
    return alive(window) ? window->outer : Rect{};
}

Rect clientRect(const Window* window) {
    if (!alive(window)) {
        return {};
    }
    const Rect c = clientScreenRect(*window);
    return {0, 0, std::max(0, c.width()), std::max(0, c.height())};
}

bool showWindow(Window* window, int command) {
    if (!alive(window)) {
        return false;
    }
    const bool wasVisible = window->visible;
    window->visible = command != showHide;
    backend().show(*window);
    if (window->visible && !window->shownOnce) {
        window->shownOnce = true;
        const Rect client = clientRect(window);
        post(window, MessageType::Size, 0, packPair(client.width(), client.height()));
        invalidate(window);
    }
    return wasVisible;
}

bool updateWindow(Window* window) {
    if (!alive(window)) {
        return false;
    }
    if (window->paintPending) {
        window->procedure(window, MessageType::Paint, 0, 0);
    }
    return true;
}

bool setForegroundWindow(Window* window) {
    if (!alive(window)) {
        return false;
    }
    windowSystem().foreground = window;
    backend().place(*window);
    return true;
}

bool setFullScreen(Window* window, unsigned flags) {
    if (!alive(window)) {
        return false;
    }
    if (flags & (fullScreenHideTaskBar | fullScreenHideInputPanel | fullScreenHideStartIcon)) {
        const Rect before = clientRect(window);
        window->fullScreen = true;
        backend().makeFullScreen(*window);
        const Rect client = clientRect(window);
        if (client != before) {
            post(window, MessageType::Size, 0, packPair(client.width(), client.height()));
        }
    }
    return true;
}

void* setWindowUserData(Window* window, void* data) {
    if (!window) {
        return nullptr;
    }
    void* previous = window->userData;
    window->userData = data;
    return previous;
}

void* windowUserData(const Window* window) {
    return window ? window->userData : nullptr;
}

DeviceContext* windowDeviceContext(Window* window) {
    return window ? &window->deviceContext : nullptr;
}

bool peekMessage(Message& message) {
    auto& s = windowSystem();
    backend().poll(s.queue);
    while (!s.queue.empty()) {
        message = s.queue.front();
        s.queue.pop_front();
        if (message.window && (message.window->destroyed ||
                               (message.type == MessageType::Paint && !message.window->paintPending))) {
            continue;
        }
        return true;
    }
    if (quitPosted) {
        quitPosted = 0;
        message = {nullptr, MessageType::Quit, static_cast<std::uintptr_t>(quitCode), 0};
        return true;
    }
    return false;
}

void translateMessage(const Message&) {}

std::intptr_t dispatchMessage(const Message& message) {
    if (!alive(message.window)) {
        return 0;
    }
    return message.window->procedure(message.window, message.type, message.wParam, message.lParam);
}

void postQuitMessage(int exitCode) {
    quitCode = exitCode;
    quitPosted = 1;
}

std::intptr_t defaultWindowProcedure(Window* window, MessageType type, std::uintptr_t, std::intptr_t) {
    if (type == MessageType::Close) {
        destroyWindow(window);
    } else if (type == MessageType::Paint && window) {
        window->paintPending = false;
    }
    return 0;
}

void beginPaint(Window* window) {
    if (window) {
        window->paintPending = false;
    }
}

void endPaint(Window*) {}

const wchar_t* windowTitle(const Window* window) {
    return window ? window->title.c_str() : L"";
}

bool windowVisible(const Window* window) {
    return alive(window) && window->visible;
}

bool windowFullScreen(const Window* window) {
    return alive(window) && window->fullScreen;
}

} // namespace platform
