#pragma once
// The vertices and indices of each draw, copied out of the program's client arrays into buffer objects:
// OpenGL ES 2.0 would take client arrays, WebGL takes neither them nor GL_FIXED attributes, and the path
// a web build takes is the one tested here. GL_FIXED values become floats; bytes, shorts and floats are
// copied as they are. Each attribute's values are packed tightly (elements padded to 4 bytes) in one
// upload per draw into a vertex buffer, the indices in another into an element buffer; both buffers are
// filled front to back and orphaned when full, so a draw never writes where an earlier one reads.
#include "platform/gles/es2/es2_functions.h"
#include "platform/gles/es2/fixed_state.h"
#include "platform/gles/es2/shader_source.h"

#include <array>
#include <vector>

namespace platform::gles::es2 {

// What a context of the library has been told (bindings and attribute state are per context).
struct LibraryBindings {
    GLuint program = 0;
    GLuint arrayBuffer = 0;
    GLuint elementBuffer = 0;
    std::uint32_t enabledAttributes = 0;
    std::array<float, 4> colourAttribute{0, 0, 0, 1};
};

// The client array each attribute location reads (null: the attribute's array is disabled).
using AttributeSources = std::array<const ClientArray*, kAttributes>;

// Which vertices a draw reads: a range, or a list of vertex numbers (one per vertex drawn, for the
// expanded primitives of flat shading) with a second list for the colour (the provoking vertices).
struct VertexSelection {
    GLuint first = 0;
    GLsizei count = 0;
    const GLuint* vertices = nullptr;
    const GLuint* colours = nullptr;
};

class VertexStream {
public:
    // Uploads the selected vertices of each source and points its attribute at them; the attributes
    // without a source are disabled.
    void uploadVertices(const Es2Functions& gl, LibraryBindings& bound, const AttributeSources& sources,
                        const VertexSelection& selection);
    // Uploads `count` indices less `base` into the element buffer; returns their offset in it.
    GLintptr uploadIndices(const Es2Functions& gl, LibraryBindings& bound, GLenum type, const void* indices,
                           GLsizei count, GLuint base);

private:
    struct Ring {
        GLuint buffer = 0;
        GLsizeiptr capacity = 0;
        GLintptr head = 0;
    };
    // Room for `size` bytes in the ring's buffer (bound to `target`); returns the offset.
    GLintptr reserve(const Es2Functions& gl, LibraryBindings& bound, Ring& ring, GLenum target,
                     GLsizeiptr size);
    unsigned char* staging(std::size_t size);

    Ring vertices_;
    Ring indices_;
    std::vector<unsigned char> staging_;
};

} // namespace platform::gles::es2
