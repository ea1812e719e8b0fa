#pragma once
// A program started by a test, with its standard output and standard error each in a file of its own.
// The destructor kills it if it still runs.
#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    // Runs `program` (a path, or a name looked up in PATH) with the arguments. The environment is the
    // test's own with the `environment` entries applied: "NAME=value" sets a variable, "NAME" removes it.
    // `folder`, if given, is its working folder; `standardOutputTo`, if given, the file (or FIFO) its
    // standard output goes to.
    ChildProcess(const std::string& program, std::vector<std::string> arguments,
                 const std::vector<std::string>& environment = {}, const std::string& folder = {},
                 const std::string& standardOutputTo = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // The exit code once the program has ended within the time (128 + the signal if one ended it), else
    // nothing.
    std::optional<int> waitForExit(std::chrono::milliseconds limit);
    // Sends the signal if the program still runs.
    void signal(int number);
    // Waits until the program handles the signal (it has installed a handler), as the system reports it.
    bool waitUntilHandling(int number, std::chrono::milliseconds limit) const;
    // The processes it started that still run (or have not been waited for), once it has started one
    // within the time.
    std::vector<pid_t> waitForChildren(std::chrono::milliseconds limit) const;

    // The largest resident memory of the program or of one of the processes it waited for, in kilobytes,
    // once it has ended.
    long peakMemoryKb() const { return peakMemoryKb_; }

    std::string output() const;         // its standard error so far
    std::string standardOutput() const; // its standard output so far

private:
    pid_t pid_ = 0;
    long peakMemoryKb_ = 0;
    std::string errorPath_;
    std::string outputPath_;
};
