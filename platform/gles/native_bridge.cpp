#include "platform/gles/native_bridge.h"

#include "platform/gles/native_windowing.h"

#include <dlfcn.h>

#include <algorithm>
#include <map>
#include <vector>

namespace platform::gles {

namespace {

using GetPlatformDisplay = EGLDisplay (*)(EGLenum platform, void* nativeDisplay, const EGLint* attributes);
using CreatePlatformWindowSurface = EGLSurface (*)(EGLDisplay dpy, EGLConfig config, void* nativeWindow,
                                                   const EGLint* attributes);
using GetProcAddress = void* (*)(const char* name);
using SwapInterval = EGLBoolean (*)(EGLDisplay dpy, EGLint interval);

const DispatchTable* lib = nullptr;
GetPlatformDisplay getPlatformDisplay = nullptr;
CreatePlatformWindowSurface createPlatformWindowSurface = nullptr;
SwapInterval swapInterval = nullptr;

// The pbuffers that stand in for windows. Swapping a pbuffer does nothing, so the GL would queue frame
// after frame without ever rendering them; a stand-in's swap finishes the frame, as a real present does.
std::vector<EGLSurface> standInSurfaces;

bool isStandIn(EGLSurface surface) {
    return std::find(standInSurfaces.begin(), standInSurfaces.end(), surface) != standInSurfaces.end();
}

// The window surfaces whose presentation the windowing paces, with their windows.
std::map<EGLSurface, EGLNativeWindowType> pacedSurfaces;

// The EXT entry points take EGLint attribute lists, the EGL 1.5 ones EGLAttrib lists; only empty lists
// are passed here, so either will do.
template <typename F> F find(void* egl, const char* core, const char* ext) {
    if (void* symbol = dlsym(egl, core)) {
        return reinterpret_cast<F>(symbol);
    }
    if (auto procAddress = reinterpret_cast<GetProcAddress>(dlsym(egl, "eglGetProcAddress"))) {
        return reinterpret_cast<F>(procAddress(ext));
    }
    return nullptr;
}

EGLDisplay bridgedGetDisplay(EGLNativeDisplayType deviceContext) {
    const NativeWindowing* windowing = nativeWindowing();
    const EGLenum platform = windowing ? windowing->eglPlatform() : eglPlatformSurfaceless;
    void* native = windowing ? windowing->eglNativeDisplay(deviceContext) : nullptr;
    if (!getPlatformDisplay) {
        return platform == eglPlatformX11 ? lib->eglGetDisplay(native) : EGL_NO_DISPLAY;
    }
    return getPlatformDisplay(platform, native, nullptr);
}

EGLSurface bridgedCreateWindowSurface(EGLDisplay dpy, EGLConfig config, EGLNativeWindowType window,
                                      const EGLint* attributes) {
    const NativeWindowing* windowing = nativeWindowing();
    if (!windowing || !window) {
        return lib->eglCreateWindowSurface(dpy, config, nullptr, attributes);
    }
    EGLint width = 0;
    EGLint height = 0;
    if (windowing->pbufferWindow(window, width, height)) {
        const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        const EGLSurface surface = lib->eglCreatePbufferSurface(dpy, config, size);
        if (surface != EGL_NO_SURFACE) {
            standInSurfaces.push_back(surface);
        }
        return surface;
    }
    void* native = windowing->eglNativeWindow(window);
    EGLSurface surface = EGL_NO_SURFACE;
    if (createPlatformWindowSurface) {
        surface = createPlatformWindowSurface(dpy, config, native, nullptr);
    } else if (windowing->eglPlatform() == eglPlatformX11) {
        surface = lib->eglCreateWindowSurface(
            dpy, config, reinterpret_cast<EGLNativeWindowType>(*static_cast<unsigned long*>(native)),
            attributes);
    }
    if (surface != EGL_NO_SURFACE && windowing->pacesFrames()) {
        pacedSurfaces[surface] = window;
    }
    return surface;
}

EGLBoolean bridgedMakeCurrent(EGLDisplay dpy, EGLSurface draw, EGLSurface read, EGLContext context) {
    const EGLBoolean ok = lib->eglMakeCurrent(dpy, draw, read, context);
    if (ok && swapInterval && pacedSurfaces.count(draw)) {
        swapInterval(dpy, 0);
    }
    return ok;
}

EGLBoolean bridgedSwapBuffers(EGLDisplay dpy, EGLSurface surface) {
    const auto paced = pacedSurfaces.find(surface);
    if (paced != pacedSurfaces.end() && nativeWindowing()) {
        nativeWindowing()->beforeSwap(paced->second);
    }
    const EGLBoolean ok = lib->eglSwapBuffers(dpy, surface);
    if (ok && isStandIn(surface)) {
        lib->glFinish();
    }
    return ok;
}

EGLBoolean bridgedDestroySurface(EGLDisplay dpy, EGLSurface surface) {
    standInSurfaces.erase(std::remove(standInSurfaces.begin(), standInSurfaces.end(), surface),
                          standInSurfaces.end());
    pacedSurfaces.erase(surface);
    return lib->eglDestroySurface(dpy, surface);
}

} // namespace

void bridgeNativeHandles(DispatchTable& table, const DispatchTable& library, void* eglLibrary) {
    lib = &library;
    getPlatformDisplay =
        find<GetPlatformDisplay>(eglLibrary, "eglGetPlatformDisplay", "eglGetPlatformDisplayEXT");
    createPlatformWindowSurface = find<CreatePlatformWindowSurface>(
        eglLibrary, "eglCreatePlatformWindowSurface", "eglCreatePlatformWindowSurfaceEXT");
    swapInterval = reinterpret_cast<SwapInterval>(dlsym(eglLibrary, "eglSwapInterval"));
    table.eglGetDisplay = bridgedGetDisplay;
    table.eglCreateWindowSurface = bridgedCreateWindowSurface;
    table.eglMakeCurrent = bridgedMakeCurrent;
    table.eglSwapBuffers = bridgedSwapBuffers;
    table.eglDestroySurface = bridgedDestroySurface;
}

} // namespace platform::gles
