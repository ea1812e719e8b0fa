#include "platform/output_file.h"

#include "platform/interruption.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
// How often a FIFO that nothing reads yet is tried again: a FIFO cannot be watched for its reader.
constexpr int fifoRetryMs = 50;
} // namespace

std::string describeFailure(const char* verb, const std::string& file, int errorNumber) {
    return std::string("cannot ") + verb + " " + file + ": " + std::strerror(errorNumber);
}

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::open(const std::string& path, std::string& error, const std::string& shownAs,
                      Placement placement) {
    discard();
    standardOutput_ = path == "-";
    name_ = standardOutput_ ? "standard output" : shownAs.empty() ? path : shownAs;
    written_ = 0;
    start_ = 0;
    if (standardOutput_) {
        // Whatever the stdio buffer holds goes first.
        std::fflush(stdout);
        fd_ = STDOUT_FILENO;
        start_ = ::lseek(fd_, 0, SEEK_CUR);
    } else {
        struct stat existing {};
        const bool regular = ::stat(path.c_str(), &existing) != 0 || S_ISREG(existing.st_mode);
        if (placement == Placement::Replace && regular) {
            if (!replacing_.create(path, error)) {
                return false;
            }
            fd_ = replacing_.fd();
        } else if (!openInPlace(path, error)) {
            return false;
        }
    }
    struct stat status {};
    streaming_ = ::fstat(fd_, &status) == 0 && !S_ISREG(status.st_mode);
    return true;
}

bool OutputFile::openInPlace(const std::string& path, std::string& error) {
    for (;;) {
        // Without blocking: a FIFO that nothing reads fails with ENXIO instead of waiting for its reader.
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            return true;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != ENXIO) {
            error = describeFailure("create", name_, errno);
            return false;
        }
        if (interruptions() > 0) {
            error = describeInterruption("open", name_, "nothing opened it for reading");
            return false;
        }
        pollfd wake{interruptionFd(), POLLIN, 0};
        ::poll(&wake, 1, fifoRetryMs);
    }
}

bool OutputFile::write(const void* data, std::size_t size, std::string& error) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        std::size_t chunk = size;
        if (streaming_) {
            // A reader takes PIPE_BUF bytes at once once the pipe has room: the write does not block.
            const OutputWait wait = waitUntilWritable(fd_);
            if (wait == OutputWait::Interrupted) {
                error = describeInterruption(
                    "write", name_,
                    interruptions() >= 2 ? "a second signal" : "its reader took nothing for half a second");
                return false;
            }
            if (wait == OutputWait::Failed) {
                error = describeFailure("write", name_, errno);
                return false;
            }
            chunk = std::min<std::size_t>(size, PIPE_BUF);
        }
        const ssize_t n = ::write(fd_, bytes, chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (n <= 0) {
            error = describeFailure("write", name_, n < 0 ? errno : ENOSPC);
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
        written_ += static_cast<std::size_t>(n);
    }
    return true;
}

void OutputFile::truncate(std::size_t size) {
    struct stat status {};
    if (fd_ < 0 || start_ < 0 || ::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
        return;
    }
    if (::ftruncate(fd_, static_cast<off_t>(start_ + static_cast<long long>(size))) == 0) {
        written_ = size;
    }
}

bool OutputFile::close(std::string& error) {
    if (fd_ < 0) {
        return true;
    }
    const int fd = fd_;
    fd_ = -1;
    if (standardOutput_) {
        return true;
    }
    if (replacing_.fd() == fd) {
        return replacing_.commit(Durability::Synced, error);
    }
    if (::close(fd) != 0) {
        error = describeFailure("write", name_, errno);
        return false;
    }
    return true;
}

void OutputFile::discard() {
    if (fd_ >= 0 && !standardOutput_ && replacing_.fd() != fd_) {
        ::close(fd_);
    }
    fd_ = -1;
    replacing_.discard();
}

} // namespace platform
