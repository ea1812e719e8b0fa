#pragma once
// Files the program reads that a user may have been sent (reference pictures, their list): opened
// without waiting (a FIFO would wait for a writer), read only when they are regular files, and read whole
// only up to a size given by the caller. Failures are described in a phrase: "it is not a regular file".
#include <cstddef>
#include <string>

namespace platform {

enum class InputOpen { Opened, Missing, Refused };

// Opens the file for reading; `fd` is then the caller's to close. Missing: there is no such file (why
// says so too).
InputOpen openRegularFile(const std::string& path, int& fd, std::string& why);

// Reads the whole file into `content` if it holds at most `limit` bytes.
InputOpen readRegularFile(const std::string& path, std::size_t limit, std::string& content, std::string& why);

} // namespace platform
