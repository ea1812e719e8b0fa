#pragma once
// Files written as a stream, with every write and close checked. A failure is described in one phrase
// ("cannot write FILE: No space left on device") that the caller prints once.
//
// A regular file is either replaced whole when it is closed (written under a name of its own until then,
// see whole_file.h) or written in place. A pipe, a FIFO, a terminal or another device is written in
// place, and waits for its reader: for a FIFO to be opened for reading, for a full pipe to take data;
// a signal ends those waits as interruption.h says.
#include "platform/whole_file.h"

#include <cstddef>
#include <string>

namespace platform {

class OutputFile {
public:
    enum class Placement { Replace, InPlace };

    OutputFile() = default;
    // Closes the file if it is still open, without looking at the result (the output has failed already);
    // a file to be replaced is left as it was.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens the file, for a regular one as `placement` says (in place: created or emptied); "-" stands for
    // standard output. Failures name the file `shownAs` (default: the path).
    bool open(const std::string& path, std::string& error, const std::string& shownAs = {},
              Placement placement = Placement::InPlace);
    // Writes all the bytes, going on after interruptions and short writes.
    bool write(const void* data, std::size_t size, std::string& error);
    // Cuts what this object wrote back to its first `size` bytes. Standard output is cut only when it is
    // a regular file; a pipe or a device cannot take bytes back, and this does nothing there.
    void truncate(std::size_t size);
    // Closes the file (standard output stays open), putting a file to be replaced in place; false if the
    // system reports a failure.
    bool close(std::string& error);
    // Closes the file; a file to be replaced is left as it was.
    void discard();

    bool isOpen() const { return fd_ >= 0; }
    // The path, or "standard output".
    const std::string& name() const { return name_; }
    // Bytes written since open.
    std::size_t written() const { return written_; }

private:
    bool openInPlace(const std::string& path, std::string& error);

    int fd_ = -1;
    bool standardOutput_ = false;
    bool streaming_ = false;  // not a regular file: each write waits for the reader
    ReplacingFile replacing_; // the new file, for a regular file to be replaced
    long long start_ = 0;     // where standard output stood when it was opened
    std::size_t written_ = 0;
    std::string name_;
};

// "cannot VERB FILE: the system's error text for `errorNumber`".
std::string describeFailure(const char* verb, const std::string& file, int errorNumber);

} // namespace platform
