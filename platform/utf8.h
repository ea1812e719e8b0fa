#pragma once
// Conversions between wide strings and UTF-8 at the platform boundary.
#include <string>
#include <string_view>
#include <cstdint>

namespace platform {

// Encodes each wide character as UTF-8; values that are not Unicode scalar values become U+FFFD.
std::string toUtf8(std::wstring_view text);

} // namespace platform
