#include "shell/extension_search.h"

#include "platform/gles/gl.h"

#include <cstring>

bool ExtensionListed(const char* extensions, const char* name) {
    if (extensions == nullptr || name[0] == '\0' || std::strchr(name, ' ') != nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(name);
    const char* start = extensions;
    for (;;) {
        const char* found = std::strstr(start, name);
        if (found == nullptr) {
            return false;
        }
        const char* after = found + length;
        // A word begins at the start of the whole list or after a blank: a search resumed inside a
        // word must not take its resume point for a word start.
        if ((found == extensions || found[-1] == ' ') && (*after == ' ' || *after == '\0')) {
            return true;
        }
        start = found + 1;
    }
}

bool HasEGLExtension(EGLDisplay display, const char* name) {
    return ExtensionListed(eglQueryString(display, EGL_EXTENSIONS), name);
}

bool HasGLExtension(const char* name) {
    return ExtensionListed(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}
