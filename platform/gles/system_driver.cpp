#include "platform/gles/system_driver.h"

#include "platform/gles/emulation.h"
#include "platform/gles/es2/translation_driver.h"
#include "platform/gles/native_bridge.h"
#include "platform/gles/native_windowing.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace platform::gles {

namespace {

GlPath chosenPath = GlPath::Es1;

struct LibraryChoice {
    const char* variable; // overrides the file name
    const char* file;
    const char* what;
    const char* packages;
};

constexpr LibraryChoice glesLibrary{"NYM_GLES_LIBRARY", "libGLESv1_CM.so.1", "OpenGL ES 1.x",
                                    "libgles1 and libgl1-mesa-dri"};
constexpr LibraryChoice gles2Library{"NYM_GLES2_LIBRARY", "libGLESv2.so.2", "OpenGL ES 2.0",
                                     "libgles2 and libgl1-mesa-dri"};
constexpr LibraryChoice eglLibrary{"NYM_EGL_LIBRARY", "libEGL.so.1", "EGL",
                                   "libegl1, libegl-mesa0 and libgl1-mesa-dri"};

[[noreturn]] void fail(const std::string& line) {
    std::fprintf(stderr, "nymbus: %s\n", line.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

// The library, or null with the reason in `error`.
void* tryOpen(const LibraryChoice& choice, std::string& error) {
    const char* override = std::getenv(choice.variable);
    const std::string file = override && *override ? override : choice.file;
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        error = "cannot load the " + std::string(choice.what) + " library " + file +
                (override && *override ? std::string(" (named by ") + choice.variable + ")" : std::string()) +
                "; on Debian it comes with the packages " + choice.packages;
    }
    return library;
}

void* open(const LibraryChoice& choice) {
    std::string error;
    void* library = tryOpen(choice, error);
    if (!library) {
        fail(error);
    }
    return library;
}

template <typename F> void resolve(void* library, const LibraryChoice& choice, const char* name, F& entry) {
    void* symbol = dlsym(library, name);
    if (!symbol) {
        fail("the " + std::string(choice.what) + " library has no " + name +
             "; on Debian install the packages " + choice.packages);
    }
    entry = reinterpret_cast<F>(symbol);
}

void* eglHandle() {
    static void* const handle = open(eglLibrary);
    return handle;
}

void resolveEgl(DispatchTable& table) {
#define NYM_RESOLVE_EGL(ret, name, params, args) resolve(eglHandle(), eglLibrary, #name, table.name);
    NYM_EGL_FUNCTIONS(NYM_RESOLVE_EGL)
#undef NYM_RESOLVE_EGL
}

struct Library {
    DispatchTable raw;     // the libraries' own functions
    DispatchTable bridged; // with the window system's handles translated
};

const DispatchTable& es1Library() {
    static Library library;
    static const bool loaded = [] {
        void* gles = open(glesLibrary);
#define NYM_RESOLVE_GL(ret, name, params, args) resolve(gles, glesLibrary, #name, library.raw.name);
        NYM_GL_FUNCTIONS(NYM_RESOLVE_GL)
#undef NYM_RESOLVE_GL
        resolveEgl(library.raw);
        library.bridged = library.raw;
        bridgeNativeHandles(library.bridged, library.raw, eglHandle());
        return true;
    }();
    (void)loaded;
    return library.bridged;
}

// The translation over libGLESv2, on the bridged EGL (whose stand-in windows finish their frames with
// the OpenGL ES 2.0 library's glFinish).
const DispatchTable& es2Library() {
    static es2::Es2Functions functions;
    static Library egl;
    static DispatchTable translated;
    static const bool loaded = [] {
        void* gles2 = open(gles2Library);
#define NYM_RESOLVE_ES2(ret, name, params, args) resolve(gles2, gles2Library, #name, functions.name);
        NYM_ES2_FUNCTIONS(NYM_RESOLVE_ES2)
#undef NYM_RESOLVE_ES2
        resolveEgl(egl.raw);
        egl.raw.glFinish = functions.glFinish;
        egl.bridged = egl.raw;
        bridgeNativeHandles(egl.bridged, egl.raw, eglHandle());
        translated = es2::translate(functions, egl.bridged);
        return true;
    }();
    (void)loaded;
    return translated;
}

// The EGL calls of the probe, straight from the library.
struct ProbeEgl {
    EGLDisplay (*getDisplay)(EGLNativeDisplayType) = nullptr;
    EGLDisplay (*getPlatformDisplay)(EGLenum, void*, const EGLint*) = nullptr;
    EGLBoolean (*initialize)(EGLDisplay, EGLint*, EGLint*) = nullptr;
    EGLBoolean (*chooseConfig)(EGLDisplay, const EGLint*, EGLConfig*, EGLint, EGLint*) = nullptr;
    EGLContext (*createContext)(EGLDisplay, EGLConfig, EGLContext, const EGLint*) = nullptr;
    EGLBoolean (*destroyContext)(EGLDisplay, EGLContext) = nullptr;
    EGLint (*getError)() = nullptr;
};

template <typename F> bool find(void* library, const char* name, F& entry) {
    entry = reinterpret_cast<F>(dlsym(library, name));
    return entry != nullptr;
}

} // namespace

void setGlPath(GlPath path) {
    chosenPath = path;
}

GlPath glPath() {
    return chosenPath;
}

const DispatchTable& systemLibrary() {
    return chosenPath == GlPath::Es1 ? es1Library() : es2Library();
}

void installSystemDriver() {
    dispatchTable = emulate(systemLibrary());
    // Through the translation Mesa takes DXT1 levels, but llvmpipe samples them at about a third more
    // processor time per race frame than decoded ones (where the OpenGL ES 1.x library refuses them and
    // they are decoded anyway): the program's 4 bpp levels are decoded on both paths.
    if (chosenPath == GlPath::Es2) {
        setDxt1HandOff(false);
    }
}

std::string glPathProblem(GlPath path) {
    const bool es1 = path == GlPath::Es1;
    std::string error;
    if (!tryOpen(es1 ? glesLibrary : gles2Library, error)) {
        return error;
    }
    void* egl = tryOpen(eglLibrary, error);
    if (!egl) {
        return error;
    }
    ProbeEgl e;
    if (!find(egl, "eglGetDisplay", e.getDisplay) || !find(egl, "eglInitialize", e.initialize) ||
        !find(egl, "eglChooseConfig", e.chooseConfig) || !find(egl, "eglCreateContext", e.createContext) ||
        !find(egl, "eglDestroyContext", e.destroyContext) || !find(egl, "eglGetError", e.getError)) {
        return "the EGL library lacks a function of EGL 1.4";
    }
    find(egl, "eglGetPlatformDisplay", e.getPlatformDisplay);
    EGLDisplay display = e.getPlatformDisplay ? e.getPlatformDisplay(eglPlatformSurfaceless, nullptr, nullptr)
                                              : EGL_NO_DISPLAY;
    if (display == EGL_NO_DISPLAY) {
        display = e.getDisplay(EGL_DEFAULT_DISPLAY);
    }
    const char* what = es1 ? "OpenGL ES 1.x" : "OpenGL ES 2.0";
    if (display == EGL_NO_DISPLAY || !e.initialize(display, nullptr, nullptr)) {
        return "EGL has no display to try " + std::string(what) + " on";
    }
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, es1 ? EGL_OPENGL_ES_BIT : EGL_OPENGL_ES2_BIT,
                                       EGL_SURFACE_TYPE, 0, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!e.chooseConfig(display, configAttributes, &config, 1, &count) || count < 1) {
        return "EGL offers no config for " + std::string(what);
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, es1 ? 1 : 2, EGL_NONE};
    const EGLContext context = e.createContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(e.getError()));
        return "EGL gives no " + std::string(what) + " context (error " + code + ")";
    }
    e.destroyContext(display, context);
    return {};
}

bool chooseGlPath(std::optional<GlPath> named, std::string& note, std::string& error) {
    const GlPath first = named.value_or(GlPath::Es1);
    const std::string problem = glPathProblem(first);
    if (problem.empty()) {
        setGlPath(first);
        return true;
    }
    if (named) {
        error = std::string("--gl=") + glPathName(first) + ": " + problem;
        return false;
    }
    const std::string es2Problem = glPathProblem(GlPath::Es2);
    if (!es2Problem.empty()) {
        error = "no OpenGL ES to draw with: " + problem + "; and " + es2Problem;
        return false;
    }
    note = "no OpenGL ES 1.x (" + problem + "): drawing through the OpenGL ES 2.0 translation (--gl=es2)";
    setGlPath(GlPath::Es2);
    return true;
}

} // namespace platform::gles
