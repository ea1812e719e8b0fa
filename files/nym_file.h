#pragma once
// A file opened by name from the embedded-file registry, or from disk when the name is not registered.
#include <cstdint>
#include <cstdio>

// Each state is the four-character code spelled by its bytes, most significant first.
enum class NymFileState : std::uint32_t {
    clse = 0x636C7365, // constructed, not yet opened
    fbin = 0x6662696E, // open in binary mode ("rb"); the only readable state
    fasc = 0x66617363, // open in text mode ("rt")
    shut = 0x73687574, // closed for good
};

class NymFile {
public:
    NymFile() = default;
    // Closes a disk stream that is still open.
    ~NymFile();
    NymFile(const NymFile&) = delete;
    NymFile& operator=(const NymFile&) = delete;

    // Opens the name with mode "rb" or "rt"; only a file in state clse can be opened. The last registry
    // entry with that name wins; an unregistered name is looked for on disk. False when the mode is
    // refused (the state stays clse) or the file was found nowhere (the new state is kept, with no source).
    bool Open(const char* name, const char* mode);
    // The length in bytes while open from either source (-1 when the registry entry gives none), else 0.
    int Length() const;
    // Reads itemCount items of itemSize bytes, only in state fbin. A disk file returns the number of whole
    // items read; an embedded file returns the number of bytes copied, never reading past its length.
    int Read(void* buffer, int itemSize, int itemCount);
    // Closes the disk stream, clears every field and moves to state shut; returns 0.
    int Close();

    NymFileState State() const { return state_; }

private:
    bool openFromDisk(const char* name, const char* mode);

    std::FILE* stream_ = nullptr;
    const unsigned char* data_ = nullptr;
    int length_ = 0;
    int position_ = 0;
    NymFileState state_ = NymFileState::clse;
};
