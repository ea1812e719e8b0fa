#include "tests/support/offscreen_context.h"

#include "platform/gles/system_driver.h"

#include <cstring>

OffscreenContext::OffscreenContext(int width, int height, bool rgb565) : width_(width), height_(height) {
    platform::gles::installSystemDriver();
    display_ = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
        error_ = "no EGL display";
        return;
    }
    const EGLint attributes[] = {EGL_SURFACE_TYPE,  EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                 EGL_OPENGL_ES_BIT, EGL_RED_SIZE,    rgb565 ? 5 : 8,
                                 EGL_GREEN_SIZE,    rgb565 ? 6 : 8,  EGL_BLUE_SIZE,
                                 rgb565 ? 5 : 8,    EGL_NONE};
    EGLConfig configs[64];
    EGLint count = 0;
    if (!eglChooseConfig(display_, attributes, configs, 64, &count) || count < 1) {
        error_ = "no pbuffer config";
        return;
    }
    // The sizes asked for are minimums, and larger ones come first: a 5-6-5 surface is looked for.
    EGLConfig config = configs[0];
    for (EGLint i = 0; rgb565 && i < count; ++i) {
        EGLint green = 0;
        eglGetConfigAttrib(display_, configs[i], EGL_GREEN_SIZE, &green);
        if (green == 6) {
            config = configs[i];
            break;
        }
    }
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface_ = eglCreatePbufferSurface(display_, config, size);
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    if (surface_ == EGL_NO_SURFACE || context_ == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display_, surface_, surface_, context_)) {
        error_ = "no pbuffer context";
        return;
    }
    glViewport(0, 0, width, height);
}

OffscreenContext::~OffscreenContext() {
    if (display_ == EGL_NO_DISPLAY) {
        return;
    }
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != EGL_NO_CONTEXT) {
        eglDestroyContext(display_, context_);
    }
    if (surface_ != EGL_NO_SURFACE) {
        eglDestroySurface(display_, surface_);
    }
}

std::vector<std::uint8_t> OffscreenContext::readPixels() const {
    const std::size_t row = static_cast<std::size_t>(width_) * 4;
    std::vector<std::uint8_t> bottomUp(row * height_);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> topDown(bottomUp.size());
    for (int y = 0; y < height_; ++y) {
        std::memcpy(&topDown[y * row], &bottomUp[(height_ - 1 - y) * row], row);
    }
    return topDown;
}
