#pragma once
// A headless Weston of the test's own: pixman renderer, its socket in a private XDG_RUNTIME_DIR, the
// desktop shell without panel on a black background, and the screenshooter open to clients (--debug).
// Starting it points WAYLAND_DISPLAY and XDG_RUNTIME_DIR at it; the destructor stops it and puts both
// back as they were.
#include "tests/support/child_process.h"

#include <memory>
#include <optional>
#include <string>

class WestonServer {
public:
    struct Settings {
        int width = 320;
        int height = 240;
        std::string socket = "nymbus-test";
        int idleSeconds = 0; // after that long without input the compositor stops repainting (0: never)
    };

    WestonServer() = default;
    WestonServer(const WestonServer&) = delete;
    WestonServer& operator=(const WestonServer&) = delete;
    ~WestonServer();

    static bool installed();
    // Starts the compositor and waits until its socket accepts connections.
    bool start(const Settings& settings);
    // Ends it at once, as a crash would.
    void kill();

    const std::string& runtimeFolder() const { return folder_; }
    const std::string& socket() const { return settings_.socket; }
    // Weston's own log so far.
    std::string log() const;
    // Takes a screenshot of the output with weston-screenshooter; returns the PNG file's path (in the
    // runtime folder), or an empty string.
    std::string screenshot();

private:
    bool socketAccepts() const;

    Settings settings_;
    std::string folder_;
    std::unique_ptr<ChildProcess> weston_;
    std::optional<std::string> previousDisplay_;
    std::optional<std::string> previousRuntime_;
    bool pointed_ = false;
};
