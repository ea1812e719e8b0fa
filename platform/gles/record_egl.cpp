// The EGL half of the record driver.
#include "platform/gles/call_format.h"
#include "platform/gles/record_state.h"

#include <cstdint>

namespace platform::gles {

namespace {

RecordDriver::State& state() {
    return *recordState;
}

// Handles are small numbers in one range per kind, so the log can name them.
constexpr std::uintptr_t displayBase = 0x1000;
constexpr std::uintptr_t configBase = 0x2000;
constexpr std::uintptr_t contextBase = 0x3000;
constexpr std::uintptr_t surfaceBase = 0x4000;

void* handle(std::uintptr_t base, int n) {
    return reinterpret_cast<void*>(base + static_cast<std::uintptr_t>(n));
}

std::string handleText(const void* h, const char* none) {
    const auto v = reinterpret_cast<std::uintptr_t>(h);
    if (v == 0) {
        return none;
    }
    static const struct {
        std::uintptr_t base;
        const char* kind;
    } kinds[] = {
        {displayBase, "display"}, {configBase, "config"}, {contextBase, "context"}, {surfaceBase, "surface"}};
    for (const auto& k : kinds) {
        if (v > k.base && v < k.base + 0x1000) {
            return k.kind + std::to_string(v - k.base);
        }
    }
    return "ptr";
}

std::string display(EGLDisplay d) {
    return handleText(d, "EGL_NO_DISPLAY");
}
std::string config(EGLConfig c) {
    return handleText(c, "null");
}
std::string context(EGLContext c) {
    return handleText(c, "EGL_NO_CONTEXT");
}
std::string surface(EGLSurface s) {
    return handleText(s, "EGL_NO_SURFACE");
}

void note(const char* name, const std::string& args, const std::string& result,
          std::vector<const void*> pointers = {}) {
    if (state().log.logging()) {
        state().log.add(name, args, std::move(pointers), result);
    }
}

const RecordedConfig* findConfig(EGLConfig c) {
    const auto v = reinterpret_cast<std::uintptr_t>(c);
    const auto& configs = state().configs;
    if (v <= configBase || v > configBase + configs.size()) {
        return nullptr;
    }
    return &configs[v - configBase - 1];
}

EGLint attribute(const RecordedConfig& c, EGLint name) {
    const auto it = c.find(name);
    return it != c.end() ? it->second : 0;
}

bool matches(const RecordedConfig& c, const EGLint* attributes) {
    bool surfaceTypeGiven = false;
    for (const EGLint* a = attributes; a && a[0] != EGL_NONE; a += 2) {
        const EGLint name = a[0];
        const EGLint wanted = a[1];
        const EGLint have = attribute(c, name);
        surfaceTypeGiven |= name == EGL_SURFACE_TYPE;
        if (wanted == EGL_DONT_CARE) {
            continue;
        }
        switch (name) {
        case EGL_LEVEL:
        case EGL_NATIVE_RENDERABLE:
        case EGL_CONFIG_ID:
        case EGL_CONFIG_CAVEAT:
            if (have != wanted) {
                return false;
            }
            break;
        case EGL_SURFACE_TYPE:
        case EGL_RENDERABLE_TYPE:
            if ((have & wanted) != wanted) {
                return false;
            }
            break;
        default:
            if (have < wanted) {
                return false;
            }
        }
    }
    return surfaceTypeGiven || (attribute(c, EGL_SURFACE_TYPE) & EGL_WINDOW_BIT) != 0;
}

std::string configListText(const EGLConfig* configs, EGLint count) {
    std::string text = "[";
    for (EGLint i = 0; configs && i < count; ++i) {
        text += (i ? ", " : "") + config(configs[i]);
    }
    return text + "]";
}

EGLBoolean record_eglBindAPI(EGLenum api) {
    const EGLBoolean ok = state().fails("eglBindAPI") ? EGL_FALSE : EGL_TRUE;
    note("eglBindAPI", eglEnumText(static_cast<EGLint>(api)), eglBooleanText(ok));
    return ok;
}

EGLBoolean record_eglChooseConfig(EGLDisplay dpy, const EGLint* attrib_list, EGLConfig* configs,
                                  EGLint config_size, EGLint* num_config) {
    auto& s = state();
    const bool failed = s.fails("eglChooseConfig");
    EGLint found = 0;
    if (!failed) {
        for (std::size_t i = 0; i < s.configs.size(); ++i) {
            if (!matches(s.configs[i], attrib_list)) {
                continue;
            }
            if (configs && found < config_size) {
                configs[found] = handle(configBase, static_cast<int>(i) + 1);
            }
            ++found;
        }
        if (configs && found > config_size) {
            found = config_size;
        }
        if (num_config) {
            *num_config = found;
        }
    }
    note("eglChooseConfig",
         display(dpy) + ", " + eglAttribListText(attrib_list) + ", " + std::to_string(config_size),
         failed ? "EGL_FALSE" : "EGL_TRUE " + configListText(configs, found), {attrib_list});
    return failed ? EGL_FALSE : EGL_TRUE;
}

EGLContext record_eglCreateContext(EGLDisplay dpy, EGLConfig c, EGLContext share, const EGLint* attrib_list) {
    auto& s = state();
    const EGLContext made = s.fails("eglCreateContext") ? EGL_NO_CONTEXT : handle(contextBase, ++s.contexts);
    note("eglCreateContext",
         display(dpy) + ", " + config(c) + ", " + context(share) + ", " + eglAttribListText(attrib_list),
         context(made));
    return made;
}

EGLSurface record_eglCreatePbufferSurface(EGLDisplay dpy, EGLConfig c, const EGLint* attrib_list) {
    auto& s = state();
    const EGLSurface made =
        s.fails("eglCreatePbufferSurface") ? EGL_NO_SURFACE : handle(surfaceBase, ++s.surfaces);
    note("eglCreatePbufferSurface", display(dpy) + ", " + config(c) + ", " + eglAttribListText(attrib_list),
         surface(made));
    return made;
}

EGLSurface record_eglCreateWindowSurface(EGLDisplay dpy, EGLConfig c, EGLNativeWindowType win,
                                         const EGLint* attrib_list) {
    auto& s = state();
    const EGLSurface made =
        s.fails("eglCreateWindowSurface") ? EGL_NO_SURFACE : handle(surfaceBase, ++s.surfaces);
    note("eglCreateWindowSurface",
         display(dpy) + ", " + config(c) + ", " + pointerText(win) + ", " + eglAttribListText(attrib_list),
         surface(made), {win});
    return made;
}

EGLBoolean simple(const char* name, const std::string& args) {
    const EGLBoolean ok = state().fails(name) ? EGL_FALSE : EGL_TRUE;
    note(name, args, eglBooleanText(ok));
    return ok;
}

EGLBoolean record_eglDestroyContext(EGLDisplay dpy, EGLContext ctx) {
    return simple("eglDestroyContext", display(dpy) + ", " + context(ctx));
}

EGLBoolean record_eglDestroySurface(EGLDisplay dpy, EGLSurface surf) {
    return simple("eglDestroySurface", display(dpy) + ", " + surface(surf));
}

EGLBoolean record_eglGetConfigAttrib(EGLDisplay dpy, EGLConfig c, EGLint name, EGLint* value) {
    const RecordedConfig* found = findConfig(c);
    if (found && value) {
        *value = attribute(*found, name);
    }
    note("eglGetConfigAttrib", display(dpy) + ", " + config(c) + ", " + eglEnumText(name),
         found ? "EGL_TRUE " + std::to_string(attribute(*found, name)) : "EGL_FALSE");
    if (!found) {
        state().eglErrors.push_front(EGL_BAD_CONFIG);
    }
    return found ? EGL_TRUE : EGL_FALSE;
}

EGLBoolean record_eglGetConfigs(EGLDisplay dpy, EGLConfig* configs, EGLint config_size, EGLint* num_config) {
    const auto total = static_cast<EGLint>(state().configs.size());
    EGLint count = total;
    if (configs) {
        count = total < config_size ? total : config_size;
        for (EGLint i = 0; i < count; ++i) {
            configs[i] = handle(configBase, i + 1);
        }
    }
    if (num_config) {
        *num_config = count;
    }
    note("eglGetConfigs", display(dpy) + ", " + std::to_string(config_size),
         "EGL_TRUE " + (configs ? configListText(configs, count) : std::to_string(count)));
    return EGL_TRUE;
}

EGLContext record_eglGetCurrentContext() {
    note("eglGetCurrentContext", "", "ptr");
    return EGL_NO_CONTEXT;
}

EGLSurface record_eglGetCurrentSurface(EGLint readdraw) {
    note("eglGetCurrentSurface", eglEnumText(readdraw), "ptr");
    return EGL_NO_SURFACE;
}

EGLDisplay record_eglGetDisplay(EGLNativeDisplayType native) {
    auto& s = state();
    const EGLDisplay made = s.fails("eglGetDisplay")
                                ? EGL_NO_DISPLAY
                                : handle(displayBase, s.displays ? s.displays : ++s.displays);
    note("eglGetDisplay", native ? "ptr" : "EGL_DEFAULT_DISPLAY", display(made), {native});
    return made;
}

EGLint record_eglGetError() {
    auto& s = state();
    EGLint error = EGL_SUCCESS;
    if (!s.eglErrors.empty()) {
        error = s.eglErrors.front();
        s.eglErrors.pop_front();
    }
    note("eglGetError", "", eglEnumText(error));
    return error;
}

EGLBoolean record_eglInitialize(EGLDisplay dpy, EGLint* major, EGLint* minor) {
    const EGLBoolean ok = state().fails("eglInitialize") ? EGL_FALSE : EGL_TRUE;
    if (ok && major) {
        *major = 1;
    }
    if (ok && minor) {
        *minor = 0;
    }
    note("eglInitialize", display(dpy), eglBooleanText(ok) + (ok && major && minor ? " 1.0" : ""));
    return ok;
}

EGLBoolean record_eglMakeCurrent(EGLDisplay dpy, EGLSurface draw, EGLSurface read, EGLContext ctx) {
    return simple("eglMakeCurrent",
                  display(dpy) + ", " + surface(draw) + ", " + surface(read) + ", " + context(ctx));
}

EGLBoolean record_eglQuerySurface(EGLDisplay dpy, EGLSurface surf, EGLint name, EGLint* value) {
    auto& s = state();
    EGLint v = 0;
    if (name == EGL_WIDTH) {
        v = s.surfaceWidth;
    } else if (name == EGL_HEIGHT) {
        v = s.surfaceHeight;
    }
    const bool ok = surf != EGL_NO_SURFACE && !s.fails("eglQuerySurface");
    if (ok && value) {
        *value = v;
    }
    note("eglQuerySurface", display(dpy) + ", " + surface(surf) + ", " + eglEnumText(name),
         ok ? "EGL_TRUE " + std::to_string(v) : "EGL_FALSE");
    return ok ? EGL_TRUE : EGL_FALSE;
}

const char* record_eglQueryString(EGLDisplay dpy, EGLint name) {
    auto& s = state();
    const auto it = s.eglStrings.find(name);
    const char* text = it != s.eglStrings.end() ? it->second.c_str() : nullptr;
    note("eglQueryString", display(dpy) + ", " + eglEnumText(name), quotedText(text));
    return text;
}

EGLBoolean record_eglSwapBuffers(EGLDisplay dpy, EGLSurface surf) {
    return simple("eglSwapBuffers", display(dpy) + ", " + surface(surf));
}

EGLBoolean record_eglTerminate(EGLDisplay dpy) {
    return simple("eglTerminate", display(dpy));
}

} // namespace

void fillRecordEgl(DispatchTable& table) {
#define NYM_RECORD_ASSIGN(ret, name, params, args) table.name = record_##name;
    NYM_EGL_FUNCTIONS(NYM_RECORD_ASSIGN)
#undef NYM_RECORD_ASSIGN
}

} // namespace platform::gles
