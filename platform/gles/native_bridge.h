#pragma once
// The system library's EGL with the window system's handles translated to its own (see
// native_windowing.h): eglGetDisplay takes a device context, eglCreateWindowSurface one of our windows.
// A pbuffer standing in for a window finishes its frame when it is swapped. A window surface whose
// windowing paces its frames gets swap interval 0 when made current and the windowing's beforeSwap before
// each swap.
#include "platform/gles/dispatch.h"

namespace platform::gles {

// Replaces eglGetDisplay, eglCreateWindowSurface, eglMakeCurrent, eglSwapBuffers and eglDestroySurface of
// the loaded library's table with the translating versions. `library` must outlive the use of the table;
// `eglLibrary` is the dlopen handle.
void bridgeNativeHandles(DispatchTable& table, const DispatchTable& library, void* eglLibrary);

} // namespace platform::gles
