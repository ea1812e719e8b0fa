// The conversions at the platform boundary: the input read as UTF-8 (arguments), and as 32-bit wide
// characters (debugger output).
#include "fuzz/fuzz_check.h"
#include "platform/utf8.h"

#include <cstring>
#include <string>

namespace {

bool scalarValue(std::uint32_t c) {
    return c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Narrow to wide: every character is a scalar value, and valid UTF-8 comes back unchanged. Bytes that
    // are not valid UTF-8 become characters below U+0100, so no input is ever lost.
    const std::string_view narrow(reinterpret_cast<const char*>(data), size);
    const std::wstring wide = platform::fromUtf8(narrow);
    FUZZ_CHECK(wide.size() <= narrow.size());
    bool substituted = false;
    for (wchar_t c : wide) {
        FUZZ_CHECK(scalarValue(static_cast<std::uint32_t>(c)));
        substituted = substituted || (c >= 0x80 && c <= 0xFF);
    }
    const std::string back = platform::toUtf8(wide);
    if (!substituted) {
        FUZZ_CHECK(back == narrow);
    }
    FUZZ_CHECK(platform::fromUtf8(back) == wide);

    // Wide to narrow: always valid UTF-8, which decodes to the same text with U+FFFD for every value
    // that is not a scalar value.
    std::wstring raw(size / sizeof(wchar_t), L'\0');
    std::memcpy(raw.data(), data, raw.size() * sizeof(wchar_t));
    const std::string encoded = platform::toUtf8(raw);
    std::wstring expected = raw;
    for (wchar_t& c : expected) {
        if (!scalarValue(static_cast<std::uint32_t>(c))) {
            c = 0xFFFD;
        }
    }
    FUZZ_CHECK(platform::fromUtf8(encoded) == expected);
    return 0;
}
