#include "runner/validation/scratch_folder.h"

#include "platform/output_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace runner::validation {

namespace {

constexpr int fatalSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
struct sigaction previousActions[std::size(fatalSignals)];

// What the handler needs, made ready before: it allocates nothing and calls only the system.
volatile std::sig_atomic_t renderer = 0;
int folderFd = -1;
char folderPath[PATH_MAX];

// An entry as the getdents64 system call returns it.
struct KernelEntry {
    std::uint64_t inode;
    std::int64_t next;
    unsigned short length;
    unsigned char type;
    char name[1];
};

// Removes the files of the folder (it holds files only: frames, logs and their new files) with the
// system calls alone, until a pass over it removes nothing more.
void emptyFolder(int fd) {
    alignas(KernelEntry) char buffer[4096];
    for (bool removed = true; removed;) {
        removed = false;
        ::lseek(fd, 0, SEEK_SET);
        for (long size; (size = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0;) {
            for (long at = 0; at < size;) {
                unsigned short length = 0;
                std::memcpy(&length, buffer + at + offsetof(KernelEntry, length), sizeof length);
                const char* name = buffer + at + offsetof(KernelEntry, name);
                if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
                    ::unlinkat(fd, name, 0) == 0) {
                    removed = true;
                }
                at += length;
            }
        }
    }
}

extern "C" void removeOnAbort(int signal) {
    const pid_t child = renderer;
    if (child > 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    if (folderFd >= 0) {
        emptyFolder(folderFd);
        ::rmdir(folderPath);
    }
    // The handler was for once (SA_RESETHAND): the signal now ends the process as it would have.
    ::raise(signal);
}

} // namespace

ScratchFolder::ScratchFolder() {
    // TMPDIR as the system's temporary files take it; a folder that is not there is said, not passed over.
    const char* variable = std::getenv("TMPDIR");
    const std::string base = variable && *variable ? variable : "/tmp";
    std::string pattern = base + "/nymbus-validate-XXXXXX";
    if (pattern.size() >= sizeof folderPath || !::mkdtemp(pattern.data())) {
        error_ = platform::describeFailure("create a folder in", base,
                                           pattern.size() >= sizeof folderPath ? ENAMETOOLONG : errno);
        return;
    }
    path_ = pattern;
    std::memcpy(folderPath, path_.c_str(), path_.size() + 1);
    folderFd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct sigaction action {};
    action.sa_handler = removeOnAbort;
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(fatalSignals); ++i) {
        sigaction(fatalSignals[i], &action, &previousActions[i]);
    }
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty()) {
        return;
    }
    for (std::size_t i = 0; i < std::size(fatalSignals); ++i) {
        sigaction(fatalSignals[i], &previousActions[i], nullptr);
    }
    renderer = 0;
    ::close(folderFd);
    folderFd = -1;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::setRenderer(pid_t child) {
    renderer = child;
}

} // namespace runner::validation
