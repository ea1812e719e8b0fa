#pragma once
// Flat shading, which OpenGL ES 2.0 does not have: a draw whose colours vary and whose shade model is
// GL_FLAT becomes a list of separate lines or triangles, each vertex taking its colour from the
// primitive's provoking vertex (the last of a line or triangle; the first vertex closes a line loop).
// Strip triangles keep their winding. Points need nothing.
#include "platform/gles/gl.h"

#include <vector>

namespace platform::gles::es2 {

struct FlatPrimitives {
    GLenum mode = GL_TRIANGLES;   // GL_LINES or GL_TRIANGLES
    std::vector<GLuint> vertices; // the vertex number of each vertex drawn
    std::vector<GLuint> colours;  // the vertex number its colour comes from
};

// Expands `count` vertices of a line or triangle mode, the i-th being vertex first + i, or the i-th
// index when `indices` is given (of `type`). The lists only grow, so a reused object stops allocating.
void expandFlat(GLenum mode, GLsizei count, GLint first, GLenum type, const void* indices,
                FlatPrimitives& out);

} // namespace platform::gles::es2
