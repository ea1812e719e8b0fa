#pragma once
// One window of the wayland backend as an xdg-shell toplevel: its surface and EGL window, the compositor's
// configure events and close request, and the frame callback that paces its presentation.
#include "platform/window/window_state.h"

#include <deque>
#include <wayland-client.h>

struct wl_egl_window;
struct xdg_surface;
struct xdg_toplevel;
struct zxdg_toplevel_decoration_v1;
struct xdg_surface_listener;
struct xdg_toplevel_listener;

namespace platform::wayland {

struct Toplevel {
    Toplevel(Window& window, std::deque<Message>& messages, wl_compositor* compositor);
    // Destroys the surfaces and the EGL window.
    ~Toplevel();
    Toplevel(const Toplevel&) = delete;
    Toplevel& operator=(const Toplevel&) = delete;

    // The EGL window follows the client size; the surface is opaque (an alpha channel in the frames is
    // not a see-through window, as on x11).
    void sizeSurface();
    // Makes the EGL window, of the client size, if there is none yet.
    wl_egl_window* eglWindow();

    // The listeners, with a Toplevel as their data.
    static const wl_surface_listener surfaceListener;
    static const xdg_surface_listener shellSurfaceListener;
    static const xdg_toplevel_listener toplevelListener;
    static const wl_callback_listener frameListener;

    Window* window;
    std::deque<Message>& messages;
    wl_compositor* compositor;
    wl_surface* surface = nullptr;
    xdg_surface* shellSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    zxdg_toplevel_decoration_v1* decoration = nullptr;
    wl_egl_window* egl = nullptr;
    wl_callback* frame = nullptr; // the frame callback of the last commit, until the compositor answers
    wl_output* output = nullptr;  // the output the surface was last seen on
    // The latest toplevel configure: a size (0: the program chooses) and the full-screen state.
    int askedWidth = 0;
    int askedHeight = 0;
    bool askedFullScreen = false;
    bool configured = false;      // a configure has been acknowledged
    bool fullScreenShown = false; // the compositor shows the window full-screen
    bool quiet = false;           // resizes send no size message (the window system sends its own)

private:
    // A configure was acknowledged: the window takes the size the compositor asked for, if it asked.
    void applyConfigure();
};

} // namespace platform::wayland
