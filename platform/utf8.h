#pragma once
// Conversions between wide strings and UTF-8 at the platform boundary.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Encodes each wide character as UTF-8; values that are not Unicode scalar values become U+FFFD.
std::string toUtf8(std::wstring_view text);
// One character of that encoding, into out; returns its length in bytes (1 to 4).
int encodeUtf8(wchar_t character, char out[4]);

// Decodes UTF-8; a byte that does not start a valid sequence (overlong forms, surrogates and values
// above U+10FFFF included) becomes the character of that byte's value.
std::wstring fromUtf8(std::string_view text);

} // namespace platform
