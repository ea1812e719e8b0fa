#pragma once
// The overlay's texture uploads. Each generates a GL name into `name` (kept even when the upload then
// fails, so that the caller can delete it), uploads with linear filtering and reports whether the GL
// and the conversion buffer allowed it.
#include "platform/gles/gl.h"

#include <cstdint>

// 256 x 256 coverage bytes as white RGBA 4444 whose alpha is the coverage's high four bits.
bool uploadFontTexture(const std::uint8_t* coverage, GLuint& name);
// A 16-byte header and 16 x 16 little-endian pixels (R bits 0-3, G 4-7, B 8-11, 15 - A in 12-15) as
// RGBA 4444.
bool uploadIconTexture(const std::uint8_t* image, GLuint& name);
// The top level of a 128 x 128 RGB 565 legacy texture file.
bool uploadLogoTexture(const std::uint8_t* file, GLuint& name);
