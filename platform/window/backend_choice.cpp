// The backend chosen when the command line names none.
#include "platform/window/window_backend.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace platform {

namespace {

bool named(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// The socket libwayland connects to when WAYLAND_DISPLAY is not set.
bool defaultWaylandSocket() {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    struct stat socket {};
    return folder && *folder && stat((std::string(folder) + "/wayland-0").c_str(), &socket) == 0 &&
           S_ISSOCK(socket.st_mode);
}

// The servers that could not be used, each with the backend that is used instead.
void report(const std::vector<std::string>& failures) {
    for (const std::string& failure : failures) {
        std::fprintf(stderr, "nymbus: %s; using the %s backend\n", failure.c_str(),
                     windowBackendName(windowBackend()));
    }
}

} // namespace

void selectDefaultWindowBackend(const HeadlessSettings& headless) {
    std::vector<std::string> failures;
    std::string error;
    const bool waylandNamed = named("WAYLAND_DISPLAY") || named("WAYLAND_SOCKET");
    if (waylandNamed || defaultWaylandSocket()) {
        if (selectWindowBackend(WindowBackendKind::Wayland, headless, error)) {
            return;
        }
        // A default socket left behind by a compositor that has gone is passed over without a word.
        if (waylandNamed) {
            failures.push_back(error);
        }
    }
    if (named("DISPLAY")) {
        error.clear();
        if (selectWindowBackend(WindowBackendKind::X11, headless, error)) {
            report(failures);
            return;
        }
        failures.push_back(error);
    }
    selectWindowBackend(WindowBackendKind::Headless, headless, error);
    report(failures);
}

} // namespace platform
