#pragma once
// The OpenGL ES 1.1 translation as a driver: the dispatch table's GL functions carried out on an OpenGL
// ES 2.0 library, and the EGL functions of the library beneath with what an OpenGL ES 2.0 context needs:
// configs that render OpenGL ES 2.0 (which are then reported as rendering OpenGL ES 1.x too), contexts
// of client version 2, and the translation's own state switched with the current context.
#include "platform/gles/dispatch.h"
#include "platform/gles/es2/es2_functions.h"

namespace platform::gles::es2 {

// The translation over `es2`, with the EGL functions of `egl`. Both must outlive the use of the table.
// One translation exists at a time: a new one replaces the last (its contexts are forgotten).
DispatchTable translate(const Es2Functions& es2, const DispatchTable& egl);

} // namespace platform::gles::es2
