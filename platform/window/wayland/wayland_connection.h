#pragma once
// The connection to a Wayland compositor: the globals the backend uses, waiting for events with a time
// limit, and noticing (once, with one line on standard error) that the compositor has gone away.
#include "platform/window/wayland/wayland_input.h"
#include "platform/window/window.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct xdg_wm_base;
struct zxdg_decoration_manager_v1;
struct xdg_wm_base_listener;

namespace platform::wayland {

struct Output {
    wl_output* proxy = nullptr;
    std::uint32_t name = 0;
    int modeWidth = 0;
    int modeHeight = 0;
    int scale = 1;
    std::int32_t transform = 0;
    // The size a full-screen surface gets on it: the mode turned by the transform, divided by the scale.
    Rect logical() const;
};

class Connection {
public:
    // Connects to the compositor named by WAYLAND_DISPLAY (or the default socket) and binds the globals.
    // Returns null, with the reason in `error`, if there is no compositor or it lacks xdg_wm_base.
    static std::unique_ptr<Connection> open(SurfaceWindow windowOf, std::string& error);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    wl_display* display() const { return display_; }
    wl_compositor* compositor() const { return compositor_; }
    xdg_wm_base* shell() const { return shell_; }
    zxdg_decoration_manager_v1* decorations() const { return decorations_; }
    const std::vector<std::unique_ptr<Output>>& outputs() const { return outputs_; }
    SeatInput& input() { return input_; }
    // The messages the listeners have made, for the window system's queue.
    std::deque<Message>& messages() { return messages_; }

    // Reads and dispatches what has arrived, without waiting. False once the connection is lost.
    bool dispatch();
    // Dispatches events until `done` holds, the time is up or the connection is lost; returns `done()`.
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
    // Waits until the compositor has handled every request sent so far.
    bool roundtrip(std::chrono::milliseconds limit);

    // The compositor went away or ended the connection: reported once on standard error.
    bool lost() const { return lost_; }
    // An EGL display was made on the connection: it stays open when this object goes.
    void keepOpen() { keepOpen_ = true; }

private:
    Connection(wl_display* display, SurfaceWindow windowOf);
    bool readEvents(int timeoutMs);
    bool failed();
    void lose(const std::string& reason);
    void bindGlobal(std::uint32_t name, const char* interface, std::uint32_t version);
    void removeGlobal(std::uint32_t name);

    static const wl_registry_listener registryListener;
    static const wl_output_listener outputListener;
    static const xdg_wm_base_listener shellListener;

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    xdg_wm_base* shell_ = nullptr;
    zxdg_decoration_manager_v1* decorations_ = nullptr;
    wl_seat* seat_ = nullptr;
    std::uint32_t seatName_ = 0;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::deque<Message> messages_;
    SeatInput input_;
    bool lost_ = false;
    bool reporting_ = false;
    bool keepOpen_ = false;
};

} // namespace platform::wayland
