#pragma once
// Files written with every write and close checked. A failure is described in one phrase ("cannot write
// FILE: No space left on device") that the caller prints once.
#include <cstddef>
#include <string>

namespace platform {

class OutputFile {
public:
    OutputFile() = default;
    // Closes the file if it is still open, without looking at the result (the output has failed already).
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file or empties it; "-" stands for standard output. Failures name the file `shownAs`
    // (default: the path).
    bool open(const std::string& path, std::string& error, const std::string& shownAs = {});
    // Writes all the bytes, going on after interruptions and short writes.
    bool write(const void* data, std::size_t size, std::string& error);
    // Cuts what this object wrote back to its first `size` bytes. Standard output is cut only when it is
    // a regular file; a pipe or a device cannot take bytes back, and this does nothing there.
    void truncate(std::size_t size);
    // Closes the file (standard output stays open); false if the system reports a failure.
    bool close(std::string& error);

    bool isOpen() const { return fd_ >= 0; }
    // The path, or "standard output".
    const std::string& name() const { return name_; }
    // Bytes written since open.
    std::size_t written() const { return written_; }

private:
    int fd_ = -1;
    bool standardOutput_ = false;
    long long start_ = 0; // where standard output stood when it was opened
    std::size_t written_ = 0;
    std::string name_;
};

// Writes the bytes to a temporary file in the same folder and renames it to `path`, so that the file
// appears whole or not at all (an earlier file of that name stays until then).
bool writeWholeFile(const std::string& path, const void* data, std::size_t size, std::string& error);

// "cannot VERB FILE: the system's error text for `errorNumber`".
std::string describeFailure(const char* verb, const std::string& file, int errorNumber);

} // namespace platform
