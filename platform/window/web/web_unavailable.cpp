// A native build: the web backend is the web build's (Emscripten's), whose window is a page's canvas.
#include "platform/window/window_state.h"

namespace platform {

std::unique_ptr<WindowBackend> makeWebBackend(const HeadlessSettings&, std::string& error) {
    error = "the web backend is the web build's (scripts/build-web), in a browser";
    return nullptr;
}

} // namespace platform
