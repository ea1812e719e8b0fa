#pragma once
// The validation's scratch folder: a new folder in TMPDIR (or /tmp) that the child processes render into,
// removed with what it holds when the object goes, and also when the process aborts or crashes on the
// way: a handler of SIGABRT, SIGSEGV, SIGBUS, SIGFPE and SIGILL then ends the child process that renders
// into it, removes the folder and lets the signal end the process.
#include <string>
#include <sys/types.h>

namespace runner::validation {

class ScratchFolder {
public:
    // Makes the folder; error() says why not.
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Empty if the folder could not be made.
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }

    // The child process that renders into the folder, ended first by an abort; 0: none.
    void setRenderer(pid_t child);

private:
    std::string path_;
    std::string error_;
};

} // namespace runner::validation
