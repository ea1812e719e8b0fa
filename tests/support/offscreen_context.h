#pragma once
// A GL ES 1.x context on an off-screen pbuffer of the system driver (Mesa's surfaceless platform), for
// tests that look at rendered pixels.
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"

#include <cstdint>
#include <string>
#include <vector>

class OffscreenContext {
public:
    // A surface of 8-bit colour channels, or with `rgb565` one of 16-bit 5-6-5 pixels.
    OffscreenContext(int width, int height, bool rgb565 = false);
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // Empty when the context is current; otherwise what failed.
    const std::string& error() const { return error_; }

    // The colour buffer, top row first, RGBA.
    std::vector<std::uint8_t> readPixels() const;

private:
    int width_;
    int height_;
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLSurface surface_ = EGL_NO_SURFACE;
    EGLContext context_ = EGL_NO_CONTEXT;
    std::string error_;
};
