#include "platform/window/wayland/wayland_connection.h"

#include "platform/interruption.h"
#include "platform/window/window_backend.h"
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string_view>

namespace platform::wayland {

namespace {

// libwayland prints its complaints (a request it could not send, the compositor's error message) on
// standard error; the last one is kept for the line that reports a lost connection instead.
std::string libraryMessage;

void keepLibraryMessage(const char* format, va_list arguments) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    libraryMessage = text;
    while (!libraryMessage.empty() && (libraryMessage.back() == '\n' || libraryMessage.back() == ' ')) {
        libraryMessage.pop_back();
    }
}

// A connection that an EGL display was made on stays open: the library may still use it until the
// process ends. Held here so that it stays reachable.
std::vector<wl_display*> keptOpen;

template <typename T>
T* bind(wl_registry* registry, std::uint32_t name, const wl_interface& interface, std::uint32_t offered,
        std::uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

void syncDone(void* data, wl_callback* callback, std::uint32_t) {
    *static_cast<bool*>(data) = true;
    wl_callback_destroy(callback);
}

const wl_callback_listener syncListener = {syncDone};

} // namespace

Rect Output::logical() const {
    int width = modeWidth;
    int height = modeHeight;
    if (transform & 1) { // the 90 and 270 degree transforms, flipped or not
        std::swap(width, height);
    }
    const int by = scale > 0 ? scale : 1;
    return {0, 0, width / by, height / by};
}

const wl_registry_listener Connection::registryListener = [] {
    wl_registry_listener l{};
    l.global = [](void* data, wl_registry*, std::uint32_t name, const char* interface,
                  std::uint32_t version) {
        static_cast<Connection*>(data)->bindGlobal(name, interface, version);
    };
    l.global_remove = [](void* data, wl_registry*, std::uint32_t name) {
        static_cast<Connection*>(data)->removeGlobal(name);
    };
    return l;
}();

const wl_output_listener Connection::outputListener = [] {
    wl_output_listener l{};
    l.geometry = [](void* data, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                    std::int32_t, const char*, const char*,
                    std::int32_t transform) { static_cast<Output*>(data)->transform = transform; };
    l.mode = [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height,
                std::int32_t) {
        if (flags & WL_OUTPUT_MODE_CURRENT) {
            static_cast<Output*>(data)->modeWidth = width;
            static_cast<Output*>(data)->modeHeight = height;
        }
    };
    l.done = [](void*, wl_output*) {};
    l.scale = [](void* data, wl_output*, std::int32_t factor) { static_cast<Output*>(data)->scale = factor; };
    return l;
}();

// The compositor checks that the program is alive.
const xdg_wm_base_listener Connection::shellListener = [] {
    xdg_wm_base_listener l{};
    l.ping = [](void*, xdg_wm_base* shell, std::uint32_t serial) { xdg_wm_base_pong(shell, serial); };
    return l;
}();

std::unique_ptr<Connection> Connection::open(SurfaceWindow windowOf, std::string& error) {
    wl_log_set_handler_client(keepLibraryMessage);
    libraryMessage.clear();
    wl_display* display = wl_display_connect(nullptr);
    const char* variable = std::getenv("WAYLAND_DISPLAY");
    const std::string name = variable && *variable ? variable : "wayland-0";
    if (!display) {
        const int failure = errno;
        error = "cannot connect to the Wayland compositor \"" + name + "\" (" +
                (libraryMessage.empty() ? std::strerror(failure) : libraryMessage) + ")";
        return nullptr;
    }
    std::unique_ptr<Connection> connection(new Connection(display, windowOf));
    // The globals, then the first events of the objects bound to them (the outputs' modes, the seat's
    // devices).
    if (!connection->roundtrip(kDisplayAnswerLimit) || !connection->roundtrip(kDisplayAnswerLimit)) {
        error = interruptions() > 0 ? "cannot connect to the Wayland compositor \"" + name + "\": interrupted"
                                    : "the Wayland compositor does not answer";
        return nullptr;
    }
    if (!connection->compositor_ || !connection->shell_) {
        error = "the Wayland compositor offers no xdg-shell (xdg_wm_base), which the program's windows need";
        return nullptr;
    }
    connection->reporting_ = true;
    return connection;
}

Connection::Connection(wl_display* display, SurfaceWindow windowOf)
    : display_(display), input_(messages_, windowOf) {
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &registryListener, this);
}

Connection::~Connection() {
    input_.detach();
    if (seat_) {
        wl_seat_destroy(seat_);
    }
    for (const auto& output : outputs_) {
        wl_output_destroy(output->proxy);
    }
    if (decorations_) {
        zxdg_decoration_manager_v1_destroy(decorations_);
    }
    if (shell_) {
        xdg_wm_base_destroy(shell_);
    }
    if (compositor_) {
        wl_compositor_destroy(compositor_);
    }
    wl_registry_destroy(registry_);
    if (keepOpen_) {
        wl_display_flush(display_);
        keptOpen.push_back(display_);
    } else {
        wl_display_disconnect(display_);
    }
}

void Connection::bindGlobal(std::uint32_t name, const char* interface, std::uint32_t version) {
    const std::string_view kind = interface;
    if (kind == wl_compositor_interface.name && !compositor_) {
        compositor_ = bind<wl_compositor>(registry_, name, wl_compositor_interface, version, 4);
    } else if (kind == xdg_wm_base_interface.name && !shell_) {
        shell_ = bind<xdg_wm_base>(registry_, name, xdg_wm_base_interface, version, 1);
        xdg_wm_base_add_listener(shell_, &shellListener, this);
    } else if (kind == zxdg_decoration_manager_v1_interface.name && !decorations_) {
        decorations_ = bind<zxdg_decoration_manager_v1>(registry_, name, zxdg_decoration_manager_v1_interface,
                                                        version, 1);
    } else if (kind == wl_output_interface.name) {
        auto output = std::make_unique<Output>();
        output->name = name;
        output->proxy = bind<wl_output>(registry_, name, wl_output_interface, version, 2);
        wl_output_add_listener(output->proxy, &outputListener, output.get());
        outputs_.push_back(std::move(output));
    } else if (kind == wl_seat_interface.name && !seat_) {
        seat_ = bind<wl_seat>(registry_, name, wl_seat_interface, version, 5);
        seatName_ = name;
        input_.attach(seat_);
    }
}

void Connection::removeGlobal(std::uint32_t name) {
    if (seat_ && name == seatName_) {
        input_.detach();
        wl_seat_destroy(seat_);
        seat_ = nullptr;
    }
    const auto gone =
        std::find_if(outputs_.begin(), outputs_.end(),
                     [name](const std::unique_ptr<Output>& output) { return output->name == name; });
    if (gone != outputs_.end()) {
        wl_output_destroy((*gone)->proxy);
        outputs_.erase(gone);
    }
}

bool Connection::dispatch() {
    return readEvents(0);
}

bool Connection::waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        // A signal ends the run: nothing is waited for any more.
        if (interruptions() > 0) {
            return false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !readEvents(static_cast<int>(left.count()) + 1)) {
            return done();
        }
    }
    return true;
}

bool Connection::roundtrip(std::chrono::milliseconds limit) {
    bool answered = false;
    wl_callback* callback = wl_display_sync(display_);
    wl_callback_add_listener(callback, &syncListener, &answered);
    if (!waitUntil([&answered] { return answered; }, limit)) {
        wl_callback_destroy(callback);
        return false;
    }
    return true;
}

bool Connection::readEvents(int timeoutMs) {
    if (lost_) {
        return false;
    }
    while (wl_display_prepare_read(display_) != 0) {
        if (wl_display_dispatch_pending(display_) < 0) {
            return failed();
        }
    }
    if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
        const int failure = errno;
        wl_display_cancel_read(display_);
        lose(std::strerror(failure));
        return false;
    }
    pollfd watched[2] = {{wl_display_get_fd(display_), POLLIN, 0}, {interruptionFd(), POLLIN, 0}};
    if (poll(watched, 2, timeoutMs) > 0 && watched[0].revents) {
        if (wl_display_read_events(display_) < 0) {
            return failed();
        }
    } else {
        wl_display_cancel_read(display_);
    }
    return wl_display_dispatch_pending(display_) >= 0 || failed();
}

bool Connection::failed() {
    const int failure = wl_display_get_error(display_);
    if (failure == EPROTO && !libraryMessage.empty()) {
        lose("protocol error: " + libraryMessage);
    } else {
        lose(std::strerror(failure ? failure : EPIPE));
    }
    return false;
}

void Connection::lose(const std::string& reason) {
    if (lost_) {
        return;
    }
    lost_ = true;
    if (reporting_) {
        std::fprintf(stderr, "nymbus: lost the connection to the Wayland compositor (%s); ending the run\n",
                     reason.c_str());
        std::fflush(stderr);
    }
}

} // namespace platform::wayland
