#include "tests/support/small_tmpfs.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// A mount namespace whose mounts do not propagate back to the system's. It is made while the process
// starts, because a process that runs threads (Mesa's, once a test has rendered) cannot change it.
std::string makePrivateMountNamespace() {
    if (::unshare(CLONE_NEWNS) != 0) {
        return std::string("cannot make a mount namespace: ") + std::strerror(errno);
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return std::string("cannot make the mounts private: ") + std::strerror(errno);
    }
    return std::string();
}

const std::string privateMountNamespace = makePrivateMountNamespace();

} // namespace

SmallTmpfs::SmallTmpfs(std::size_t bytes) {
    error_ = privateMountNamespace;
    if (!error_.empty()) {
        return;
    }
    char folder[] = "/tmp/small_tmpfs_XXXXXX";
    if (!::mkdtemp(folder)) {
        error_ = std::string("cannot make a folder: ") + std::strerror(errno);
        return;
    }
    path_ = folder;
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", folder, "tmpfs", 0, options.c_str()) != 0) {
        error_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        return;
    }
    mounted_ = true;
}

SmallTmpfs::~SmallTmpfs() {
    if (mounted_) {
        ::umount2(path_.c_str(), MNT_DETACH);
    }
    if (!path_.empty()) {
        ::rmdir(path_.c_str());
    }
}
