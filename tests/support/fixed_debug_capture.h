#pragma once
// The debugger output collected in a fixed buffer while the capture exists. Capturing allocates
// nothing, so it works while a test refuses every allocation.
#include "platform/debug_output.h"

#include <cstddef>
#include <iterator>
#include <string_view>

class FixedDebugCapture {
public:
    FixedDebugCapture() {
        used = 0;
        buffer[0] = L'\0';
        platform::setDebugOutputSink(append);
    }
    ~FixedDebugCapture() { platform::setDebugOutputSink({}); }
    FixedDebugCapture(const FixedDebugCapture&) = delete;
    FixedDebugCapture& operator=(const FixedDebugCapture&) = delete;

    std::wstring_view text() const { return {buffer, used}; }

private:
    static void append(const wchar_t* text) {
        for (; *text != L'\0' && used + 1 < std::size(buffer); ++text) {
            buffer[used++] = *text;
        }
        buffer[used] = L'\0';
    }

    static inline wchar_t buffer[1024];
    static inline std::size_t used = 0;
};
