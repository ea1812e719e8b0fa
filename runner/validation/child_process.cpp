#include "runner/validation/child_process.h"

#include "platform/interruption.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace runner::validation {

namespace {

// The child's exit code once it has ended.
int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

// Waits for the child or for the run to be interrupted, whichever comes first: true when the child has
// ended (its status in `status`).
bool waitForChild(pid_t child, int& status) {
    // A descriptor of the process, readable once it has ended, watched with the interruption's.
    const int process = static_cast<int>(::syscall(SYS_pidfd_open, child, 0));
    if (process >= 0) {
        for (;;) {
            pollfd watched[2] = {{process, POLLIN, 0}, {platform::interruptionFd(), POLLIN, 0}};
            const int ready = ::poll(watched, 2, -1);
            if (platform::interruptions() > 0) {
                ::close(process);
                return false;
            }
            if ((ready < 0 && errno != EINTR) || (ready > 0 && watched[0].revents)) {
                break;
            }
        }
        ::close(process);
    }
    // Without pidfd_open (before Linux 5.3) the signal itself ends the wait (EINTR).
    for (;;) {
        if (::waitpid(child, &status, 0) == child) {
            return true;
        }
        if (errno != EINTR) {
            status = 127 << 8; // as if it could not be run
            return true;
        }
        if (platform::interruptions() > 0) {
            return false;
        }
    }
}

} // namespace

int runProgramAgain(std::vector<std::string> arguments, ScratchFolder& scratch) {
    std::vector<char*> argv;
    for (std::string& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) {
        std::fprintf(stderr, "nymbus: validate: cannot start a child process: %s\n", std::strerror(errno));
        return 127;
    }
    if (child == 0) {
        // Killed with its parent, also if the parent went before this line.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(127);
        }
        ::execv("/proc/self/exe", argv.data());
        std::fprintf(stderr, "nymbus: validate: cannot run the program again: %s\n", std::strerror(errno));
        ::_exit(127);
    }
    scratch.setRenderer(child);
    int status = 0;
    const bool ended = waitForChild(child, status);
    if (!ended) {
        ::kill(child, SIGKILL);
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    scratch.setRenderer(0);
    return ended ? exitCodeOf(status) : interruptedByASignal;
}

} // namespace runner::validation
