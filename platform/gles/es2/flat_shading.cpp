#include "platform/gles/es2/flat_shading.h"

#include "platform/gles/array_types.h"

namespace platform::gles::es2 {

void expandFlat(GLenum mode, GLsizei count, GLint first, GLenum type, const void* indices,
                FlatPrimitives& out) {
    const auto vertex = [&](GLsizei i) {
        return indices ? indexAt(type, indices, i) : static_cast<GLuint>(first + i);
    };
    out.vertices.clear();
    out.colours.clear();
    const auto emit = [&](GLsizei v, GLsizei provoking) {
        out.vertices.push_back(vertex(v));
        out.colours.push_back(vertex(provoking));
    };
    switch (mode) {
    case GL_LINES:
        for (GLsizei i = 0; i + 1 < count; i += 2) {
            emit(i, i + 1);
            emit(i + 1, i + 1);
        }
        out.mode = GL_LINES;
        return;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        for (GLsizei i = 0; i + 1 < count; ++i) {
            emit(i, i + 1);
            emit(i + 1, i + 1);
        }
        if (mode == GL_LINE_LOOP && count > 1) {
            emit(count - 1, 0);
            emit(0, 0);
        }
        out.mode = GL_LINES;
        return;
    case GL_TRIANGLES:
        for (GLsizei i = 0; i + 2 < count; i += 3) {
            emit(i, i + 2);
            emit(i + 1, i + 2);
            emit(i + 2, i + 2);
        }
        break;
    case GL_TRIANGLE_STRIP:
        for (GLsizei i = 0; i + 2 < count; ++i) {
            // Every other triangle of a strip is wound the other way round.
            emit(i % 2 ? i + 1 : i, i + 2);
            emit(i % 2 ? i : i + 1, i + 2);
            emit(i + 2, i + 2);
        }
        break;
    case GL_TRIANGLE_FAN:
        for (GLsizei i = 0; i + 2 < count; ++i) {
            emit(0, i + 2);
            emit(i + 1, i + 2);
            emit(i + 2, i + 2);
        }
        break;
    default:
        break;
    }
    out.mode = GL_TRIANGLES;
}

} // namespace platform::gles::es2
