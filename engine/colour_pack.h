#pragma once
// A Fixed colour channel as the byte handed to the graphics library.
#include <cstdint>

#include "math/fixed.h"

// 0 if negative, the value shifted right by 8 up to 0xFF00 (1.0 minus one step), else 255.
inline std::uint8_t packColourChannel(Fixed c) {
    if (c.raw < 0) {
        return 0;
    }
    return c.raw <= 0xFF00 ? static_cast<std::uint8_t>(c.raw >> 8) : 255;
}
