// The wayland backend: windows as xdg-shell toplevels of a Wayland compositor, EGL on the Wayland platform
// with a wl_egl_window per window, the seat's input, and presentation paced by the compositor's frame
// callbacks.
#include "platform/utf8.h"
#include "platform/window/wayland/wayland_connection.h"
#include "platform/window/wayland/wayland_toplevel.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <cstdio>
#include <map>

namespace platform {

namespace {

using namespace std::chrono_literals;
using wayland::Toplevel;

// How long a new window may wait for its first configure event, and a full-screen request for its answer.
constexpr auto configureLimit = 5000ms;
// How long a swap waits for the compositor to have shown the previous frame. A compositor withholds frame
// callbacks from a surface nobody sees; the program then goes on at about ten frames a second.
constexpr auto frameLimit = 100ms;

Window* windowOfSurface(wl_surface* surface) {
    const auto* toplevel =
        surface ? static_cast<const Toplevel*>(wl_surface_get_user_data(surface)) : nullptr;
    return toplevel ? toplevel->window : nullptr;
}

class WaylandBackend final : public WindowBackend {
public:
    explicit WaylandBackend(std::unique_ptr<wayland::Connection> connection)
        : connection_(std::move(connection)) {}
    ~WaylandBackend() override {
        toplevels_.clear();
        wl_display_flush(connection_->display());
    }

    // The compositor draws server-side decorations outside the surface, if at all: the client area is the
    // whole window.
    Rect frameBorders() override { return {}; }

    Rect screenRect(const Window* window) override {
        const Toplevel* t = find(window);
        if (t && t->fullScreenShown && t->askedWidth > 0 && t->askedHeight > 0) {
            return {0, 0, t->askedWidth, t->askedHeight};
        }
        const wayland::Output* chosen = nullptr;
        for (const auto& output : connection_->outputs()) {
            if (output->modeWidth > 0 && (!chosen || (t && output->proxy == t->output))) {
                chosen = output.get();
            }
        }
        // A compositor without outputs shows nothing; the headless screen's size stands in.
        return chosen ? chosen->logical() : Rect{0, 0, 640, 480};
    }

    bool create(Window& window) override {
        auto made = std::make_unique<Toplevel>(window, connection_->messages(), connection_->compositor());
        Toplevel& t = *made;
        t.quiet = true; // the first showing sends the size
        t.surface = wl_compositor_create_surface(connection_->compositor());
        wl_surface_add_listener(t.surface, &Toplevel::surfaceListener, &t);
        t.shellSurface = xdg_wm_base_get_xdg_surface(connection_->shell(), t.surface);
        xdg_surface_add_listener(t.shellSurface, &Toplevel::shellSurfaceListener, &t);
        t.toplevel = xdg_surface_get_toplevel(t.shellSurface);
        xdg_toplevel_add_listener(t.toplevel, &Toplevel::toplevelListener, &t);
        xdg_toplevel_set_title(t.toplevel, toUtf8(window.title).c_str());
        xdg_toplevel_set_app_id(t.toplevel, toUtf8(window.className).c_str());
        if ((window.style & styleCaption) && connection_->decorations()) {
            t.decoration =
                zxdg_decoration_manager_v1_get_toplevel_decoration(connection_->decorations(), t.toplevel);
            zxdg_toplevel_decoration_v1_set_mode(t.decoration, ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
        }
        // The first commit, without a buffer, asks for the first configure; no buffer may be attached
        // before it is acknowledged.
        wl_surface_commit(t.surface);
        window.nativeId = reinterpret_cast<std::uintptr_t>(&t);
        toplevels_[&window] = std::move(made);
        if (!connection_->waitUntil([&t] { return t.configured; }, configureLimit)) {
            if (!connection_->lost()) {
                std::fputs("nymbus: the Wayland compositor did not configure the window\n", stderr);
            }
            destroy(window);
            return false;
        }
        t.quiet = false;
        return true;
    }

    void destroy(Window& window) override {
        connection_->input().forget(&window);
        toplevels_.erase(&window);
        window.nativeId = 0;
        wl_display_flush(connection_->display());
    }

    // Wayland clients neither place their windows nor raise them; only the size is theirs, and not even
    // that while full-screen.
    void place(Window& window) override {
        Toplevel* t = find(&window);
        if (!t) {
            return;
        }
        if (window.fullScreen && t->fullScreenShown && t->askedWidth > 0 && t->askedHeight > 0) {
            window.outer.right = window.outer.left + t->askedWidth;
            window.outer.bottom = window.outer.top + t->askedHeight;
        }
        t->sizeSurface();
    }

    // The surface appears with its first presented frame. Hiding it again is not offered: the program
    // never hides its window.
    void show(Window&) override {}

    void makeFullScreen(Window& window) override {
        Toplevel* t = find(&window);
        if (!t) {
            return;
        }
        xdg_toplevel_set_fullscreen(t->toplevel, nullptr);
        t->quiet = true;
        connection_->waitUntil([t] { return t->fullScreenShown; }, configureLimit);
        t->quiet = false;
        if (!t->fullScreenShown) {
            window.outer = screenRect(&window);
            t->sizeSurface();
        }
    }

    void poll(std::deque<Message>& queue) override {
        connection_->dispatch();
        take(queue);
    }

    void framePresented(int, Window*, std::deque<Message>& queue) override { take(queue); }

    bool connectionLost() const override { return connection_->lost(); }

    EGLenum eglPlatform() const override { return gles::eglPlatformWayland; }
    void* eglNativeDisplay(EGLNativeDisplayType) const override {
        connection_->keepOpen();
        return connection_->display();
    }
    bool pbufferWindow(EGLNativeWindowType, EGLint&, EGLint&) const override { return false; }
    void* eglNativeWindow(EGLNativeWindowType native) const override {
        Toplevel* t = find(static_cast<const Window*>(native));
        return t ? t->eglWindow() : nullptr;
    }

    // Presentation goes at the compositor's pace, with a time limit instead of the library's unbounded wait
    // (the swap interval is 0): the previous frame's callback is awaited, and the next one asked for with
    // this swap's commit.
    bool pacesFrames() const override { return true; }
    void beforeSwap(EGLNativeWindowType native) const override {
        Toplevel* t = find(static_cast<const Window*>(native));
        if (!t || connection_->lost()) {
            return;
        }
        if (t->frame) {
            connection_->waitUntil([t] { return t->frame == nullptr; }, frameLimit);
        }
        if (t->frame) {
            wl_callback_destroy(t->frame);
        }
        t->frame = wl_surface_frame(t->surface);
        wl_callback_add_listener(t->frame, &Toplevel::frameListener, t);
    }

private:
    Toplevel* find(const Window* window) const {
        const auto found = toplevels_.find(window);
        return found == toplevels_.end() ? nullptr : found->second.get();
    }

    void take(std::deque<Message>& queue) {
        auto& made = connection_->messages();
        queue.insert(queue.end(), made.begin(), made.end());
        made.clear();
        if (connection_->lost() && !quitPosted_) {
            quitPosted_ = true;
            postQuitMessage(1);
        }
    }

    std::unique_ptr<wayland::Connection> connection_;
    std::map<const Window*, std::unique_ptr<Toplevel>> toplevels_;
    bool quitPosted_ = false;
};

} // namespace

std::unique_ptr<WindowBackend> makeWaylandBackend(std::string& error) {
    auto connection = wayland::Connection::open(windowOfSurface, error);
    if (!connection) {
        return nullptr;
    }
    return std::make_unique<WaylandBackend>(std::move(connection));
}

} // namespace platform
