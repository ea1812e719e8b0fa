#include "tests/support/window_surface.h"

#include <sstream>

WindowSurface::WindowSurface(platform::Window* window) {
    const auto fail = [this](const char* what) {
        std::ostringstream text;
        text << what << " (EGL error 0x" << std::hex << eglGetError() << ")";
        error_ = text.str();
    };
    display = eglGetDisplay(platform::windowDeviceContext(window));
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        fail("no EGL display");
        return;
    }
    const EGLint attributes[] = {EGL_LEVEL,
                                 0,
                                 EGL_NATIVE_RENDERABLE,
                                 EGL_FALSE,
                                 EGL_SURFACE_TYPE,
                                 EGL_WINDOW_BIT | EGL_PBUFFER_BIT,
                                 EGL_SAMPLE_BUFFERS,
                                 0,
                                 EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(display, attributes, &config, 1, &count) || count != 1) {
        fail("no config");
        return;
    }
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) {
        fail("no context");
        return;
    }
    surface = eglCreateWindowSurface(display, config, window, nullptr);
    if (surface == EGL_NO_SURFACE) {
        fail("no window surface");
        return;
    }
    if (!eglMakeCurrent(display, surface, surface, context)) {
        fail("cannot make the context current");
    }
}

WindowSurface::~WindowSurface() {
    if (display == EGL_NO_DISPLAY) {
        return;
    }
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT) {
        eglDestroyContext(display, context);
    }
    if (surface != EGL_NO_SURFACE) {
        eglDestroySurface(display, surface);
    }
    eglTerminate(display);
}

EGLint WindowSurface::width() const {
    EGLint value = 0;
    eglQuerySurface(display, surface, EGL_WIDTH, &value);
    return value;
}

EGLint WindowSurface::height() const {
    EGLint value = 0;
    eglQuerySurface(display, surface, EGL_HEIGHT, &value);
    return value;
}

bool WindowSurface::present(GLfixed red, GLfixed green, GLfixed blue) {
    glClearColorx(red, green, blue, 0x10000);
    glClear(GL_COLOR_BUFFER_BIT);
    return eglSwapBuffers(display, surface);
}
