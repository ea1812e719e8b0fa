// The EGL half of the translation: configs and contexts of OpenGL ES 2.0, and the translation's context
// (with its share group) for each EGL context, made current with it.
#include "platform/gles/es2/translation_context.h"
#include "platform/gles/es2/translation_driver.h"

#include <unordered_map>
#include <vector>

namespace platform::gles::es2 {

namespace {

const DispatchTable* lower = nullptr;

struct ContextEntry {
    std::shared_ptr<ShareGroup> group;
    std::unique_ptr<Context> context; // made on first use
    bool destroyed = false;           // destroyed while current: forgotten once it is not
};

std::unordered_map<EGLContext, ContextEntry> contexts;
EGLContext currentHandle = EGL_NO_CONTEXT;

// The attribute list with `name` set to `value` (replacing the list's own).
std::vector<EGLint> withAttribute(const EGLint* attributes, EGLint name, EGLint value) {
    std::vector<EGLint> list;
    for (const EGLint* a = attributes; a && a[0] != EGL_NONE; a += 2) {
        if (a[0] != name) {
            list.insert(list.end(), {a[0], a[1]});
        }
    }
    list.insert(list.end(), {name, value, EGL_NONE});
    return list;
}

EGLBoolean translated_eglChooseConfig(EGLDisplay dpy, const EGLint* attributes, EGLConfig* configs,
                                      EGLint configSize, EGLint* numConfig) {
    const std::vector<EGLint> list = withAttribute(attributes, EGL_RENDERABLE_TYPE, EGL_OPENGL_ES2_BIT);
    return lower->eglChooseConfig(dpy, list.data(), configs, configSize, numConfig);
}

EGLBoolean translated_eglGetConfigAttrib(EGLDisplay dpy, EGLConfig config, EGLint attribute, EGLint* value) {
    const EGLBoolean ok = lower->eglGetConfigAttrib(dpy, config, attribute, value);
    if (ok && attribute == EGL_RENDERABLE_TYPE && (*value & EGL_OPENGL_ES2_BIT)) {
        *value |= EGL_OPENGL_ES_BIT;
    }
    return ok;
}

EGLContext translated_eglCreateContext(EGLDisplay dpy, EGLConfig config, EGLContext share,
                                       const EGLint* attributes) {
    const std::vector<EGLint> list = withAttribute(attributes, EGL_CONTEXT_CLIENT_VERSION, 2);
    const EGLContext created = lower->eglCreateContext(dpy, config, share, list.data());
    if (created != EGL_NO_CONTEXT) {
        const auto shared = contexts.find(share);
        ContextEntry& entry = contexts[created];
        entry = {};
        entry.group = shared != contexts.end() ? shared->second.group : std::make_shared<ShareGroup>();
    }
    return created;
}

EGLBoolean translated_eglDestroyContext(EGLDisplay dpy, EGLContext ctx) {
    const EGLBoolean ok = lower->eglDestroyContext(dpy, ctx);
    if (ok) {
        if (ctx == currentHandle) {
            contexts[ctx].destroyed = true;
        } else {
            contexts.erase(ctx);
        }
    }
    return ok;
}

EGLBoolean translated_eglMakeCurrent(EGLDisplay dpy, EGLSurface draw, EGLSurface read, EGLContext ctx) {
    const EGLBoolean ok = lower->eglMakeCurrent(dpy, draw, read, ctx);
    if (!ok) {
        return ok;
    }
    const EGLContext previous = currentHandle;
    currentHandle = ctx;
    if (ctx == EGL_NO_CONTEXT) {
        setCurrentContext(nullptr);
    } else {
        ContextEntry& entry = contexts[ctx];
        if (!entry.group) {
            entry.group = std::make_shared<ShareGroup>();
        }
        if (!entry.context) {
            entry.context = std::make_unique<Context>();
            entry.context->group = entry.group;
        }
        // The surface may be another.
        entry.context->alphaSteps = -1;
        setCurrentContext(entry.context.get());
    }
    if (previous != ctx) {
        const auto old = contexts.find(previous);
        if (old != contexts.end() && old->second.destroyed) {
            contexts.erase(old);
        }
    }
    return ok;
}

} // namespace

DispatchTable translate(const Es2Functions& es2, const DispatchTable& egl) {
    setLibrary(es2);
    lower = &egl;
    setCurrentContext(nullptr);
    contexts.clear();
    currentHandle = EGL_NO_CONTEXT;

    DispatchTable table = egl;
    fillStateFunctions(table);
    fillMatrixFunctions(table);
    fillArrayFunctions(table);
    fillTextureFunctions(table);
    fillDrawFunctions(table);
    fillQueryFunctions(table);
    table.eglChooseConfig = translated_eglChooseConfig;
    table.eglGetConfigAttrib = translated_eglGetConfigAttrib;
    table.eglCreateContext = translated_eglCreateContext;
    table.eglDestroyContext = translated_eglDestroyContext;
    table.eglMakeCurrent = translated_eglMakeCurrent;
    return table;
}

} // namespace platform::gles::es2
