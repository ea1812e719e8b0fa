#pragma once
// A run interrupted by SIGINT or SIGTERM. The run's signal handler counts the signals here. The first asks
// the run to end with its outputs complete: an output that waits for a reader (a pipe, a FIFO, a
// terminal) goes on waiting only while the reader takes data, at most half a second at a time. The
// second abandons what is not complete yet. Waits that could last (a reader, a child process, a server)
// watch interruptionFd alongside what they wait for, so that a signal ends them from any thread.
#include <string>

namespace platform {

// Starts counting from 0 (at the start of each run). Not from a signal handler.
void resetInterruptions();
// Counts a signal. Async-signal-safe: called from the handler.
void noteInterruption();
// Signals counted since the reset.
int interruptions();
// A descriptor that becomes readable once `count` signals have been counted (count 1 or 2); for poll.
int interruptionFd(int count = 1);

// How long a reader may take nothing after the first signal before its output is abandoned.
inline constexpr int readerGraceMs = 500;

enum class OutputWait { Ready, Interrupted, Failed };
// Waits until `fd` (a pipe, FIFO, terminal or other device) takes data or reports an error, as poll
// sees it. Interrupted: a second signal, or after the first the reader took nothing for readerGraceMs.
// Failed: poll failed, errno says why.
OutputWait waitUntilWritable(int fd);

// "cannot VERB FILE: interrupted (WHY)".
std::string describeInterruption(const char* verb, const std::string& file, const char* why);

} // namespace platform
