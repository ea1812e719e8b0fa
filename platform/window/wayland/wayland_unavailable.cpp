// A build without the Wayland client libraries: asking for the wayland backend says so.
#include "platform/window/window_state.h"

namespace platform {

std::unique_ptr<WindowBackend> makeWaylandBackend(std::string& error) {
    error = "this nymbus was built without its Wayland backend (install libwayland-dev, libwayland-bin, "
            "wayland-protocols and libxkbcommon-dev, then build again)";
    return nullptr;
}

} // namespace platform
