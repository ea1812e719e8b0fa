// The x11 backend: real windows through Xlib, EGL on the X11 platform with window surfaces.
#include "platform/interruption.h"
#include "platform/utf8.h"
#include "platform/window/window_state.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

// Used when the window manager does not say (_NET_FRAME_EXTENTS), e.g. when there is none.
constexpr Rect estimatedBorders{4, 24, 4, 4};

class X11Backend final : public WindowBackend {
public:
    explicit X11Backend(Display* display) : display_(display) {
        wmProtocols_ = atom("WM_PROTOCOLS");
        wmDeleteWindow_ = atom("WM_DELETE_WINDOW");
        netWmState_ = atom("_NET_WM_STATE");
        netWmStateFullScreen_ = atom("_NET_WM_STATE_FULLSCREEN");
        netWmStateAbove_ = atom("_NET_WM_STATE_ABOVE");
        netFrameExtents_ = atom("_NET_FRAME_EXTENTS");
        netWmName_ = atom("_NET_WM_NAME");
        utf8String_ = atom("UTF8_STRING");
    }
    ~X11Backend() override { XCloseDisplay(display_); }

    Rect frameBorders() override {
        for (const auto& [id, window] : windows_) {
            Rect borders;
            if (readFrameExtents(id, borders)) {
                return borders;
            }
        }
        return estimatedBorders;
    }

    Rect screenRect(const Window*) override {
        const int screen = DefaultScreen(display_);
        return {0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
    }

    bool create(Window& window) override {
        const Rect client = clientScreenRect(window);
        const int screen = DefaultScreen(display_);
        XSetWindowAttributes attributes{};
        attributes.background_pixel = BlackPixel(display_, screen);
        attributes.event_mask = KeyPressMask | ButtonPressMask | ExposureMask | StructureNotifyMask;
        const ::Window id =
            XCreateWindow(display_, RootWindow(display_, screen), client.left, client.top,
                          static_cast<unsigned>(client.width() > 0 ? client.width() : 1),
                          static_cast<unsigned>(client.height() > 0 ? client.height() : 1), 0, CopyFromParent,
                          InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
        if (!id) {
            return false;
        }
        window.nativeId = id;
        windows_[id] = &window;
        XSetWMProtocols(display_, id, &wmDeleteWindow_, 1);
        const std::string title = toUtf8(window.title);
        XChangeProperty(display_, id, netWmName_, utf8String_, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
        XStoreName(display_, id, title.c_str());
        // The window class names the program to desktops, as the Wayland app id does: a desktop entry's
        // StartupWMClass matches it.
        std::string className = toUtf8(window.className);
        XClassHint classHint{className.data(), className.data()};
        XSetClassHint(display_, id, &classHint);
        setSizeHints(window, client);
        XFlush(display_);
        return true;
    }

    void destroy(Window& window) override {
        windows_.erase(window.nativeId);
        XDestroyWindow(display_, window.nativeId);
        XFlush(display_);
    }

    void place(Window& window) override {
        const Rect client = clientScreenRect(window);
        setSizeHints(window, client);
        XMoveResizeWindow(display_, window.nativeId, client.left, client.top,
                          static_cast<unsigned>(client.width() > 0 ? client.width() : 1),
                          static_cast<unsigned>(client.height() > 0 ? client.height() : 1));
        if (window.topmost) {
            sendState(window, netWmStateAbove_);
        }
        XRaiseWindow(display_, window.nativeId);
        XFlush(display_);
    }

    void show(Window& window) override {
        if (window.visible) {
            XMapRaised(display_, window.nativeId);
        } else {
            XUnmapWindow(display_, window.nativeId);
        }
        XFlush(display_);
    }

    void makeFullScreen(Window& window) override {
        // Asked of the window manager, and done by hand too, in case there is none.
        const Atom fullScreen = netWmStateFullScreen_;
        XChangeProperty(display_, window.nativeId, netWmState_, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&fullScreen), 1);
        sendState(window, netWmStateFullScreen_);
        window.outer = screenRect(&window);
        place(window);
    }

    void poll(std::deque<Message>& queue) override {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            const auto found = windows_.find(event.xany.window);
            if (found == windows_.end()) {
                continue;
            }
            Window* window = found->second;
            translate(event, window, queue);
        }
    }

    void framePresented(int, Window*, std::deque<Message>&) override {}

    EGLenum eglPlatform() const override { return gles::eglPlatformX11; }
    void* eglNativeDisplay(EGLNativeDisplayType) const override { return display_; }
    bool pbufferWindow(EGLNativeWindowType, EGLint&, EGLint&) const override { return false; }
    void* eglNativeWindow(EGLNativeWindowType native) const override {
        return &static_cast<Window*>(native)->nativeId;
    }

private:
    Atom atom(const char* name) { return XInternAtom(display_, name, False); }

    bool readFrameExtents(::Window id, Rect& borders) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        const bool ok = XGetWindowProperty(display_, id, netFrameExtents_, 0, 4, False, XA_CARDINAL, &type,
                                           &format, &count, &after, &data) == Success &&
                        type == XA_CARDINAL && format == 32 && count == 4;
        if (ok) {
            const auto* v = reinterpret_cast<const long*>(data);
            borders = {static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                       static_cast<int>(v[3])};
        }
        if (data) {
            XFree(data);
        }
        return ok;
    }

    void setSizeHints(const Window& window, const Rect& client) {
        XSizeHints hints{};
        hints.flags = USPosition | USSize;
        hints.x = client.left;
        hints.y = client.top;
        hints.width = client.width();
        hints.height = client.height();
        if (!(window.style & styleSizingBorder)) {
            hints.flags |= PMinSize | PMaxSize;
            hints.min_width = hints.max_width = client.width();
            hints.min_height = hints.max_height = client.height();
        }
        XSetWMNormalHints(display_, window.nativeId, &hints);
    }

    void sendState(const Window& window, Atom state) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window.nativeId;
        event.xclient.message_type = netWmState_;
        event.xclient.format = 32;
        event.xclient.data.l[0] = 1; // add
        event.xclient.data.l[1] = static_cast<long>(state);
        event.xclient.data.l[3] = 1; // from an application
        XSendEvent(display_, DefaultRootWindow(display_), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }

    void translate(XEvent& event, Window* window, std::deque<Message>& queue) {
        switch (event.type) {
        case KeyPress: {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_Escape) {
                queue.push_back({window, MessageType::KeyDown, keyEscape, 0});
            } else if (key >= 0x20 && key < 0x7F) {
                queue.push_back({window, MessageType::KeyDown, static_cast<std::uintptr_t>(key), 0});
            }
            break;
        }
        case ButtonPress:
            if (event.xbutton.button == Button1) {
                queue.push_back(
                    {window, MessageType::LeftButtonDown, 0, packPair(event.xbutton.x, event.xbutton.y)});
            }
            break;
        case ClientMessage:
            if (event.xclient.message_type == wmProtocols_ &&
                static_cast<Atom>(event.xclient.data.l[0]) == wmDeleteWindow_) {
                queue.push_back({window, MessageType::Close, 0, 0});
            }
            break;
        case Expose:
            if (event.xexpose.count == 0 && !window->paintPending) {
                window->paintPending = true;
                queue.push_back({window, MessageType::Paint, 0, 0});
            }
            break;
        case ConfigureNotify: {
            const Rect client = clientScreenRect(*window);
            if (event.xconfigure.width != client.width() || event.xconfigure.height != client.height()) {
                window->outer.right += event.xconfigure.width - client.width();
                window->outer.bottom += event.xconfigure.height - client.height();
                queue.push_back({window, MessageType::Size, 0,
                                 packPair(event.xconfigure.width, event.xconfigure.height)});
            }
            break;
        }
        default:
            break;
        }
    }

    Display* display_;
    std::map<::Window, Window*> windows_;
    Atom wmProtocols_, wmDeleteWindow_, netWmState_, netWmStateFullScreen_, netWmStateAbove_,
        netFrameExtents_, netWmName_, utf8String_;
};

// Xlib's own handler ends the process on any protocol error (a window gone, a request the server
// refuses); one line is enough, the program goes on.
int reportXError(Display* display, XErrorEvent* event) {
    char text[128];
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "nymbus: X error: %s (request %d)\n", text, event->request_code);
    return 0;
}

// XOpenDisplay waits for the server's answer without a time limit (xcb reads the connection's set-up
// until it comes), so it runs on a thread of its own, which says when it is done through a pipe. If the
// answer does not come in time, or a signal ends the wait, the thread is left to wait on: it closes a
// display that opens too late, and ends with the process otherwise.
struct DisplayOpening {
    std::mutex mutex;
    Display* display = nullptr;
    bool abandoned = false;
    int done[2] = {-1, -1};
    ~DisplayOpening() {
        ::close(done[0]);
        ::close(done[1]);
    }
};

std::atomic<bool> openingLeftBehind{false};

// The display, or null with the reason in `error`.
Display* openDisplayWithin(std::chrono::milliseconds limit, const std::string& name, std::string& error) {
    auto opening = std::make_shared<DisplayOpening>();
    if (::pipe2(opening->done, O_CLOEXEC) != 0) {
        error = "cannot open the X display \"" + name + "\": " + std::strerror(errno);
        return nullptr;
    }
    std::thread([opening] {
        Display* display = XOpenDisplay(nullptr);
        std::lock_guard lock(opening->mutex);
        if (opening->abandoned && display) {
            XCloseDisplay(display);
        } else {
            opening->display = display;
        }
        const char byte = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(opening->done[1], &byte, 1);
    }).detach();
    pollfd watched[2] = {{opening->done[0], POLLIN, 0}, {interruptionFd(), POLLIN, 0}};
    int ready = 0;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    do {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        ready = ::poll(watched, 2, static_cast<int>(std::max<long long>(left.count(), 0)));
    } while (ready < 0 && errno == EINTR);
    std::lock_guard lock(opening->mutex);
    if (watched[0].revents) {
        if (!opening->display) {
            error = "cannot open the X display \"" + name + "\"";
        }
        return opening->display;
    }
    opening->abandoned = true;
    openingLeftBehind = true;
    error = watched[1].revents ? "cannot open the X display \"" + name + "\": interrupted"
                               : "the X display \"" + name + "\" does not answer (waited " +
                                     std::to_string(limit.count() / 1000) + " s)";
    return nullptr;
}

} // namespace

bool windowThreadLeftBehind() {
    return openingLeftBehind;
}

std::unique_ptr<WindowBackend> makeX11Backend(std::string& error) {
    XSetErrorHandler(reportXError);
    const char* name = std::getenv("DISPLAY");
    Display* display = openDisplayWithin(kDisplayAnswerLimit, name ? name : "", error);
    if (!display) {
        return nullptr;
    }
    return std::make_unique<X11Backend>(display);
}

} // namespace platform
