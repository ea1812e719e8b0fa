#pragma once
// A GL ES context on Mesa with a pbuffer surface, made through the program's own EGL calls (system
// driver and emulation), and helpers to draw a texture on the whole surface and read it back.
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"

#include <cstdint>
#include <vector>

struct OffscreenGl {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLConfig config = nullptr;
    EGLContext context = EGL_NO_CONTEXT;
    EGLSurface surface = EGL_NO_SURFACE;
    int width = 0;
    int height = 0;

    // An RGBA 8888 config with depth, a pbuffer of width x height, current.
    bool open(int surfaceWidth, int surfaceHeight);
    // A new context (in the emulation's share group) made current on the same surface.
    bool newContext();
    void close();
};

// Draws the bound 2D texture over the whole viewport with GL_REPLACE and nearest filtering, so that
// with a surface of the texture's size each pixel shows one texel (row 0 at the bottom, as read back).
void drawTextureOnQuad(GLuint texture, int width, int height);

// glReadPixels of the whole surface, RGBA, bottom row first.
std::vector<std::uint8_t> readPixels(int width, int height);
