// The web build's `system` driver: the browser's WebGL 1, through Emscripten's EGL and its OpenGL ES 2.0
// functions, under the OpenGL ES 1.1 translation, behind the extension emulation. There is one path:
// WebGL 1 is OpenGL ES 2.0, and a browser offers no OpenGL ES 1.x.
#include "platform/gles/emulation.h"
#include "platform/gles/es2/translation_driver.h"
#include "platform/gles/system_driver.h"

#include <vector>

// Emscripten's functions under the names it gives them besides the standard ones (emscripten_egl.js and
// Emscripten's own emscripten_gl aliases); the standard names are the dispatch table's.
extern "C" {
#define NYM_EMSCRIPTEN_DECLARE(ret, name, params, args) ret emscripten_##name params;
NYM_ES2_FUNCTIONS(NYM_EMSCRIPTEN_DECLARE)
NYM_EGL_FUNCTIONS(NYM_EMSCRIPTEN_DECLARE)
#undef NYM_EMSCRIPTEN_DECLARE
}

namespace platform::gles {

namespace {

// Emscripten makes the WebGL context with the attributes of the last config choice, without a depth
// buffer unless one is asked for; the race draws with depth testing, as the emulation's order of
// configs says natively (depth of at least 16 bits first).
EGLBoolean chooseWithDepth(EGLDisplay dpy, const EGLint* attributes, EGLConfig* configs, EGLint configSize,
                           EGLint* numConfig) {
    std::vector<EGLint> list;
    bool depthGiven = false;
    for (const EGLint* a = attributes; a && a[0] != EGL_NONE; a += 2) {
        depthGiven = depthGiven || (a[0] == EGL_DEPTH_SIZE && a[1] > 0);
        list.insert(list.end(), {a[0], a[1]});
    }
    if (!depthGiven) {
        list.insert(list.end(), {EGL_DEPTH_SIZE, 16});
    }
    list.push_back(EGL_NONE);
    return emscripten_eglChooseConfig(dpy, list.data(), configs, configSize, numConfig);
}

const DispatchTable& translatedWebGl() {
    static es2::Es2Functions gl;
    static DispatchTable egl;
    static const DispatchTable translated = [] {
#define NYM_EMSCRIPTEN_GL(ret, name, params, args) gl.name = emscripten_##name;
        NYM_ES2_FUNCTIONS(NYM_EMSCRIPTEN_GL)
#undef NYM_EMSCRIPTEN_GL
#define NYM_EMSCRIPTEN_EGL(ret, name, params, args) egl.name = emscripten_##name;
        NYM_EGL_FUNCTIONS(NYM_EMSCRIPTEN_EGL)
#undef NYM_EMSCRIPTEN_EGL
        egl.eglChooseConfig = chooseWithDepth;
        return es2::translate(gl, egl);
    }();
    return translated;
}

} // namespace

void setGlPath(GlPath) {}

GlPath glPath() {
    return GlPath::Es2;
}

const DispatchTable& systemLibrary() {
    return translatedWebGl();
}

void installSystemDriver() {
    dispatchTable = emulate(systemLibrary());
}

std::string glPathProblem(GlPath path) {
    return path == GlPath::Es1 ? "a browser has no OpenGL ES 1.x; its WebGL 1 is OpenGL ES 2.0" : "";
}

bool chooseGlPath(std::optional<GlPath> named, std::string&, std::string& error) {
    if (named == GlPath::Es1) {
        error = "--gl=es1: " + glPathProblem(GlPath::Es1) + ", which --gl=es2 (the default) draws with";
        return false;
    }
    return true;
}

} // namespace platform::gles
