// The web build's backend: the page's canvas, whatever the command line says.
#include "platform/window/window_backend.h"

namespace platform {

void selectDefaultWindowBackend(const HeadlessSettings& headless) {
    std::string error;
    selectWindowBackend(WindowBackendKind::Web, headless, error);
}

} // namespace platform
