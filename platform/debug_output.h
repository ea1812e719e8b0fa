#pragma once
// The debugger output: wide strings written as UTF-8 to standard error.
#include <functional>

namespace platform {

// Writes the text as it stands (no newline is added).
void outputDebugString(const wchar_t* text);

// While a sink is set, outputDebugString hands the text to it instead of writing it (used by tests to
// capture the output). An empty function restores the normal output.
void setDebugOutputSink(std::function<void(const wchar_t*)> sink);

} // namespace platform
