#include "platform/interruption.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace platform {

namespace {

std::atomic<int> counted{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free counter");

// One pipe per signal that matters (the first, the second): a byte is written into it when that signal
// comes and never read, so that it stays readable for every poll from then on.
int wakeRead[2] = {-1, -1};
int wakeWrite[2] = {-1, -1};

} // namespace

void resetInterruptions() {
    for (int i = 0; i < 2; ++i) {
        if (wakeRead[i] >= 0) {
            ::close(wakeRead[i]);
            ::close(wakeWrite[i]);
        }
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
            wakeRead[i] = ends[0];
            wakeWrite[i] = ends[1];
        } else {
            wakeRead[i] = wakeWrite[i] = -1;
        }
    }
    counted = 0;
}

void noteInterruption() {
    const int count = ++counted;
    if (count <= 2 && wakeWrite[count - 1] >= 0) {
        const int saved = errno;
        const char byte = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(wakeWrite[count - 1], &byte, 1);
        errno = saved;
    }
}

int interruptions() {
    return counted;
}

int interruptionFd(int count) {
    return wakeRead[count >= 2 ? 1 : 0];
}

OutputWait waitUntilWritable(int fd) {
    for (;;) {
        const int level = counted;
        if (level >= 2) {
            return OutputWait::Interrupted;
        }
        // Before a signal: as long as it takes, until the first. After it: the grace, or the second.
        pollfd watched[2] = {{fd, POLLOUT, 0}, {interruptionFd(level + 1), POLLIN, 0}};
        const int ready = ::poll(watched, 2, level == 0 ? -1 : readerGraceMs);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            return OutputWait::Failed;
        }
        if (ready == 0) {
            return OutputWait::Interrupted;
        }
        if (watched[0].revents) {
            return OutputWait::Ready; // POLLERR and POLLHUP too: the write that follows says what failed
        }
    }
}

std::string describeInterruption(const char* verb, const std::string& file, const char* why) {
    return std::string("cannot ") + verb + " " + file + ": interrupted (" + why + ")";
}

} // namespace platform
