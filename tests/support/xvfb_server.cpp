#include "tests/support/xvfb_server.h"

#include "tests/support/environment_variable.h"

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    if (!display_.empty()) {
        restoreEnvironmentVariable("DISPLAY", previousDisplay_);
    }
}

bool XvfbServer::installed() {
    for (const char* path : {"/usr/bin/Xvfb", "/usr/local/bin/Xvfb"}) {
        if (access(path, X_OK) == 0) {
            return true;
        }
    }
    return false;
}

bool XvfbServer::start() {
    int fds[2];
    if (pipe(fds) != 0) {
        return false;
    }
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb",       "-displayfd", fd.c_str(), "-screen",  "0",
                          "800x600x24", "-nolisten",  "tcp",      "-noreset", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 1, 0); // O_WRONLY
    const int spawned =
        posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        pid_ = 0;
        return false;
    }
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        return false;
    }
    previousDisplay_ = environmentVariable("DISPLAY");
    display_ = ":" + number;
    setenv("DISPLAY", display_.c_str(), 1);
    return true;
}
