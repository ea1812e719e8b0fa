#pragma once
// The bytes of one value of a client array's type.
#include "platform/gles/gl.h"

#include <cstddef>

namespace platform::gles {

// GL_BYTE and GL_UNSIGNED_BYTE 1, GL_SHORT 2, GL_FIXED and GL_FLOAT 4; 0 for a type no array takes.
constexpr std::size_t arrayTypeBytes(GLenum type) {
    switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE:
        return 1;
    case GL_SHORT:
        return 2;
    case GL_FIXED:
    case GL_FLOAT:
        return 4;
    default:
        return 0;
    }
}

} // namespace platform::gles
