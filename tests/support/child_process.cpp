#include "tests/support/child_process.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::string scratchFile() {
    char name[] = "/tmp/nym_child_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) {
        close(fd);
    }
    return name;
}

std::string contents(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The test's environment with the changes applied.
std::vector<std::string> environmentWith(const std::vector<std::string>& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        result.emplace_back(*entry);
    }
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(result, [&name](const std::string& entry) {
            return entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 &&
                   entry[name.size()] == '=';
        });
        if (change.find('=') != std::string::npos) {
            result.push_back(change);
        }
    }
    return result;
}

} // namespace

ChildProcess::ChildProcess(const std::string& program, std::vector<std::string> arguments,
                           const std::vector<std::string>& environment, const std::string& folder,
                           const std::string& standardOutputTo)
    : errorPath_(scratchFile()), outputPath_(scratchFile()) {
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables = environmentWith(environment);
    std::vector<char*> envp;
    for (std::string& v : variables) {
        envp.push_back(v.data());
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(
        &actions, 1, standardOutputTo.empty() ? outputPath_.c_str() : standardOutputTo.c_str(),
        O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errorPath_.c_str(), O_WRONLY | O_TRUNC, 0);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
    if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        pid_ = 0;
    }
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    unlink(errorPath_.c_str());
    unlink(outputPath_.c_str());
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (pid_ > 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid_, &status, WNOHANG, &usage) == pid_) {
            pid_ = 0;
            peakMemoryKb_ = usage.ru_maxrss;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

void ChildProcess::signal(int number) {
    if (pid_ > 0) {
        kill(pid_, number);
    }
}

bool ChildProcess::waitUntilHandling(int number, std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (pid_ > 0) {
        // SigCgt: the signals with a handler, a hexadecimal mask with bit n - 1 for signal n.
        const std::string status = contents("/proc/" + std::to_string(pid_) + "/status");
        const std::size_t at = status.find("SigCgt:");
        if (at != std::string::npos &&
            (std::stoull(status.substr(at + 7, status.find('\n', at) - at - 7), nullptr, 16) >> (number - 1) &
             1)) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

std::vector<pid_t> ChildProcess::waitForChildren(std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::vector<pid_t> children;
    while (pid_ > 0 && children.empty() && std::chrono::steady_clock::now() < deadline) {
        std::istringstream list(
            contents("/proc/" + std::to_string(pid_) + "/task/" + std::to_string(pid_) + "/children"));
        for (pid_t child = 0; list >> child;) {
            children.push_back(child);
        }
        if (children.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    return children;
}

std::string ChildProcess::output() const {
    return contents(errorPath_);
}

std::string ChildProcess::standardOutput() const {
    return contents(outputPath_);
}
