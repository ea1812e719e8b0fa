#include "platform/debug_output.h"

#include "platform/utf8.h"

#include <cstdio>
#include <cwchar>

namespace platform {

void outputDebugString(const wchar_t* text) {
    const std::string bytes = toUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

} // namespace platform
