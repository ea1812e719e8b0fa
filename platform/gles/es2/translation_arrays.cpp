// The client arrays of OpenGL ES 1.1: kept as the program describes them and read at each draw.
#include "platform/gles/es2/translation_context.h"

namespace platform::gles::es2 {

ClientArray* clientArray(FixedState& s, GLenum array) {
    switch (array) {
    case GL_VERTEX_ARRAY:
        return &s.vertices;
    case GL_NORMAL_ARRAY:
        return &s.normals;
    case GL_COLOR_ARRAY:
        return &s.colours;
    case GL_TEXTURE_COORD_ARRAY:
        return &s.units[static_cast<std::size_t>(s.clientUnit)].coordinates;
    default:
        return nullptr;
    }
}

namespace {

void setClientState(GLenum array, bool on) {
    Context& c = context();
    ClientArray* a = clientArray(c.state, array);
    if (!a) {
        setError(GL_INVALID_ENUM);
        return;
    }
    // Four texture coordinates make a unit's lookup projective.
    c.keyChanged |= array == GL_TEXTURE_COORD_ARRAY && a->enabled != on && a->size == 4;
    a->enabled = on;
}

void translated_glEnableClientState(GLenum array) {
    setClientState(array, true);
}

void translated_glDisableClientState(GLenum array) {
    setClientState(array, false);
}

void translated_glClientActiveTexture(GLenum texture) {
    if (texture < GL_TEXTURE0 || texture >= GL_TEXTURE0 + kTextureUnits) {
        setError(GL_INVALID_ENUM);
        return;
    }
    context().state.clientUnit = static_cast<int>(texture - GL_TEXTURE0);
}

// Sets an array's description after the checks of OpenGL ES 1.1: a size the array does not take is
// GL_INVALID_VALUE, a type it does not take GL_INVALID_ENUM.
bool describe(ClientArray& a, GLint size, GLenum type, GLsizei stride, const GLvoid* pointer, bool sizeValid,
              bool typeValid) {
    if (!typeValid) {
        setError(GL_INVALID_ENUM);
        return false;
    }
    if (!sizeValid || stride < 0) {
        setError(GL_INVALID_VALUE);
        return false;
    }
    a.size = size;
    a.type = type;
    a.stride = stride;
    a.pointer = pointer;
    return true;
}

bool coordinateType(GLenum type) {
    return type == GL_BYTE || type == GL_SHORT || type == GL_FIXED || type == GL_FLOAT;
}

void translated_glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    describe(context().state.vertices, size, type, stride, pointer, size >= 2 && size <= 4,
             coordinateType(type));
}

void translated_glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    describe(context().state.colours, size, type, stride, pointer, size == 4,
             type == GL_UNSIGNED_BYTE || type == GL_FIXED || type == GL_FLOAT);
}

void translated_glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    describe(context().state.normals, 3, type, stride, pointer, true, coordinateType(type));
}

void translated_glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    Context& c = context();
    ClientArray& a = *clientArray(c.state, GL_TEXTURE_COORD_ARRAY);
    const bool wasFour = a.size == 4;
    if (describe(a, size, type, stride, pointer, size >= 2 && size <= 4, coordinateType(type))) {
        c.keyChanged |= a.enabled && wasFour != (size == 4);
    }
}

} // namespace

void fillArrayFunctions(DispatchTable& table) {
    table.glEnableClientState = translated_glEnableClientState;
    table.glDisableClientState = translated_glDisableClientState;
    table.glClientActiveTexture = translated_glClientActiveTexture;
    table.glVertexPointer = translated_glVertexPointer;
    table.glColorPointer = translated_glColorPointer;
    table.glNormalPointer = translated_glNormalPointer;
    table.glTexCoordPointer = translated_glTexCoordPointer;
}

} // namespace platform::gles::es2
