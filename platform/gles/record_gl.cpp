// The GL half of the record driver.
#include "platform/gles/call_format.h"
#include "platform/gles/record_state.h"

#include <cstring>

namespace platform::gles {

namespace {

RecordDriver::State& state() {
    return *recordState;
}

std::string join(std::initializer_list<std::string> parts) {
    std::string text;
    for (const auto& p : parts) {
        text += (text.empty() ? "" : ", ") + p;
    }
    return text;
}

std::string num(long long value) {
    return std::to_string(value);
}

// Most GL functions: the log entry is all they do. Their callers make the texts only when logging, so
// that the silent driver costs a benchmark next to nothing.
void note(const char* name, std::initializer_list<std::string> args, std::vector<const void*> pointers = {}) {
    state().add(name, join(args), std::move(pointers));
}

bool logging() {
    return state().logging();
}

void record_glActiveTexture(GLenum texture) {
    if (logging()) {
        note("glActiveTexture", {glEnumText(texture)});
    }
}
void record_glAlphaFuncx(GLenum func, GLclampx ref) {
    if (logging()) {
        note("glAlphaFuncx", {glEnumText(func), num(ref)});
    }
}
void record_glBindTexture(GLenum target, GLuint texture) {
    if (logging()) {
        note("glBindTexture", {glEnumText(target), num(texture)});
    }
}
void record_glBlendFunc(GLenum s, GLenum d) {
    if (logging()) {
        note("glBlendFunc", {glBlendFactorText(s), glBlendFactorText(d)});
    }
}
void record_glClear(GLbitfield mask) {
    if (logging()) {
        note("glClear", {glClearMaskText(mask)});
    }
}
void record_glClearColorx(GLclampx r, GLclampx g, GLclampx b, GLclampx a) {
    if (logging()) {
        note("glClearColorx", {num(r), num(g), num(b), num(a)});
    }
}
void record_glClearDepthx(GLclampx depth) {
    if (logging()) {
        note("glClearDepthx", {num(depth)});
    }
}
void record_glClientActiveTexture(GLenum texture) {
    if (logging()) {
        note("glClientActiveTexture", {glEnumText(texture)});
    }
}
void record_glColor4x(GLfixed r, GLfixed g, GLfixed b, GLfixed a) {
    if (logging()) {
        note("glColor4x", {num(r), num(g), num(b), num(a)});
    }
}
void record_glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
    if (logging()) {
        note("glColorMask", {glBooleanText(r), glBooleanText(g), glBooleanText(b), glBooleanText(a)});
    }
}
void record_glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (logging()) {
        note("glColorPointer", {num(size), glEnumText(type), num(stride), pointerText(pointer)}, {pointer});
    }
}
void record_glCompressedTexImage2D(GLenum target, GLint level, GLenum internalformat, GLsizei width,
                                   GLsizei height, GLint border, GLsizei imageSize, const GLvoid* data) {
    if (logging()) {
        note("glCompressedTexImage2D",
             {glEnumText(target), num(level), glEnumText(internalformat), num(width), num(height),
              num(border), num(imageSize),
              dataText(data, imageSize > 0 ? static_cast<std::size_t>(imageSize) : 0)},
             {data});
    }
}
void record_glCullFace(GLenum mode) {
    if (logging()) {
        note("glCullFace", {glEnumText(mode)});
    }
}
void record_glDeleteTextures(GLsizei n, const GLuint* textures) {
    std::string names = "[";
    for (GLsizei i = 0; textures && i < n; ++i) {
        names += (i ? ", " : "") + num(textures[i]);
    }
    if (logging()) {
        note("glDeleteTextures", {num(n), textures ? names + "]" : "null"}, {textures});
    }
}
void record_glDepthFunc(GLenum func) {
    if (logging()) {
        note("glDepthFunc", {glEnumText(func)});
    }
}
void record_glDepthMask(GLboolean flag) {
    if (logging()) {
        note("glDepthMask", {glBooleanText(flag)});
    }
}
void record_glDepthRangex(GLclampx n, GLclampx f) {
    if (logging()) {
        note("glDepthRangex", {num(n), num(f)});
    }
}
void record_glDisable(GLenum cap) {
    if (logging()) {
        note("glDisable", {glEnumText(cap)});
    }
}
void record_glDisableClientState(GLenum array) {
    if (logging()) {
        note("glDisableClientState", {glEnumText(array)});
    }
}
void record_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    if (logging()) {
        note("glDrawArrays", {glPrimitiveText(mode), num(first), num(count)});
    }
}
void record_glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    if (logging()) {
        const std::size_t size = type == GL_UNSIGNED_SHORT ? 2 : type == GL_UNSIGNED_BYTE ? 1 : 0;
        const std::size_t bytes = count > 0 ? static_cast<std::size_t>(count) * size : 0;
        note("glDrawElements",
             {glPrimitiveText(mode), num(count), glEnumText(type), dataText(indices, bytes)}, {indices});
    }
}
void record_glEnable(GLenum cap) {
    if (logging()) {
        note("glEnable", {glEnumText(cap)});
    }
}
void record_glEnableClientState(GLenum array) {
    if (logging()) {
        note("glEnableClientState", {glEnumText(array)});
    }
}
void record_glFinish() {
    if (logging()) {
        note("glFinish", {});
    }
}
void record_glFlush() {
    if (logging()) {
        note("glFlush", {});
    }
}
void record_glFogx(GLenum pname, GLfixed param) {
    if (logging()) {
        note("glFogx", {glEnumText(pname), glParamText(param)});
    }
}
void record_glFrontFace(GLenum mode) {
    if (logging()) {
        note("glFrontFace", {glEnumText(mode)});
    }
}
void record_glFrustumx(GLfixed l, GLfixed r, GLfixed b, GLfixed t, GLfixed n, GLfixed f) {
    if (logging()) {
        note("glFrustumx", {num(l), num(r), num(b), num(t), num(n), num(f)});
    }
}
void record_glGenTextures(GLsizei n, GLuint* textures) {
    auto& s = state();
    std::string names = "[";
    for (GLsizei i = 0; i < n; ++i) {
        GLuint name = s.nextName;
        if (!s.scriptedNames.empty()) {
            name = s.scriptedNames.front();
            s.scriptedNames.pop_front();
        }
        if (name >= s.nextName) {
            s.nextName = name + 1;
        }
        textures[i] = name;
        names += (i ? ", " : "") + num(name);
    }
    if (s.logging()) {
        s.add("glGenTextures", num(n), {textures}, names + "]");
    }
}
GLenum record_glGetError() {
    auto& s = state();
    GLenum error = GL_NO_ERROR;
    if (!s.glErrors.empty()) {
        error = s.glErrors.front();
        s.glErrors.pop_front();
    }
    if (s.logging()) {
        s.add("glGetError", "", {}, glErrorText(error));
    }
    return error;
}
void record_glGetIntegerv(GLenum pname, GLint* params) {
    auto& s = state();
    const auto it = s.integers.find(pname);
    const std::vector<GLint> values = it != s.integers.end() ? it->second : std::vector<GLint>{0};
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        params[i] = values[i];
        text += (i ? ", " : "") + num(values[i]);
    }
    if (s.logging()) {
        s.add("glGetIntegerv", glEnumText(pname), {params}, text + "]");
    }
}
const GLubyte* record_glGetString(GLenum name) {
    auto& s = state();
    const auto it = s.glStrings.find(name);
    const char* text = it != s.glStrings.end() ? it->second.c_str() : nullptr;
    if (s.logging()) {
        s.add("glGetString", glEnumText(name), {}, quotedText(text));
    }
    return reinterpret_cast<const GLubyte*>(text);
}
void record_glHint(GLenum target, GLenum mode) {
    if (logging()) {
        note("glHint", {glEnumText(target), glEnumText(mode)});
    }
}
GLboolean record_glIsEnabled(GLenum cap) {
    if (logging()) {
        state().add("glIsEnabled", glEnumText(cap), {}, "GL_FALSE");
    }
    return GL_FALSE;
}
void record_glLoadIdentity() {
    if (logging()) {
        note("glLoadIdentity", {});
    }
}
void record_glLoadMatrixx(const GLfixed* m) {
    if (logging()) {
        note("glLoadMatrixx", {fixedArrayText(m, 16)}, {m});
    }
}
void record_glMatrixMode(GLenum mode) {
    if (logging()) {
        note("glMatrixMode", {glEnumText(mode)});
    }
}
void record_glMultMatrixx(const GLfixed* m) {
    if (logging()) {
        note("glMultMatrixx", {fixedArrayText(m, 16)}, {m});
    }
}
void record_glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (logging()) {
        note("glNormalPointer", {glEnumText(type), num(stride), pointerText(pointer)}, {pointer});
    }
}
void record_glOrthox(GLfixed l, GLfixed r, GLfixed b, GLfixed t, GLfixed n, GLfixed f) {
    if (logging()) {
        note("glOrthox", {num(l), num(r), num(b), num(t), num(n), num(f)});
    }
}
void record_glPixelStorei(GLenum pname, GLint param) {
    if (pname == GL_UNPACK_ALIGNMENT) {
        state().unpackAlignment = param;
    }
    if (logging()) {
        note("glPixelStorei", {glEnumText(pname), num(param)});
    }
}
void record_glPopMatrix() {
    if (logging()) {
        note("glPopMatrix", {});
    }
}
void record_glPushMatrix() {
    if (logging()) {
        note("glPushMatrix", {});
    }
}
void record_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                         GLvoid* pixels) {
    if (pixels) {
        std::memset(pixels, 0, imageBytes(width, height, format, type, 4));
    }
    if (logging()) {
        note("glReadPixels",
             {num(x), num(y), num(width), num(height), glEnumText(format), glEnumText(type),
              pointerText(pixels)},
             {pixels});
    }
}
void record_glRotatex(GLfixed angle, GLfixed x, GLfixed y, GLfixed z) {
    if (logging()) {
        note("glRotatex", {num(angle), num(x), num(y), num(z)});
    }
}
void record_glScalex(GLfixed x, GLfixed y, GLfixed z) {
    if (logging()) {
        note("glScalex", {num(x), num(y), num(z)});
    }
}
void record_glScissor(GLint x, GLint y, GLsizei w, GLsizei h) {
    if (logging()) {
        note("glScissor", {num(x), num(y), num(w), num(h)});
    }
}
void record_glShadeModel(GLenum mode) {
    if (logging()) {
        note("glShadeModel", {glEnumText(mode)});
    }
}
void record_glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (logging()) {
        note("glTexCoordPointer", {num(size), glEnumText(type), num(stride), pointerText(pointer)},
             {pointer});
    }
}
void record_glTexEnvx(GLenum target, GLenum pname, GLfixed param) {
    if (logging()) {
        note("glTexEnvx", {glEnumText(target), glEnumText(pname), glParamText(param)});
    }
}
void record_glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                         GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    if (logging()) {
        const std::size_t bytes = imageBytes(width, height, format, type, state().unpackAlignment);
        note("glTexImage2D",
             {glEnumText(target), num(level), glEnumText(static_cast<GLenum>(internalformat)), num(width),
              num(height), num(border), glEnumText(format), glEnumText(type), dataText(pixels, bytes)},
             {pixels});
    }
}
void record_glTexParameterx(GLenum target, GLenum pname, GLfixed param) {
    if (logging()) {
        note("glTexParameterx", {glEnumText(target), glEnumText(pname), glParamText(param)});
    }
}
void record_glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width,
                            GLsizei height, GLenum format, GLenum type, const GLvoid* pixels) {
    if (logging()) {
        const std::size_t bytes = imageBytes(width, height, format, type, state().unpackAlignment);
        note("glTexSubImage2D",
             {glEnumText(target), num(level), num(xoffset), num(yoffset), num(width), num(height),
              glEnumText(format), glEnumText(type), dataText(pixels, bytes)},
             {pixels});
    }
}
void record_glTranslatex(GLfixed x, GLfixed y, GLfixed z) {
    if (logging()) {
        note("glTranslatex", {num(x), num(y), num(z)});
    }
}
void record_glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    if (logging()) {
        note("glVertexPointer", {num(size), glEnumText(type), num(stride), pointerText(pointer)}, {pointer});
    }
}
void record_glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    if (logging()) {
        note("glViewport", {num(x), num(y), num(w), num(h)});
    }
}

} // namespace

void fillRecordGl(DispatchTable& table) {
#define NYM_RECORD_ASSIGN(ret, name, params, args) table.name = record_##name;
    NYM_GL_FUNCTIONS(NYM_RECORD_ASSIGN)
#undef NYM_RECORD_ASSIGN
}

} // namespace platform::gles
