#include "runner/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace runner {

namespace {

std::string failure(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

bool writeWholeFile(const std::string& path, std::string_view content, std::string& error) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = failure("cannot create a temporary file beside it");
        return false;
    }
    // mkstemp makes the file private; give it the permissions a new file gets from the umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0;
    if (!ok) {
        error = failure("cannot set its permissions");
    } else if (!(ok = writeAll(fd, content))) {
        error = failure("cannot write");
    } else if (!(ok = ::fsync(fd) == 0)) {
        error = failure("cannot flush");
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = failure("cannot close");
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = failure("cannot rename the temporary file to it");
    }
    if (!ok) {
        ::unlink(temporary.c_str());
    }
    return ok;
}

} // namespace runner
