#pragma once
// An Xvfb server of the test's own, on a display number the server picks itself (-displayfd), so that
// tests running side by side never race for one. Starting it points DISPLAY at it; the destructor ends
// it and gives DISPLAY its earlier value back, so that later tests of the process see no dead server.
#include <optional>
#include <string>
#include <sys/types.h>

class XvfbServer {
public:
    XvfbServer() = default;
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    ~XvfbServer();

    static bool installed();
    bool start();

private:
    pid_t pid_ = 0;
    std::string display_;
    std::optional<std::string> previousDisplay_;
};
