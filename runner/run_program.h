#pragma once
// The run: main (runner/main.cpp) takes the platform's options, then hands the rest of the command
// line, as one wide string, to the shell's entry logic.
#include <string>
#include <vector>

namespace runner {

using EntryFunction = int (*)(void* instance, const wchar_t* commandLine);

// The arguments decoded from UTF-8 (a byte that is not part of valid UTF-8 becomes the character of
// that value) and joined with single spaces.
std::wstring wideCommandLine(const std::vector<std::string>& arguments);

// Everything main does: platform options (a malformed one: one line and the usage on standard error,
// exit code 2; --help and --version: on standard output, 0), SIGINT/SIGTERM posting the quit message
// from then to the end (see platform/interruption.h), log file, window backend, clock, capture,
// context-loss frames; then `entry` with the wide command line; then capture end and --stats. Returns the
// exit code.
int runProgram(int argc, const char* const* argv, EntryFunction entry);

} // namespace runner
