#pragma once
// How the system driver turns the window system's handles into EGL's: the window backend in use
// installs one of these (platform/window). Without one, displays come from Mesa's surfaceless platform
// and window surfaces cannot be made.
#include "platform/gles/egl.h"

namespace platform::gles {

class NativeWindowing {
public:
    virtual ~NativeWindowing() = default;
    // The EGL platform of the displays (EGL_PLATFORM_X11_KHR, EGL_PLATFORM_WAYLAND_KHR,
    // EGL_PLATFORM_SURFACELESS_MESA, or the browser's).
    virtual EGLenum eglPlatform() const = 0;
    // The platform's native display for a device context (an X Display*, a wl_display*, or null for
    // surfaceless).
    virtual void* eglNativeDisplay(EGLNativeDisplayType deviceContext) const = 0;
    // True when the window's surface is a pbuffer of its client size (the size is written); false when
    // it is a real window surface, made from eglNativeWindow.
    virtual bool pbufferWindow(EGLNativeWindowType window, EGLint& width, EGLint& height) const = 0;
    // What eglCreatePlatformWindowSurface takes for the window (a pointer to its X Window id, or a
    // wl_egl_window).
    virtual void* eglNativeWindow(EGLNativeWindowType window) const = 0;
    // Whether the windowing paces the presentation of its window surfaces itself: the library's swap is
    // then told not to wait (swap interval 0), and beforeSwap runs before each swap of such a surface.
    virtual bool pacesFrames() const { return false; }
    virtual void beforeSwap(EGLNativeWindowType) const {}
};

// Installs the windowing (null: none). The object must outlive its use.
void setNativeWindowing(const NativeWindowing* windowing);
const NativeWindowing* nativeWindowing();

// EGL_PLATFORM_ values used with it.
constexpr EGLenum eglPlatformX11 = 0x31D5;
constexpr EGLenum eglPlatformWayland = 0x31D8;
constexpr EGLenum eglPlatformSurfaceless = 0x31DD;
// Not an EGL platform: a browser's EGL (Emscripten's) draws on the page's canvas and takes no handles.
constexpr EGLenum eglPlatformBrowser = 0;

} // namespace platform::gles
