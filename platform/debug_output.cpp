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
} // namespace

void outputDebugString(const wchar_t* text) {
    if (debugOutputSink()) {
        debugOutputSink()(text);
        return;
    }
    const std::string bytes = toUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

void setDebugOutputSink(std::function<void(const wchar_t*)> sink) {
    debugOutputSink() = std::move(sink);
}

} // namespace platform
