#pragma once
// The debugger output: wide strings written as UTF-8 to standard error.

namespace platform {

// Writes the text as it stands (no newline is added).
void outputDebugString(const wchar_t* text);

} // namespace platform
