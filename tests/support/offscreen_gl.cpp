#include "tests/support/offscreen_gl.h"

bool OffscreenGl::open(int surfaceWidth, int surfaceHeight) {
    display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        return false;
    }
    const EGLint attributes[] = {EGL_RED_SIZE,   8, EGL_GREEN_SIZE, 8,  EGL_BLUE_SIZE,    8,
                                 EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 16, EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                                 EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(display, attributes, &config, 1, &count) || count != 1) {
        return false;
    }
    const EGLint size[] = {EGL_WIDTH, surfaceWidth, EGL_HEIGHT, surfaceHeight, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, size);
    width = surfaceWidth;
    height = surfaceHeight;
    return surface != EGL_NO_SURFACE && newContext();
}

bool OffscreenGl::newContext() {
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    return context != EGL_NO_CONTEXT && eglMakeCurrent(display, surface, surface, context);
}

void OffscreenGl::close() {
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT) {
        eglDestroyContext(display, context);
    }
    if (surface != EGL_NO_SURFACE) {
        eglDestroySurface(display, surface);
    }
    eglTerminate(display);
    context = EGL_NO_CONTEXT;
    surface = EGL_NO_SURFACE;
}

void drawTextureOnQuad(GLuint texture, int width, int height) {
    constexpr GLfixed one = 0x10000;
    static const GLfixed corners[] = {-one, -one, one, -one, -one, one, one, one};
    static const GLfixed texels[] = {0, 0, one, 0, 0, one, one, one};
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DITHER);
    glClearColorx(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FIXED, 0, corners);
    glTexCoordPointer(2, GL_FIXED, 0, texels);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

std::vector<std::uint8_t> readPixels(int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height * 4));
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
