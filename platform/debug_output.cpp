#include "platform/debug_output.h"

#include "platform/utf8.h"

#include <cstdio>
#include <cwchar>
#include <utility>

namespace platform {

namespace {
std::function<void(const wchar_t*)>& debugOutputSink() {
    static std::function<void(const wchar_t*)> sink;
    return sink;
}
std::FILE* logFile = nullptr;
} // namespace

void outputDebugString(const wchar_t* text) {
    if (debugOutputSink()) {
        debugOutputSink()(text);
        return;
    }
    const std::string bytes = toUtf8(text);
    std::FILE* out = logFile ? logFile : stderr;
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fflush(out);
}

void setDebugOutputSink(std::function<void(const wchar_t*)> sink) {
    debugOutputSink() = std::move(sink);
}

bool setDebugOutputFile(const char* path) {
    std::FILE* file = std::fopen(path, "w");
    if (!file) {
        return false;
    }
    if (logFile) {
        std::fclose(logFile);
    }
    logFile = file;
    return true;
}

} // namespace platform
