#include "platform/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string describeFailure(const char* verb, const std::string& file, int errorNumber) {
    return std::string("cannot ") + verb + " " + file + ": " + std::strerror(errorNumber);
}

OutputFile::~OutputFile() {
    if (fd_ >= 0 && !standardOutput_) {
        ::close(fd_);
    }
}

bool OutputFile::open(const std::string& path, std::string& error, const std::string& shownAs) {
    standardOutput_ = path == "-";
    name_ = standardOutput_ ? "standard output" : shownAs.empty() ? path : shownAs;
    written_ = 0;
    if (standardOutput_) {
        // Whatever the stdio buffer holds goes first.
        std::fflush(stdout);
        fd_ = STDOUT_FILENO;
        start_ = ::lseek(fd_, 0, SEEK_CUR);
        return true;
    }
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        error = describeFailure("create", name_, errno);
        return false;
    }
    start_ = 0;
    return true;
}

bool OutputFile::write(const void* data, std::size_t size, std::string& error) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, bytes, size);
        if (n < 0 && errno == EINTR) {
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
    if (::close(fd) != 0) {
        error = describeFailure("write", name_, errno);
        return false;
    }
    return true;
}

bool writeWholeFile(const std::string& path, const void* data, std::size_t size, std::string& error) {
    const std::string temporary = path + ".tmp";
    OutputFile file;
    if (!file.open(temporary, error, path)) {
        return false;
    }
    if (!file.write(data, size, error) || !file.close(error)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = describeFailure("create", path, errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace platform
