#include "platform/whole_file.h"

#include "platform/output_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// Of the target's name, in the new file's: "." + 240 bytes + "." + 8 is at most 250, within the 255
// bytes a name may have.
constexpr std::size_t keptNameBytes = 240;
constexpr std::size_t uniqueLength = 8;
constexpr int attempts = 64;

// Letters and digits from the system's random source; where it fails, from the process id, a counter and
// the clock (a name that exists already is passed over anyway).
std::string uniqueSuffix() {
    static constexpr char symbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[uniqueLength];
    if (::getentropy(bytes, sizeof bytes) != 0) {
        static std::atomic<unsigned long long> counter{0};
        unsigned long long mix =
            static_cast<unsigned long long>(::getpid()) * 0x9E3779B97F4A7C15ull ^
            ++counter * 0xBF58476D1CE4E5B9ull ^
            static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
        for (unsigned char& byte : bytes) {
            byte = static_cast<unsigned char>(mix);
            mix = mix >> 8 | mix << 56;
        }
    }
    std::string suffix;
    for (const unsigned char byte : bytes) {
        suffix += symbols[byte % (sizeof symbols - 1)];
    }
    return suffix;
}

std::string temporaryNameFor(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t kept = std::min(target.size() - nameStart, keptNameBytes);
    // Not inside a UTF-8 sequence: the name stays valid text.
    while (kept > 0 && kept < target.size() - nameStart &&
           (static_cast<unsigned char>(target[nameStart + kept]) & 0xC0) == 0x80) {
        --kept;
    }
    return target.substr(0, nameStart) + "." + target.substr(nameStart, kept) + "." + uniqueSuffix();
}

} // namespace

ReplacingFile::~ReplacingFile() {
    discard();
}

bool ReplacingFile::create(const std::string& target, std::string& error) {
    discard();
    target_ = target;
    for (int i = 0; i < attempts; ++i) {
        std::string name = temporaryNameFor(target);
        // O_EXCL: a name that exists, even as a link, is never opened.
        fd_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = std::move(name);
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error = describeFailure("create", target, errno);
    return false;
}

bool ReplacingFile::write(const void* data, std::size_t size, std::string& error) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, bytes, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = describeFailure("write", target_, n < 0 ? errno : ENOSPC);
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool ReplacingFile::commit(Durability durability, std::string& error) {
    if (durability == Durability::Synced && ::fsync(fd_) != 0) {
        error = describeFailure("flush", target_, errno);
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        error = describeFailure("write", target_, errno);
        return false;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error = describeFailure("rename a new file to", target_, errno);
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacingFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

bool writeWholeFile(const std::string& path, std::string_view content, std::string& error,
                    Durability durability) {
    ReplacingFile file;
    return file.create(path, error) && file.write(content.data(), content.size(), error) &&
           file.commit(durability, error);
}

} // namespace platform
