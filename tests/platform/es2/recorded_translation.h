#pragma once
// The translation installed over a recording OpenGL ES 2.0 library and the record driver's EGL, with a
// context current: the program's OpenGL ES 1.x calls go through the translation, and the test reads
// what reached the library.
#include "platform/gles/es2/record_es2.h"
#include "platform/gles/es2/translation_driver.h"
#include "platform/gles/record_driver.h"

#include <cstring>
#include <string>
#include <vector>

struct RecordedTranslation {
    platform::gles::RecordDriver egl;
    platform::gles::es2::RecordEs2 es2;
    platform::gles::DispatchTable eglTable = platform::gles::dispatchTable;
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLConfig config = nullptr;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;

    explicit RecordedTranslation(
        platform::gles::es2::RecordEs2::Mode mode = platform::gles::es2::RecordEs2::Mode::Log,
        platform::gles::RecordDriver::Mode eglMode = platform::gles::RecordDriver::Mode::Log)
        : egl(eglMode), es2(mode) {
        egl.setConfigs({{{EGL_CONFIG_ID, 1},
                         {EGL_RED_SIZE, 8},
                         {EGL_GREEN_SIZE, 8},
                         {EGL_BLUE_SIZE, 8},
                         {EGL_DEPTH_SIZE, 16},
                         {EGL_SURFACE_TYPE, EGL_WINDOW_BIT | EGL_PBUFFER_BIT},
                         {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES_BIT | EGL_OPENGL_ES2_BIT}}});
        platform::gles::dispatchTable = platform::gles::es2::translate(es2.functions(), eglTable);
        display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
        eglInitialize(display, nullptr, nullptr);
        EGLint count = 0;
        eglChooseConfig(display, nullptr, &config, 1, &count);
        surface = eglCreatePbufferSurface(display, config, nullptr);
        context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
        eglMakeCurrent(display, surface, surface, context);
        egl.clearLog();
        es2.clearLog();
    }
    ~RecordedTranslation() { eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT); }

    // The floats of a buffer from a byte offset.
    std::vector<float> floats(GLuint buffer, std::size_t offset, std::size_t count) const {
        std::vector<float> values(count);
        const std::vector<std::uint8_t>& bytes = es2.bufferData(buffer);
        if (offset + count * sizeof(float) <= bytes.size()) {
            std::memcpy(values.data(), bytes.data() + offset, count * sizeof(float));
        }
        return values;
    }
};

constexpr GLfixed kOne = 0x10000;
