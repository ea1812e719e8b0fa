#pragma once
// The registry of files compiled into the program, looked up by name, and the path builder of the race
// world construction.

class Filingsystem {
public:
    static constexpr int MaxEmbeddedFiles = 64;
    // Size of each path buffer: a path keeps at most PathBufferSize - 1 characters.
    static constexpr int PathBufferSize = 256;

    // The process-wide registry, created empty on first use. Null when it cannot be created (the failure
    // is traced); the next call tries again.
    static Filingsystem* Instance();
    // Frees the registry and its copies of the names; the next Instance() creates a new, empty one.
    static void Destroy();

    // Adds an entry under a copy of the name; the data are borrowed and must outlive the registry.
    // Length -1 means the length is not given. Refused (false, nothing changed) for a null registry, name
    // or data, a length of 0 or below other than -1, or a full registry. Duplicate names are all stored.
    static bool RegisterFile(Filingsystem* registry, const char* name, const void* data, int length);

    // Copy the component (cut at PathBufferSize - 1 characters); a null path is refused.
    bool SetRootPath(const char* path);
    bool SetSubPath(const char* path);
    // Root path + sub path + name, with no separator added; cut at PathBufferSize - 1 characters. The
    // buffer returned is overwritten by the next call.
    const char* MakePath(const char* name);

    // The entries in registration order, indexes 0 to FileCount() - 1. Out-of-range indexes give null/0.
    int FileCount() const { return count_; }
    const char* FileName(int index) const;
    const unsigned char* FileData(int index) const;
    int FileLength(int index) const;

    Filingsystem(const Filingsystem&) = delete;
    Filingsystem& operator=(const Filingsystem&) = delete;

private:
    Filingsystem() = default;
    ~Filingsystem();

    char rootPath_[PathBufferSize] = {};
    char subPath_[PathBufferSize] = {};
    char pathResult_[PathBufferSize] = {};
    char* names_[MaxEmbeddedFiles] = {};
    const unsigned char* data_[MaxEmbeddedFiles] = {};
    int lengths_[MaxEmbeddedFiles] = {};
    int count_ = 0;
};
