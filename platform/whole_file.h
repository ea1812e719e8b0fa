#pragma once
// Files that appear whole or not at all. The content goes to a new file of a name of its own in the
// target's folder, made exclusively (no existing file or link is opened or touched, so two runs never
// share one and a user's file of any name stays as it is), and the new file is renamed over the target
// once complete: a reader sees the earlier file or the new one, never a part. After a failure the new file
// is removed and an earlier file of the target's name stays as it was. A failure is described in one
// phrase naming the target and the step: "cannot write out/r.json: No space left on device".
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Whether the content is flushed to the disk (fsync) before the rename, so that after a system crash the
// target is the earlier file or the new one; without it, it may be left empty.
enum class Durability { Synced, Unsynced };

class ReplacingFile {
public:
    ReplacingFile() = default;
    // Removes the new file unless it was committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Makes the new file beside `target`, with the permissions a new file gets (0666 less the umask). The
    // new file's name starts with a dot and is at most 250 bytes long, so that any name a file can have
    // can be written.
    bool create(const std::string& target, std::string& error);
    // The new file, open for reading and writing.
    int fd() const { return fd_; }

    // Writes all the bytes at the end of what was written.
    bool write(const void* data, std::size_t size, std::string& error);
    // Flushes (with Synced), closes and renames the new file over the target.
    bool commit(Durability durability, std::string& error);
    // Closes and removes the new file.
    void discard();

private:
    int fd_ = -1;
    std::string target_;
    std::string temporary_;
};

// The whole content into `path` through a ReplacingFile.
bool writeWholeFile(const std::string& path, std::string_view content, std::string& error,
                    Durability durability = Durability::Synced);

} // namespace platform
