#pragma once
// The `system` driver: the system's OpenGL ES and EGL libraries, loaded at run time, with the extension
// emulation in front of them. It takes one of two paths: the OpenGL ES 1.x library itself, or the
// OpenGL ES 2.0 library under the translation (platform/gles/es2).
#include "platform/gles/dispatch.h"

#include <optional>
#include <string>

namespace platform::gles {

enum class GlPath { Es1, Es2 };

// The path the system driver takes when it is installed (Es1 unless set): set it before the first GL or
// EGL call.
void setGlPath(GlPath path);
GlPath glPath();
// "es1", "es2"
constexpr const char* glPathName(GlPath path) {
    return path == GlPath::Es1 ? "es1" : "es2";
}

// Loads the path's libraries once: libGLESv1_CM.so.1 or libGLESv2.so.2, and libEGL.so.1 (or the files
// named by NYM_GLES_LIBRARY, NYM_GLES2_LIBRARY and NYM_EGL_LIBRARY), and installs them, behind the
// emulation, in the dispatch table. A library that cannot be loaded ends the process with exit code 1
// after one line on standard error naming it and its packages.
void installSystemDriver();

// The path's libraries without the emulation (loads them if needed): for Es1 the libraries' own
// functions, for Es2 the translation's.
const DispatchTable& systemLibrary();

// Empty when the path's OpenGL ES library loads and EGL gives a context of its version (on Mesa's
// surfaceless display, or the default one); otherwise one line saying what failed. Loads nothing into
// the dispatch table.
std::string glPathProblem(GlPath path);

// Chooses and sets the path of a run: the one named, or by default es1 when it starts and else es2, with
// a one-line `note` on that fall-back. False, with one line in `error`, when the named path (or, by
// default, neither) cannot start.
bool chooseGlPath(std::optional<GlPath> named, std::string& note, std::string& error);

} // namespace platform::gles
