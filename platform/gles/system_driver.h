#pragma once
// The `system` driver: the system's OpenGL ES 1.x and EGL libraries, loaded at run time, with the
// extension emulation in front of them.
#include "platform/gles/dispatch.h"

namespace platform::gles {

// Loads libGLESv1_CM.so.1 and libEGL.so.1 (or the files named by NYM_GLES_LIBRARY and NYM_EGL_LIBRARY)
// once and installs them, behind the emulation, in the dispatch table. A library that cannot be loaded
// ends the process with exit code 1 after one line on standard error naming it and its packages.
void installSystemDriver();

// The libraries' own functions, without the emulation (loads them if needed).
const DispatchTable& systemLibrary();

} // namespace platform::gles
