#include "platform/input_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

InputOpen openRegularFile(const std::string& path, int& fd, std::string& why) {
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int failure = errno;
        why = std::strerror(failure);
        return failure == ENOENT ? InputOpen::Missing : InputOpen::Refused;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        why = S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
        ::close(fd);
        fd = -1;
        return InputOpen::Refused;
    }
    // Reads of a regular file do not wait anyway; the flag is cleared for the readers that look at it.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return InputOpen::Opened;
}

InputOpen readRegularFile(const std::string& path, std::size_t limit, std::string& content,
                          std::string& why) {
    int fd = -1;
    const InputOpen opened = openRegularFile(path, fd, why);
    if (opened != InputOpen::Opened) {
        return opened;
    }
    struct stat status {};
    ::fstat(fd, &status);
    if (static_cast<unsigned long long>(status.st_size) > limit) {
        why = "it is " + std::to_string(status.st_size) + " bytes, more than the " + std::to_string(limit) +
              " it may have";
        ::close(fd);
        return InputOpen::Refused;
    }
    content.assign(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t done = 0;
    // Up to the size it had when opened (and no further, should it grow).
    while (done < content.size()) {
        const ssize_t n = ::read(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            why = std::strerror(errno);
            ::close(fd);
            return InputOpen::Refused;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    content.resize(done);
    ::close(fd);
    return InputOpen::Opened;
}

} // namespace platform
