#include "shell/native_shell.h"

#include "platform/debug_output.h"
#include "shell/extension_search.h"

bool NativeShell::InitEGL(platform::Window* target) {
    for (int attempt = 0;; ++attempt) {
        deviceContext = platform::windowDeviceContext(target);
        display = eglGetDisplay(deviceContext);
        if (!eglInitialize(display, &major, &minor)) {
            platform::outputDebugString(L"Unable to initialise egl\n");
            return false;
        }
        powerManagement = HasEGLExtension(display, "EGL_ZEB_power_management") ? 1 : 0;
        eglConfig = ChooseConfig();

        context = eglCreateContext(display, eglConfig, EGL_NO_CONTEXT, nullptr);
        if (context == EGL_NO_CONTEXT) {
            platform::outputDebugString(L"Unable to create a context\n");
            return false;
        }
        surface = eglCreateWindowSurface(display, eglConfig, target, nullptr);
        if (surface == EGL_NO_SURFACE) {
            platform::outputDebugString(L"Unable to create window surface\n");
            return false;
        }
        if (eglMakeCurrent(display, surface, surface, context)) {
            return true;
        }
        // A context lost between creation and use is rebuilt, a bounded number of times; the objects of
        // the failed attempt go first.
        if (eglGetError() == EGL_CONTEXT_LOST && powerManagement != 0 && attempt < MaxContextLostRetries) {
            eglDestroySurface(display, surface);
            eglDestroyContext(display, context);
            surface = EGL_NO_SURFACE;
            context = EGL_NO_CONTEXT;
            continue;
        }
        platform::outputDebugString(L"Unable to make current context\n");
        return false;
    }
}

EGLConfig NativeShell::ChooseConfig() {
    const bool multisample = config->fsaaMode == 1 || config->fsaaMode == 2;
    EGLint attributes[11];
    int i = 0;
    attributes[i++] = EGL_LEVEL;
    attributes[i++] = 0;
    attributes[i++] = EGL_NATIVE_RENDERABLE;
    attributes[i++] = EGL_FALSE;
    attributes[i++] = EGL_SURFACE_TYPE;
    attributes[i++] = EGL_WINDOW_BIT | EGL_PBUFFER_BIT;
    attributes[i++] = EGL_SAMPLE_BUFFERS;
    attributes[i++] = multisample ? 1 : 0;
    if (multisample) {
        attributes[i++] = EGL_SAMPLES;
        attributes[i++] = config->fsaaMode == 1 ? 2 : 4;
    }
    attributes[i] = EGL_NONE;

    EGLConfig chosen = nullptr;
    EGLint matches = 0;
    if (eglChooseConfig(display, attributes, &chosen, 1, &matches) && matches == 1) {
        return chosen;
    }
    return nullptr;
}

void NativeShell::ReleaseEGL() {
    eglSwapBuffers(display, surface);
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglDestroySurface(display, surface);
    eglTerminate(display);
    // The handles are gone: a later swap or release must not hand them to EGL again.
    surface = EGL_NO_SURFACE;
    context = EGL_NO_CONTEXT;
    eglConfig = nullptr;
}
