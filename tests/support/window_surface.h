#pragma once
// An EGL context on a window's surface, set up as the shell sets it up (its config attribute list, no
// multisampling), for the window backends' tests. The destructor takes it down again.
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"
#include "platform/window/window.h"

#include <string>

class WindowSurface {
public:
    explicit WindowSurface(platform::Window* window);
    ~WindowSurface();
    WindowSurface(const WindowSurface&) = delete;
    WindowSurface& operator=(const WindowSurface&) = delete;

    // Empty when the context is current on the window's surface; otherwise what failed.
    const std::string& error() const { return error_; }
    EGLint width() const;
    EGLint height() const;
    // Clears the frame to the colour (16.16 fixed point) and presents it.
    bool present(GLfixed red, GLfixed green, GLfixed blue);

    EGLDisplay display = EGL_NO_DISPLAY;
    EGLConfig config = nullptr;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;

private:
    std::string error_;
};
