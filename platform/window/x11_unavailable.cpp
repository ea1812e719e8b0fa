// The web build: a browser has no X server.
#include "platform/window/window_state.h"

namespace platform {

bool windowThreadLeftBehind() {
    return false;
}

std::unique_ptr<WindowBackend> makeX11Backend(std::string& error) {
    error = "a browser has no X11 display";
    return nullptr;
}

} // namespace platform
