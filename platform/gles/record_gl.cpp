// The GL half of the record driver.
#include "platform/gles/call_format.h"
#include "platform/gles/record_state.h"

#include <cstring>

namespace platform::gles {

namespace {

RecordDriver::State& state() {
    return *recordState;
}

// Most GL functions: the log entry is all they do.
template <typename Args>
void note(const char* name, Args args, std::initializer_list<const void*> pointers = {}) {
    state().log.note(name, args, pointers);
}

void record_glActiveTexture(GLenum texture) {
    note("glActiveTexture", [&] { return glEnumText(texture); });
}
void record_glAlphaFuncx(GLenum func, GLclampx ref) {
    note("glAlphaFuncx", [&] { return join({glEnumText(func), num(ref)}); });
}
void record_glBindTexture(GLenum target, GLuint texture) {
    note("glBindTexture", [&] { return join({glEnumText(target), num(texture)}); });
}
void record_glBlendFunc(GLenum s, GLenum d) {
    note("glBlendFunc", [&] { return join({glBlendFactorText(s), glBlendFactorText(d)}); });
}
void record_glClear(GLbitfield mask) {
    note("glClear", [&] { return glClearMaskText(mask); });
}
void record_glClearColorx(GLclampx r, GLclampx g, GLclampx b, GLclampx a) {
    note("glClearColorx", [&] { return join({num(r), num(g), num(b), num(a)}); });
}
void record_glClearDepthx(GLclampx depth) {
    note("glClearDepthx", [&] { return num(depth); });
}
void record_glClientActiveTexture(GLenum texture) {
    note("glClientActiveTexture", [&] { return glEnumText(texture); });
}
void record_glColor4x(GLfixed r, GLfixed g, GLfixed b, GLfixed a) {
    note("glColor4x", [&] { return join({num(r), num(g), num(b), num(a)}); });
}
void record_glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
    note("glColorMask", [&] {
        return join({glBooleanText(r), glBooleanText(g), glBooleanText(b), glBooleanText(a)});
    });
}
void record_glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    note("glColorPointer",
         [&] {
             return join({num(size), glEnumText(type), num(stride), pointerText(pointer)});
         },
         {pointer});
}
void record_glCompressedTexImage2D(GLenum target, GLint level, GLenum internalformat, GLsizei width,
                                   GLsizei height, GLint border, GLsizei imageSize, const GLvoid* data) {
    note("glCompressedTexImage2D",
         [&] {
             return join({glEnumText(target), num(level), glEnumText(internalformat), num(width), num(height),
                          num(border), num(imageSize),
                          dataText(data, imageSize > 0 ? static_cast<std::size_t>(imageSize) : 0)});
         },
         {data});
}
void record_glCullFace(GLenum mode) {
    note("glCullFace", [&] { return glEnumText(mode); });
}
void record_glDeleteTextures(GLsizei n, const GLuint* textures) {
    note("glDeleteTextures",
         [&] {
             return join({num(n), textures ? nameListText(textures, n) : "null"});
         },
         {textures});
}
void record_glDepthFunc(GLenum func) {
    note("glDepthFunc", [&] { return glEnumText(func); });
}
void record_glDepthMask(GLboolean flag) {
    note("glDepthMask", [&] { return glBooleanText(flag); });
}
void record_glDepthRangex(GLclampx n, GLclampx f) {
    note("glDepthRangex", [&] { return join({num(n), num(f)}); });
}
void record_glDisable(GLenum cap) {
    note("glDisable", [&] { return glEnumText(cap); });
}
void record_glDisableClientState(GLenum array) {
    note("glDisableClientState", [&] { return glEnumText(array); });
}
void record_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    note("glDrawArrays", [&] { return join({glPrimitiveText(mode), num(first), num(count)}); });
}
void record_glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    note("glDrawElements",
         [&] {
             const std::size_t size = type == GL_UNSIGNED_SHORT ? 2 : type == GL_UNSIGNED_BYTE ? 1 : 0;
             const std::size_t bytes = count > 0 ? static_cast<std::size_t>(count) * size : 0;
             return join({glPrimitiveText(mode), num(count), glEnumText(type), dataText(indices, bytes)});
         },
         {indices});
}
void record_glEnable(GLenum cap) {
    note("glEnable", [&] { return glEnumText(cap); });
}
void record_glEnableClientState(GLenum array) {
    note("glEnableClientState", [&] { return glEnumText(array); });
}
void record_glFinish() {
    note("glFinish", [] { return ""; });
}
void record_glFlush() {
    note("glFlush", [] { return ""; });
}
void record_glFogx(GLenum pname, GLfixed param) {
    note("glFogx", [&] { return join({glEnumText(pname), glParamText(param)}); });
}
void record_glFrontFace(GLenum mode) {
    note("glFrontFace", [&] { return glEnumText(mode); });
}
void record_glFrustumx(GLfixed l, GLfixed r, GLfixed b, GLfixed t, GLfixed n, GLfixed f) {
    note("glFrustumx", [&] { return join({num(l), num(r), num(b), num(t), num(n), num(f)}); });
}
void record_glGenTextures(GLsizei n, GLuint* textures) {
    auto& s = state();
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
    }
    s.log.note(
        "glGenTextures", [&] { return num(n); }, [&] { return nameListText(textures, n); }, {textures});
}
GLenum record_glGetError() {
    auto& s = state();
    GLenum error = GL_NO_ERROR;
    if (!s.glErrors.empty()) {
        error = s.glErrors.front();
        s.glErrors.pop_front();
    }
    s.log.note(
        "glGetError", [] { return ""; }, [&] { return glErrorText(error); });
    return error;
}
void record_glGetIntegerv(GLenum pname, GLint* params) {
    static const std::vector<GLint> zero{0};
    auto& s = state();
    const auto it = s.integers.find(pname);
    const std::vector<GLint>& values = it != s.integers.end() ? it->second : zero;
    std::copy(values.begin(), values.end(), params);
    s.log.note(
        "glGetIntegerv", [&] { return glEnumText(pname); },
        [&] {
            std::string text = "[";
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (i) {
                    text += ", ";
                }
                text += num(values[i]);
            }
            return text + "]";
        },
        {params});
}
const GLubyte* record_glGetString(GLenum name) {
    auto& s = state();
    const auto it = s.glStrings.find(name);
    const char* text = it != s.glStrings.end() ? it->second.c_str() : nullptr;
    s.log.note(
        "glGetString", [&] { return glEnumText(name); }, [&] { return quotedText(text); });
    return reinterpret_cast<const GLubyte*>(text);
}
void record_glHint(GLenum target, GLenum mode) {
    note("glHint", [&] { return join({glEnumText(target), glEnumText(mode)}); });
}
GLboolean record_glIsEnabled(GLenum cap) {
    state().log.note(
        "glIsEnabled", [&] { return glEnumText(cap); }, [] { return "GL_FALSE"; });
    return GL_FALSE;
}
void record_glLoadIdentity() {
    note("glLoadIdentity", [] { return ""; });
}
void record_glLoadMatrixx(const GLfixed* m) {
    note("glLoadMatrixx", [&] { return fixedArrayText(m, 16); }, {m});
}
void record_glMatrixMode(GLenum mode) {
    note("glMatrixMode", [&] { return glEnumText(mode); });
}
void record_glMultMatrixx(const GLfixed* m) {
    note("glMultMatrixx", [&] { return fixedArrayText(m, 16); }, {m});
}
void record_glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    note("glNormalPointer",
         [&] {
             return join({glEnumText(type), num(stride), pointerText(pointer)});
         },
         {pointer});
}
void record_glOrthox(GLfixed l, GLfixed r, GLfixed b, GLfixed t, GLfixed n, GLfixed f) {
    note("glOrthox", [&] { return join({num(l), num(r), num(b), num(t), num(n), num(f)}); });
}
void record_glPixelStorei(GLenum pname, GLint param) {
    if (pname == GL_UNPACK_ALIGNMENT) {
        state().unpackAlignment = param;
    }
    note("glPixelStorei", [&] { return join({glEnumText(pname), num(param)}); });
}
void record_glPopMatrix() {
    note("glPopMatrix", [] { return ""; });
}
void record_glPushMatrix() {
    note("glPushMatrix", [] { return ""; });
}
void record_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                         GLvoid* pixels) {
    if (pixels) {
        std::memset(pixels, 0, imageBytes(width, height, format, type, 4));
    }
    note("glReadPixels",
         [&] {
             return join({num(x), num(y), num(width), num(height), glEnumText(format), glEnumText(type),
                          pointerText(pixels)});
         },
         {pixels});
}
void record_glRotatex(GLfixed angle, GLfixed x, GLfixed y, GLfixed z) {
    note("glRotatex", [&] { return join({num(angle), num(x), num(y), num(z)}); });
}
void record_glScalex(GLfixed x, GLfixed y, GLfixed z) {
    note("glScalex", [&] { return join({num(x), num(y), num(z)}); });
}
void record_glScissor(GLint x, GLint y, GLsizei w, GLsizei h) {
    note("glScissor", [&] { return join({num(x), num(y), num(w), num(h)}); });
}
void record_glShadeModel(GLenum mode) {
    note("glShadeModel", [&] { return glEnumText(mode); });
}
void record_glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    note("glTexCoordPointer",
         [&] {
             return join({num(size), glEnumText(type), num(stride), pointerText(pointer)});
         },
         {pointer});
}
void record_glTexEnvx(GLenum target, GLenum pname, GLfixed param) {
    note("glTexEnvx", [&] { return join({glEnumText(target), glEnumText(pname), glParamText(param)}); });
}
void record_glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                         GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    note("glTexImage2D",
         [&] {
             const std::size_t bytes = imageBytes(width, height, format, type, state().unpackAlignment);
             return join({glEnumText(target), num(level), glEnumText(static_cast<GLenum>(internalformat)),
                          num(width), num(height), num(border), glEnumText(format), glEnumText(type),
                          dataText(pixels, bytes)});
         },
         {pixels});
}
void record_glTexParameterx(GLenum target, GLenum pname, GLfixed param) {
    note("glTexParameterx", [&] {
        return join({glEnumText(target), glEnumText(pname), glParamText(param)});
    });
}
void record_glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width,
                            GLsizei height, GLenum format, GLenum type, const GLvoid* pixels) {
    note("glTexSubImage2D",
         [&] {
             const std::size_t bytes = imageBytes(width, height, format, type, state().unpackAlignment);
             return join({glEnumText(target), num(level), num(xoffset), num(yoffset), num(width), num(height),
                          glEnumText(format), glEnumText(type), dataText(pixels, bytes)});
         },
         {pixels});
}
void record_glTranslatex(GLfixed x, GLfixed y, GLfixed z) {
    note("glTranslatex", [&] { return join({num(x), num(y), num(z)}); });
}
void record_glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    note("glVertexPointer",
         [&] {
             return join({num(size), glEnumText(type), num(stride), pointerText(pointer)});
         },
         {pointer});
}
void record_glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    note("glViewport", [&] { return join({num(x), num(y), num(w), num(h)}); });
}

} // namespace

void fillRecordGl(DispatchTable& table) {
#define NYM_RECORD_ASSIGN(ret, name, params, args) table.name = record_##name;
    NYM_GL_FUNCTIONS(NYM_RECORD_ASSIGN)
#undef NYM_RECORD_ASSIGN
}

} // namespace platform::gles
