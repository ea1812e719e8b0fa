#pragma once
// A tmpfs of a few kilobytes, for the tests of writes that run out of space. Mounting needs root; the
// test process first moves into a mount namespace of its own, so that the mount is private to it and
// disappears with it even if the test crashes.
#include <cstddef>
#include <string>

class SmallTmpfs {
public:
    explicit SmallTmpfs(std::size_t bytes);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    // Empty when mounted; otherwise why not (the test skips).
    const std::string& error() const { return error_; }
    // The mount point, a folder of its own.
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string error_;
    bool mounted_ = false;
};
