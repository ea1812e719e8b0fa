#pragma once
// The debugger output: wide strings written as UTF-8 to standard error, or to a log file.
#include <functional>

namespace platform {

// Writes the text as it stands (no newline is added).
void outputDebugString(const wchar_t* text);

// While a sink is set, outputDebugString hands the text to it instead of writing it (used by tests to
// capture the output). An empty function restores the normal output.
void setDebugOutputSink(std::function<void(const wchar_t*)> sink);

// Sends the output to a new file of that name instead of standard error (kept open until exit).
// Returns false, changing nothing, if the file cannot be created. Null closes the file and goes back to
// standard error; false then means that the close failed.
bool setDebugOutputFile(const char* path);

} // namespace platform
