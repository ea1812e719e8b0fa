#include "platform/window/wayland/wayland_toplevel.h"

#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <algorithm>
#include <wayland-egl.h>

namespace platform::wayland {

namespace {

Toplevel& toplevelOf(void* data) {
    return *static_cast<Toplevel*>(data);
}

} // namespace

Toplevel::Toplevel(Window& window, std::deque<Message>& messages, wl_compositor* compositor)
    : window(&window), messages(messages), compositor(compositor) {}

Toplevel::~Toplevel() {
    if (frame) {
        wl_callback_destroy(frame);
    }
    if (decoration) {
        zxdg_toplevel_decoration_v1_destroy(decoration);
    }
    if (egl) {
        wl_egl_window_destroy(egl);
    }
    if (toplevel) {
        xdg_toplevel_destroy(toplevel);
    }
    if (shellSurface) {
        xdg_surface_destroy(shellSurface);
    }
    if (surface) {
        wl_surface_destroy(surface);
    }
}

void Toplevel::sizeSurface() {
    const Rect client = clientRect(window);
    if (!egl || client.width() <= 0 || client.height() <= 0) {
        return;
    }
    wl_egl_window_resize(egl, client.width(), client.height(), 0, 0);
    wl_region* region = wl_compositor_create_region(compositor);
    wl_region_add(region, 0, 0, client.width(), client.height());
    wl_surface_set_opaque_region(surface, region);
    wl_region_destroy(region);
}

wl_egl_window* Toplevel::eglWindow() {
    if (!egl) {
        const Rect client = clientRect(window);
        egl = wl_egl_window_create(surface, std::max(1, client.width()), std::max(1, client.height()));
        sizeSurface();
    }
    return egl;
}

void Toplevel::applyConfigure() {
    const Rect client = clientScreenRect(*window);
    if (askedWidth <= 0 || askedHeight <= 0 ||
        (askedWidth == client.width() && askedHeight == client.height())) {
        return;
    }
    window->outer.right += askedWidth - client.width();
    window->outer.bottom += askedHeight - client.height();
    sizeSurface();
    if (!quiet) {
        messages.push_back({window, MessageType::Size, 0, packPair(askedWidth, askedHeight)});
    }
}

// Listeners are filled member by member: their structs grow with the library's version, and events of
// versions newer than the one bound never arrive.
const wl_surface_listener Toplevel::surfaceListener = [] {
    wl_surface_listener l{};
    l.enter = [](void* data, wl_surface*, wl_output* output) { toplevelOf(data).output = output; };
    l.leave = [](void* data, wl_surface*, wl_output* output) {
        if (toplevelOf(data).output == output) {
            toplevelOf(data).output = nullptr;
        }
    };
    return l;
}();

const xdg_surface_listener Toplevel::shellSurfaceListener = [] {
    xdg_surface_listener l{};
    l.configure = [](void* data, xdg_surface* shellSurface, std::uint32_t serial) {
        Toplevel& t = toplevelOf(data);
        xdg_surface_ack_configure(shellSurface, serial);
        t.configured = true;
        t.fullScreenShown = t.askedFullScreen;
        t.applyConfigure();
    };
    return l;
}();

const xdg_toplevel_listener Toplevel::toplevelListener = [] {
    xdg_toplevel_listener l{};
    l.configure = [](void* data, xdg_toplevel*, std::int32_t width, std::int32_t height, wl_array* states) {
        Toplevel& t = toplevelOf(data);
        t.askedWidth = width;
        t.askedHeight = height;
        const auto* state = static_cast<const std::uint32_t*>(states->data);
        const std::size_t count = states->size / sizeof *state;
        t.askedFullScreen = std::find(state, state + count, XDG_TOPLEVEL_STATE_FULLSCREEN) != state + count;
    };
    l.close = [](void* data, xdg_toplevel*) {
        Toplevel& t = toplevelOf(data);
        t.messages.push_back({t.window, MessageType::Close, 0, 0});
    };
    return l;
}();

const wl_callback_listener Toplevel::frameListener = [] {
    wl_callback_listener l{};
    l.done = [](void* data, wl_callback* callback, std::uint32_t) {
        wl_callback_destroy(callback);
        toplevelOf(data).frame = nullptr;
    };
    return l;
}();

} // namespace platform::wayland
