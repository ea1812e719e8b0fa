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
    // Encoded through a buffer on the stack: the output allocates nothing, so it still works when the
    // memory has run out (the trace reports exactly that through it).
    std::FILE* out = logFile ? logFile : stderr;
    char bytes[256];
    std::size_t used = 0;
    for (; *text != L'\0'; ++text) {
        if (used + 4 > sizeof bytes) {
            std::fwrite(bytes, 1, used, out);
            used = 0;
        }
        used += static_cast<std::size_t>(encodeUtf8(*text, bytes + used));
    }
    std::fwrite(bytes, 1, used, out);
    std::fflush(out);
}

void setDebugOutputSink(std::function<void(const wchar_t*)> sink) {
    debugOutputSink() = std::move(sink);
}

bool setDebugOutputFile(const char* path) {
    if (path == nullptr) {
        std::FILE* file = logFile;
        logFile = nullptr;
        return file == nullptr || std::fclose(file) == 0;
    }
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
