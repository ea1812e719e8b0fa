#pragma once
// Files written whole or not at all: the content goes to a temporary file in the same folder, which is
// flushed, closed and then renamed over the target. Readers see the old file or the complete new one,
// never a part.
#include <string>
#include <string_view>

namespace runner {

// Returns false, with the reason (the step that failed and the system's error text) in `error`, and
// without leaving a temporary file, if the file cannot be written.
bool writeWholeFile(const std::string& path, std::string_view content, std::string& error);

} // namespace runner
