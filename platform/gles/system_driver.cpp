#include "platform/gles/system_driver.h"

#include "platform/gles/emulation.h"
#include "platform/gles/native_bridge.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace platform::gles {

namespace {

struct LibraryChoice {
    const char* variable; // overrides the file name
    const char* file;
    const char* what;
    const char* packages;
};

constexpr LibraryChoice glesLibrary{"NYM_GLES_LIBRARY", "libGLESv1_CM.so.1", "OpenGL ES 1.x",
                                    "libgles1 and libgl1-mesa-dri"};
constexpr LibraryChoice eglLibrary{"NYM_EGL_LIBRARY", "libEGL.so.1", "EGL",
                                   "libegl1, libegl-mesa0 and libgl1-mesa-dri"};

[[noreturn]] void fail(const std::string& line) {
    std::fprintf(stderr, "nymbus: %s\n", line.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

void* open(const LibraryChoice& choice) {
    const char* override = std::getenv(choice.variable);
    const std::string file = override && *override ? override : choice.file;
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        fail("cannot load the " + std::string(choice.what) + " library " + file +
             (override && *override ? std::string(" (named by ") + choice.variable + ")" : std::string()) +
             "; on Debian it comes with the packages " + choice.packages);
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

struct Library {
    DispatchTable raw;     // the libraries' own functions
    DispatchTable bridged; // with the window system's handles translated
};

void load(Library& library) {
    DispatchTable& table = library.raw;
    void* gles = open(glesLibrary);
    void* egl = open(eglLibrary);
#define NYM_RESOLVE_GL(ret, name, params, args) resolve(gles, glesLibrary, #name, table.name);
#define NYM_RESOLVE_EGL(ret, name, params, args) resolve(egl, eglLibrary, #name, table.name);
    NYM_GL_FUNCTIONS(NYM_RESOLVE_GL)
    NYM_EGL_FUNCTIONS(NYM_RESOLVE_EGL)
#undef NYM_RESOLVE_GL
#undef NYM_RESOLVE_EGL
    library.bridged = library.raw;
    bridgeNativeHandles(library.bridged, library.raw, egl);
}

} // namespace

const DispatchTable& systemLibrary() {
    static Library library;
    static const bool loaded = (load(library), true);
    (void)loaded;
    return library.bridged;
}

void installSystemDriver() {
    dispatchTable = emulate(systemLibrary());
}

} // namespace platform::gles
