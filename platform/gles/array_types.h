#pragma once
// The types of client arrays and index lists: the bytes of one value, and reading indices.
#include "platform/gles/gl.h"

#include <algorithm>
#include <cstddef>
#include <utility>

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

// GL_UNSIGNED_BYTE 1, GL_UNSIGNED_SHORT 2; 0 for a type no index list takes.
constexpr std::size_t indexTypeBytes(GLenum type) {
    return type == GL_UNSIGNED_BYTE ? 1 : type == GL_UNSIGNED_SHORT ? 2 : 0;
}

// The index at position i of a list of GL_UNSIGNED_BYTE or GL_UNSIGNED_SHORT indices.
inline GLuint indexAt(GLenum type, const void* indices, GLsizei i) {
    return type == GL_UNSIGNED_BYTE ? static_cast<const GLubyte*>(indices)[i]
                                    : static_cast<const GLushort*>(indices)[i];
}

namespace detail {
template <typename Index> std::pair<GLuint, GLuint> indexRange(const void* indices, GLsizei count) {
    const auto* in = static_cast<const Index*>(indices);
    Index low = in[0];
    Index high = in[0];
    for (GLsizei i = 1; i < count; ++i) {
        low = std::min(low, in[i]);
        high = std::max(high, in[i]);
    }
    return {low, high};
}
} // namespace detail

// The smallest and the largest of `count` (> 0) indices of the type (GL_UNSIGNED_BYTE or _SHORT).
inline std::pair<GLuint, GLuint> indexRange(GLenum type, const void* indices, GLsizei count) {
    return type == GL_UNSIGNED_BYTE ? detail::indexRange<GLubyte>(indices, count)
                                    : detail::indexRange<GLushort>(indices, count);
}

} // namespace platform::gles
