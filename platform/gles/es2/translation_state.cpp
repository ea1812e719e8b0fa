// The translation's capabilities, texture environment, alpha test, fog, colour, hints and the state
// OpenGL ES 2.0 shares with OpenGL ES 1.1, which goes on to the library after the checks of 1.1.
#include "platform/gles/es2/translation_context.h"

#include <algorithm>

namespace platform::gles::es2 {

namespace {

// What glEnable, glDisable and glIsEnabled do with a capability.
struct Capability {
    enum Kind {
        Invalid, // not a capability of OpenGL ES 1.1
        Library, // OpenGL ES 2.0 has it too; `bit` is its entry in kLibraryCapabilities
        Texture, // GL_TEXTURE_2D of the active unit
        AlphaTest,
        Fog,
        Tracked, // `bit` in FixedState::tracked
        Refused, // changes the picture in a way the translation does not carry out: enabling it is an error
    } kind = Invalid;
    std::uint32_t bit = 0;
};

Capability capability(GLenum cap) {
    if (const std::uint32_t bit = libraryBit(cap)) {
        return {Capability::Library, bit};
    }
    if (cap >= GL_LIGHT0 && cap <= GL_LIGHT7) {
        return {Capability::Tracked, kLight0 << (cap - GL_LIGHT0)};
    }
    if (cap >= GL_CLIP_PLANE0 && cap <= GL_CLIP_PLANE5) {
        return {Capability::Tracked, kClipPlane0 << (cap - GL_CLIP_PLANE0)};
    }
    switch (cap) {
    case GL_TEXTURE_2D:
        return {Capability::Texture};
    case GL_ALPHA_TEST:
        return {Capability::AlphaTest};
    case GL_FOG:
        return {Capability::Fog};
    case GL_NORMALIZE:
        return {Capability::Tracked, kNormalize};
    case GL_RESCALE_NORMAL:
        return {Capability::Tracked, kRescaleNormal};
    case GL_COLOR_MATERIAL:
        return {Capability::Tracked, kColorMaterial};
    case GL_COLOR_LOGIC_OP:
        return {Capability::Tracked, kColorLogicOp};
    case GL_MULTISAMPLE:
        return {Capability::Tracked, kMultisample};
    case GL_LIGHTING:
    case GL_POINT_SMOOTH:
    case GL_LINE_SMOOTH:
    case GL_SAMPLE_ALPHA_TO_ONE:
        return {Capability::Refused};
    default:
        return {};
    }
}

void setCapability(GLenum cap, bool on) {
    Context& c = context();
    FixedState& s = c.state;
    const Capability what = capability(cap);
    switch (what.kind) {
    case Capability::Invalid:
        setError(GL_INVALID_ENUM);
        return;
    case Capability::Library:
        if (((s.libraryEnabled & what.bit) != 0) != on) {
            s.libraryEnabled ^= what.bit;
            on ? gl().glEnable(cap) : gl().glDisable(cap);
        }
        return;
    case Capability::Texture: {
        bool& enabled = s.units[static_cast<std::size_t>(s.activeUnit)].enabled;
        c.keyChanged |= enabled != on;
        enabled = on;
        return;
    }
    case Capability::AlphaTest:
        c.keyChanged |= s.alphaTest != on;
        s.alphaTest = on;
        return;
    case Capability::Fog:
        c.keyChanged |= s.fog != on;
        s.fog = on;
        return;
    case Capability::Tracked:
        if (what.bit == kMultisample && !on) {
            // A multisampled surface of OpenGL ES 2.0 always multisamples.
            GLint sampleBuffers = 0;
            gl().glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
            if (sampleBuffers) {
                setError(GL_INVALID_ENUM);
                return;
            }
        }
        s.tracked = on ? s.tracked | what.bit : s.tracked & ~what.bit;
        return;
    case Capability::Refused:
        if (on) {
            setError(GL_INVALID_ENUM);
        }
        return;
    }
}

void translated_glEnable(GLenum cap) {
    setCapability(cap, true);
}

void translated_glDisable(GLenum cap) {
    setCapability(cap, false);
}

GLboolean translated_glIsEnabled(GLenum cap) {
    FixedState& s = context().state;
    bool on = false;
    const Capability what = capability(cap);
    switch (what.kind) {
    case Capability::Invalid:
        if (const ClientArray* a = clientArray(s, cap)) {
            on = a->enabled;
        } else {
            setError(GL_INVALID_ENUM);
        }
        break;
    case Capability::Library:
        on = (s.libraryEnabled & what.bit) != 0;
        break;
    case Capability::Texture:
        on = s.units[static_cast<std::size_t>(s.activeUnit)].enabled;
        break;
    case Capability::AlphaTest:
        on = s.alphaTest;
        break;
    case Capability::Fog:
        on = s.fog;
        break;
    case Capability::Tracked:
        on = (s.tracked & what.bit) != 0;
        break;
    case Capability::Refused:
        break;
    }
    return on ? GL_TRUE : GL_FALSE;
}

bool comparison(GLenum func) {
    return func >= GL_NEVER && func <= GL_ALWAYS;
}

void translated_glAlphaFuncx(GLenum func, GLclampx ref) {
    if (!comparison(func)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    Context& c = context();
    FixedState& s = c.state;
    const float value = std::clamp(fromFixed(ref), 0.0f, 1.0f);
    c.keyChanged |= s.alphaFunc != func;
    s.alphaFunc = func;
    if (s.alphaRef != value) {
        s.alphaRef = value;
        s.alphaVersion = nextVersion();
    }
}

void translated_glFogx(GLenum pname, GLfixed param) {
    Context& c = context();
    FixedState& s = c.state;
    const float value = fromFixed(param);
    switch (pname) {
    case GL_FOG_MODE: {
        const auto mode = static_cast<GLenum>(param);
        if (mode != GL_LINEAR && mode != GL_EXP && mode != GL_EXP2) {
            setError(GL_INVALID_ENUM);
            return;
        }
        c.keyChanged |= s.fogMode != mode;
        s.fogMode = mode;
        return;
    }
    case GL_FOG_DENSITY:
        if (value < 0) {
            setError(GL_INVALID_VALUE);
            return;
        }
        s.fogDensity = value;
        break;
    case GL_FOG_START:
        s.fogStart = value;
        break;
    case GL_FOG_END:
        s.fogEnd = value;
        break;
    default:
        setError(GL_INVALID_ENUM);
        return;
    }
    s.fogVersion = nextVersion();
}

void translated_glTexEnvx(GLenum target, GLenum pname, GLfixed param) {
    if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE) {
        // The combiner's parameters and point sprites are not carried out.
        setError(GL_INVALID_ENUM);
        return;
    }
    const auto mode = static_cast<GLenum>(param);
    if (mode != GL_MODULATE && mode != GL_DECAL && mode != GL_BLEND && mode != GL_ADD && mode != GL_REPLACE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    Context& c = context();
    GLenum& envMode = c.state.units[static_cast<std::size_t>(c.state.activeUnit)].envMode;
    c.keyChanged |= envMode != mode;
    envMode = mode;
}

void translated_glColor4x(GLfixed red, GLfixed green, GLfixed blue, GLfixed alpha) {
    context().state.colour = {fromFixed(red), fromFixed(green), fromFixed(blue), fromFixed(alpha)};
}

void translated_glShadeModel(GLenum mode) {
    if (mode != GL_FLAT && mode != GL_SMOOTH) {
        setError(GL_INVALID_ENUM);
        return;
    }
    context().state.shadeModel = mode;
}

void translated_glHint(GLenum target, GLenum mode) {
    if (mode != GL_FASTEST && mode != GL_NICEST && mode != GL_DONT_CARE) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (target == GL_GENERATE_MIPMAP_HINT) {
        gl().glHint(target, mode);
        return;
    }
    if (target < GL_PERSPECTIVE_CORRECTION_HINT || target > GL_FOG_HINT || target == GL_FOG_HINT - 1) {
        setError(GL_INVALID_ENUM);
        return;
    }
    // GL_PERSPECTIVE_CORRECTION_HINT, _POINT_SMOOTH_, _LINE_SMOOTH_ and GL_FOG_HINT: kept and reported.
    const std::size_t slot = target == GL_FOG_HINT ? 3 : target - GL_PERSPECTIVE_CORRECTION_HINT;
    context().state.hints[slot] = mode;
}

// OpenGL ES 1.1's blend factors: the source may not be a source colour, the destination not a
// destination colour or the saturation; OpenGL ES 2.0 takes more.
bool sourceFactor(GLenum factor) {
    return factor == GL_ZERO || factor == GL_ONE ||
           (factor >= GL_SRC_ALPHA && factor <= GL_SRC_ALPHA_SATURATE);
}

bool destinationFactor(GLenum factor) {
    return factor == GL_ZERO || factor == GL_ONE ||
           (factor >= GL_SRC_COLOR && factor <= GL_ONE_MINUS_DST_ALPHA);
}

void translated_glBlendFunc(GLenum sfactor, GLenum dfactor) {
    if (!sourceFactor(sfactor) || !destinationFactor(dfactor)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    FixedState& s = context().state;
    s.blendSrc = sfactor;
    s.blendDst = dfactor;
    gl().glBlendFunc(sfactor, dfactor);
}

void translated_glClearColorx(GLclampx red, GLclampx green, GLclampx blue, GLclampx alpha) {
    gl().glClearColor(fromFixed(red), fromFixed(green), fromFixed(blue), fromFixed(alpha));
}

void translated_glClearDepthx(GLclampx depth) {
    gl().glClearDepthf(fromFixed(depth));
}

void translated_glDepthRangex(GLclampx zNear, GLclampx zFar) {
    gl().glDepthRangef(fromFixed(zNear), fromFixed(zFar));
}

// The same in both versions.
void translated_glClear(GLbitfield mask) {
    gl().glClear(mask);
}
void translated_glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha) {
    gl().glColorMask(red, green, blue, alpha);
}
void translated_glCullFace(GLenum mode) {
    gl().glCullFace(mode);
}
void translated_glDepthFunc(GLenum func) {
    gl().glDepthFunc(func);
}
void translated_glDepthMask(GLboolean flag) {
    gl().glDepthMask(flag);
}
void translated_glFinish() {
    gl().glFinish();
}
void translated_glFlush() {
    gl().glFlush();
}
void translated_glFrontFace(GLenum mode) {
    gl().glFrontFace(mode);
}
void translated_glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    gl().glScissor(x, y, width, height);
}
void translated_glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    gl().glViewport(x, y, width, height);
}

} // namespace

void fillStateFunctions(DispatchTable& table) {
    table.glEnable = translated_glEnable;
    table.glDisable = translated_glDisable;
    table.glIsEnabled = translated_glIsEnabled;
    table.glAlphaFuncx = translated_glAlphaFuncx;
    table.glFogx = translated_glFogx;
    table.glTexEnvx = translated_glTexEnvx;
    table.glColor4x = translated_glColor4x;
    table.glShadeModel = translated_glShadeModel;
    table.glHint = translated_glHint;
    table.glBlendFunc = translated_glBlendFunc;
    table.glClearColorx = translated_glClearColorx;
    table.glClearDepthx = translated_glClearDepthx;
    table.glDepthRangex = translated_glDepthRangex;
    table.glClear = translated_glClear;
    table.glColorMask = translated_glColorMask;
    table.glCullFace = translated_glCullFace;
    table.glDepthFunc = translated_glDepthFunc;
    table.glDepthMask = translated_glDepthMask;
    table.glFinish = translated_glFinish;
    table.glFlush = translated_glFlush;
    table.glFrontFace = translated_glFrontFace;
    table.glScissor = translated_glScissor;
    table.glViewport = translated_glViewport;
}

} // namespace platform::gles::es2
