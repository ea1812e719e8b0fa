#pragma once
// How the system driver turns the window system's handles into EGL's: the window backend in use
// installs one of these (platform/window). Without one, displays come from Mesa's surfaceless platform
// and window surfaces cannot be made.
#include "platform/gles/egl.h"

namespace platform::gles {

class NativeWindowing {
public:
    virtual ~NativeWindowing() = default;
    // The EGL platform of the displays (EGL_PLATFORM_X11_KHR or EGL_PLATFORM_SURFACELESS_MESA).
    virtual EGLenum eglPlatform() const = 0;
    // The platform's native display for a device context (an X Display*, or null for surfaceless).
    virtual void* eglNativeDisplay(EGLNativeDisplayType deviceContext) const = 0;
    // True when the window's surface is a pbuffer of its client size (the size is written); false when
    // it is a real window surface, made from eglNativeWindow.
    virtual bool pbufferWindow(EGLNativeWindowType window, EGLint& width, EGLint& height) const = 0;
    // What eglCreatePlatformWindowSurface takes for the window (a pointer to its X Window id).
    virtual void* eglNativeWindow(EGLNativeWindowType window) const = 0;
};

// Installs the windowing (null: none). The object must outlive its use.
void setNativeWindowing(const NativeWindowing* windowing);
const NativeWindowing* nativeWindowing();

// EGL_PLATFORM_ values used with it.
constexpr EGLenum eglPlatformX11 = 0x31D5;
constexpr EGLenum eglPlatformSurfaceless = 0x31DD;

} // namespace platform::gles
