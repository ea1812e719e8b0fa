#pragma once
// The translation's side of an EGL context: the OpenGL ES 1.1 state, what the library's context has been
// told, and the share group's programs, texture records and stream buffers (programs, textures and
// buffers are shared objects in the library too). The translation's GL functions work on the current
// context; the EGL half switches it.
#include "platform/gles/dispatch.h"
#include "platform/gles/es2/es2_functions.h"
#include "platform/gles/es2/fixed_state.h"
#include "platform/gles/es2/flat_shading.h"
#include "platform/gles/es2/program_cache.h"
#include "platform/gles/es2/texture_records.h"
#include "platform/gles/es2/vertex_stream.h"

#include <memory>

namespace platform::gles::es2 {

struct ShareGroup {
    ProgramCache programs;
    TextureRecords textures;
    VertexStream stream;
    FlatPrimitives flat;
};

struct Context {
    std::shared_ptr<ShareGroup> group; // null for the stand-in used while no context is current
    FixedState state;
    TextureRecord defaultTexture; // texture name 0
    LibraryBindings bound;
    // The shader key and program of the state, worked out again at the next draw after a change that may
    // alter them.
    bool keyChanged = true;
    ShaderKey key;
    ProgramRecord* program = nullptr;
    Matrix mvp;
    std::uint64_t mvpVersion = kNoVersion;
    // The steps of the colour buffer's alpha test: 255 for 8-bit colour channels, 0 (compared as floats)
    // for others; -1 until asked after the context was made current (the answer stamps the state's
    // alphaVersion).
    int alphaSteps = -1;
};

// The OpenGL ES 2.0 library under the translation.
const Es2Functions& library();
void setLibrary(const Es2Functions& functions);
inline const Es2Functions& gl() {
    return library();
}

// The current context; while none is, a stand-in whose state changes go nowhere and which draws nothing.
Context& context();
void setCurrentContext(Context* current);

// Records an OpenGL ES 1.x error for glGetError, unless one is waiting already.
void setError(GLenum error);

// The client array (GL_VERTEX_ARRAY, ...; the coordinates of the client unit), null for another name.
ClientArray* clientArray(FixedState& s, GLenum array);

// The record of the texture bound to the unit (the context's default texture for name 0).
TextureRecord& boundTexture(Context& c, int unit);

// The GL entries of the table, by concern.
void fillStateFunctions(DispatchTable& table);
void fillMatrixFunctions(DispatchTable& table);
void fillArrayFunctions(DispatchTable& table);
void fillTextureFunctions(DispatchTable& table);
void fillDrawFunctions(DispatchTable& table);
void fillQueryFunctions(DispatchTable& table);

} // namespace platform::gles::es2
