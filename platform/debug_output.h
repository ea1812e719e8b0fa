#pragma once
// The debugger output: wide strings written as UTF-8 to standard error, or to a log file.
#include <functional>
#include <string>

namespace platform {

// Writes the text as it stands (no newline is added).
void outputDebugString(const wchar_t* text);

// While a sink is set, outputDebugString hands the text to it instead of writing it (used by tests to
// capture the output). An empty function restores the normal output.
void setDebugOutputSink(std::function<void(const wchar_t*)> sink);

// Sends the output to a new file of that name instead of standard error, until finishDebugOutput.
// Returns false with the reason in `error`, changing nothing, if the file cannot be created.
// If a write to the file fails, that is said once on standard error and the rest of the output goes
// there.
bool setDebugOutputFile(const char* path, std::string& error);
// Whether a write to the log file has failed.
bool debugOutputFailed();
// Closes the log file (the output goes to standard error again). False if a write or the close failed.
bool finishDebugOutput();

} // namespace platform
