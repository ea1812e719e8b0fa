#include "runner/report/run_environment.h"

#include "platform/gles/egl.h"
#include "platform/gles/emulation.h"
#include "platform/gles/gl.h"
#include "platform/window/window_backend.h"

#include <vector>

namespace runner::report {

namespace {

std::string glText(GLenum name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text ? text : "";
}

EglConfigDescription describeCurrentConfig() {
    EglConfigDescription d;
    const EGLDisplay display = platform::gles::currentDisplay();
    const EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
    EGLint id = 0;
    if (display == EGL_NO_DISPLAY || surface == EGL_NO_SURFACE ||
        !eglQuerySurface(display, surface, EGL_CONFIG_ID, &id)) {
        return d;
    }
    const EGLint wanted[] = {EGL_CONFIG_ID, id, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, &config, 1, &count) || count < 1) {
        return d;
    }
    const auto attribute = [&](EGLint name) {
        EGLint value = 0;
        eglGetConfigAttrib(display, config, name, &value);
        return static_cast<int>(value);
    };
    d.id = id;
    d.red = attribute(EGL_RED_SIZE);
    d.green = attribute(EGL_GREEN_SIZE);
    d.blue = attribute(EGL_BLUE_SIZE);
    d.alpha = attribute(EGL_ALPHA_SIZE);
    d.depth = attribute(EGL_DEPTH_SIZE);
    d.stencil = attribute(EGL_STENCIL_SIZE);
    d.samples = attribute(EGL_SAMPLES);
    return d;
}

} // namespace

RunEnvironment queryRunEnvironment(int width, int height) {
    RunEnvironment e;
    e.version = NYM_VERSION;
    e.backend = platform::windowBackendName(platform::windowBackend());
    e.glVendor = glText(GL_VENDOR);
    e.glRenderer = glText(GL_RENDERER);
    e.glVersion = glText(GL_VERSION);
    e.config = describeCurrentConfig();
    e.width = width;
    e.height = height;
    return e;
}

std::string describeConfig(const EglConfigDescription& c) {
    return "RGBA " + std::to_string(c.red) + "/" + std::to_string(c.green) + "/" + std::to_string(c.blue) +
           "/" + std::to_string(c.alpha) + ", depth " + std::to_string(c.depth) + ", stencil " +
           std::to_string(c.stencil) + ", samples " + std::to_string(c.samples) + " (config " +
           std::to_string(c.id) + ")";
}

} // namespace runner::report
