#include "tests/support/weston_server.h"

#include "tests/support/environment_variable.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

WestonServer::~WestonServer() {
    if (weston_) {
        weston_->signal(SIGTERM);
        if (!weston_->waitForExit(5s)) {
            weston_->signal(SIGKILL);
            weston_->waitForExit(5s);
        }
        weston_.reset();
    }
    if (pointed_) {
        restoreEnvironmentVariable("WAYLAND_DISPLAY", previousDisplay_);
        restoreEnvironmentVariable("XDG_RUNTIME_DIR", previousRuntime_);
    }
    if (!folder_.empty()) {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
}

bool WestonServer::installed() {
    for (const char* path : {"/usr/bin/weston", "/usr/local/bin/weston"}) {
        if (access(path, X_OK) == 0) {
            return true;
        }
    }
    return false;
}

bool WestonServer::start(const Settings& settings) {
    settings_ = settings;
    char name[] = "/tmp/nym_weston_XXXXXX";
    if (!mkdtemp(name)) {
        return false;
    }
    folder_ = name;
    const std::string config = folder_ + "/weston.ini";
    std::ofstream file(config);
    file << "[core]\nidle-time=" << settings.idleSeconds
         << "\n[shell]\npanel-position=none\nbackground-color=0xff000000\nlocking=false\n"
            "animation=none\nstartup-animation=none\nclose-animation=none\n"
            "[input-method]\npath=\n";
    file.close();
    if (!file) {
        return false;
    }
    weston_ = std::make_unique<ChildProcess>(
        "weston",
        std::vector<std::string>{"--config=" + config, "--backend=headless-backend.so", "--use-pixman",
                                 "--socket=" + settings.socket, "--width=" + std::to_string(settings.width),
                                 "--height=" + std::to_string(settings.height), "--debug",
                                 "--log=" + folder_ + "/weston.log"},
        std::vector<std::string>{"XDG_RUNTIME_DIR=" + folder_, "WAYLAND_DISPLAY", "WAYLAND_SOCKET",
                                 "DISPLAY"});
    if (!weston_->started()) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!socketAccepts()) {
        if (weston_->waitForExit(0ms) || std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    previousDisplay_ = environmentVariable("WAYLAND_DISPLAY");
    previousRuntime_ = environmentVariable("XDG_RUNTIME_DIR");
    pointed_ = true;
    setenv("WAYLAND_DISPLAY", settings.socket.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    return true;
}

void WestonServer::kill() {
    if (weston_) {
        weston_->signal(SIGKILL);
        weston_->waitForExit(5s);
    }
}

std::string WestonServer::log() const {
    std::ifstream in(folder_ + "/weston.log");
    std::stringstream text;
    text << in.rdbuf() << (weston_ ? weston_->output() : std::string());
    return text.str();
}

std::string WestonServer::screenshot() {
    const std::string shots = folder_ + "/shots";
    std::error_code ignored;
    fs::remove_all(shots, ignored);
    fs::create_directories(shots, ignored);
    ChildProcess shooter("weston-screenshooter", {},
                         {"WAYLAND_DISPLAY=" + settings_.socket, "XDG_RUNTIME_DIR=" + folder_}, shots);
    if (shooter.waitForExit(20s) != 0) {
        return {};
    }
    for (const auto& entry : fs::directory_iterator(shots, ignored)) {
        if (entry.path().extension() == ".png") {
            return entry.path().string();
        }
    }
    return {};
}

bool WestonServer::socketAccepts() const {
    const std::string path = folder_ + "/" + settings_.socket;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    path.copy(address.sun_path, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool accepted =
        fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) {
        close(fd);
    }
    return accepted;
}
