#include "platform/gles/es2/record_es2.h"

#include "platform/gles/call_format.h"
#include "platform/gles/call_log.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>

namespace platform::gles::es2 {

struct RecordEs2::State {
    CallLog log;
    Es2Functions functions;

    struct Shader {
        GLenum stage = 0;
        std::string source;
        bool compiled = false;
    };
    struct Program {
        std::vector<GLuint> shaders;
        bool linked = false;
        std::map<std::string, GLint, std::less<>> locations; // of the uniforms asked for
        std::vector<std::string> names;                      // by location
    };
    GLuint nextObject = 1; // shaders and programs share their names
    GLuint nextBuffer = 1;
    GLuint nextTexture = 1;
    std::map<GLuint, Shader> shaders;
    std::map<GLuint, Program> programs;
    std::map<GLuint, std::vector<std::uint8_t>> buffers;
    GLuint arrayBuffer = 0;
    GLuint elementBuffer = 0;
    GLuint currentProgram = 0;
    std::map<GLenum, std::string> compileFailures;
    std::string linkFailure;
    std::deque<GLenum> errors;
    std::map<GLenum, std::string> strings;
    std::map<GLenum, std::vector<GLint>> integers;
};

namespace {

RecordEs2::State* state = nullptr;

RecordEs2::State& s() {
    return *state;
}

std::string real(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string enumText(GLenum value) {
    switch (value) {
    case GL_VERTEX_SHADER:
        return "GL_VERTEX_SHADER";
    case GL_FRAGMENT_SHADER:
        return "GL_FRAGMENT_SHADER";
    case GL_STREAM_DRAW:
        return "GL_STREAM_DRAW";
    case GL_COMPILE_STATUS:
        return "GL_COMPILE_STATUS";
    case GL_LINK_STATUS:
        return "GL_LINK_STATUS";
    case GL_INFO_LOG_LENGTH:
        return "GL_INFO_LOG_LENGTH";
    default:
        return glEnumText(value);
    }
}

// Logs the call; `args` (and `result`) make their texts only when logging.
template <typename... Texts> void note(const char* name, Texts... texts) {
    s().log.note(name, texts...);
}

// A pointer argument that is an offset into the bound buffer, or client memory without one.
std::string offsetText(GLuint buffer, const void* pointer) {
    return buffer ? num(reinterpret_cast<std::intptr_t>(pointer)) : "client";
}

std::string uniformText(GLint location) {
    const auto program = s().programs.find(s().currentProgram);
    if (location >= 0 && program != s().programs.end() &&
        static_cast<std::size_t>(location) < program->second.names.size()) {
        return program->second.names[static_cast<std::size_t>(location)];
    }
    return num(location);
}

// Whether one of the sources declares the uniform.
bool declares(const std::string& source, std::string_view name) {
    for (std::size_t at = source.find("uniform "); at != std::string::npos;
         at = source.find("uniform ", at + 1)) {
        const std::size_t end = source.find(';', at);
        const std::size_t space = source.rfind(' ', end);
        if (end != std::string::npos && source.compare(space + 1, end - space - 1, name) == 0) {
            return true;
        }
    }
    return false;
}

void record_glActiveTexture(GLenum texture) {
    note("glActiveTexture", [&] { return join({enumText(texture)}); });
}
void record_glAttachShader(GLuint program, GLuint shader) {
    s().programs[program].shaders.push_back(shader);
    note("glAttachShader", [&] { return join({num(program), num(shader)}); });
}
void record_glBindAttribLocation(GLuint program, GLuint index, const GLchar* name) {
    note("glBindAttribLocation", [&] { return join({num(program), num(index), quotedText(name)}); });
}
void record_glBindBuffer(GLenum target, GLuint buffer) {
    (target == GL_ARRAY_BUFFER ? s().arrayBuffer : s().elementBuffer) = buffer;
    note("glBindBuffer", [&] { return join({enumText(target), num(buffer)}); });
}
void record_glBindTexture(GLenum target, GLuint texture) {
    note("glBindTexture", [&] { return join({enumText(target), num(texture)}); });
}
void record_glBlendFunc(GLenum sfactor, GLenum dfactor) {
    note("glBlendFunc", [&] { return join({glBlendFactorText(sfactor), glBlendFactorText(dfactor)}); });
}
// The contents of the buffer bound to the target, null without one. Only a logging library keeps them.
std::vector<std::uint8_t>* boundData(GLenum target) {
    const GLuint buffer = target == GL_ARRAY_BUFFER ? s().arrayBuffer : s().elementBuffer;
    return buffer && s().log.logging() ? &s().buffers[buffer] : nullptr;
}
void record_glBufferData(GLenum target, GLsizeiptr size, const GLvoid* data, GLenum usage) {
    if (std::vector<std::uint8_t>* bytes = boundData(target)) {
        bytes->assign(static_cast<std::size_t>(size), 0);
        if (data) {
            std::memcpy(bytes->data(), data, static_cast<std::size_t>(size));
        }
    }
    note("glBufferData", [&] {
        return join(
            {enumText(target), num(size), dataText(data, static_cast<std::size_t>(size)), enumText(usage)});
    });
}
void record_glBufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const GLvoid* data) {
    if (std::vector<std::uint8_t>* bytes = boundData(target)) {
        if (static_cast<std::size_t>(offset + size) <= bytes->size()) {
            std::memcpy(bytes->data() + offset, data, static_cast<std::size_t>(size));
        }
    }
    note("glBufferSubData", [&] {
        return join(
            {enumText(target), num(offset), num(size), dataText(data, static_cast<std::size_t>(size))});
    });
}
void record_glClear(GLbitfield mask) {
    note("glClear", [&] { return join({glClearMaskText(mask)}); });
}
void record_glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    note("glClearColor", [&] { return join({real(red), real(green), real(blue), real(alpha)}); });
}
void record_glClearDepthf(GLclampf depth) {
    note("glClearDepthf", [&] { return join({real(depth)}); });
}
void record_glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha) {
    note("glColorMask", [&] {
        return join({glBooleanText(red), glBooleanText(green), glBooleanText(blue), glBooleanText(alpha)});
    });
}
void record_glCompileShader(GLuint shader) {
    auto& sh = s().shaders[shader];
    sh.compiled = s().compileFailures.find(sh.stage) == s().compileFailures.end();
    note("glCompileShader", [&] { return join({num(shader)}); });
}
void record_glCompressedTexImage2D(GLenum target, GLint level, GLenum internalformat, GLsizei width,
                                   GLsizei height, GLint border, GLsizei imageSize, const GLvoid* data) {
    note("glCompressedTexImage2D", [&] {
        return join({enumText(target), num(level), enumText(internalformat), num(width), num(height),
                     num(border), num(imageSize),
                     dataText(data, imageSize > 0 ? static_cast<std::size_t>(imageSize) : 0)});
    });
}
GLuint record_glCreateProgram() {
    const GLuint name = s().nextObject++;
    s().programs[name];
    note(
        "glCreateProgram", [] { return ""; }, [&] { return num(name); });
    return name;
}
GLuint record_glCreateShader(GLenum type) {
    const GLuint name = s().nextObject++;
    s().shaders[name].stage = type;
    note(
        "glCreateShader", [&] { return enumText(type); }, [&] { return num(name); });
    return name;
}
void record_glCullFace(GLenum mode) {
    note("glCullFace", [&] { return join({enumText(mode)}); });
}
void record_glDeleteProgram(GLuint program) {
    note("glDeleteProgram", [&] { return join({num(program)}); });
}
void record_glDeleteShader(GLuint shader) {
    note("glDeleteShader", [&] { return join({num(shader)}); });
}
void record_glDeleteTextures(GLsizei n, const GLuint* textures) {
    note("glDeleteTextures", [&] { return join({num(n), nameListText(textures, n)}); });
}
void record_glDepthFunc(GLenum func) {
    note("glDepthFunc", [&] { return join({enumText(func)}); });
}
void record_glDepthMask(GLboolean flag) {
    note("glDepthMask", [&] { return join({glBooleanText(flag)}); });
}
void record_glDepthRangef(GLclampf zNear, GLclampf zFar) {
    note("glDepthRangef", [&] { return join({real(zNear), real(zFar)}); });
}
void record_glDisable(GLenum cap) {
    note("glDisable", [&] { return join({enumText(cap)}); });
}
void record_glDisableVertexAttribArray(GLuint index) {
    note("glDisableVertexAttribArray", [&] { return join({num(index)}); });
}
void record_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    note("glDrawArrays", [&] { return join({glPrimitiveText(mode), num(first), num(count)}); });
}
void record_glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    note("glDrawElements", [&] {
        return join(
            {glPrimitiveText(mode), num(count), enumText(type), offsetText(s().elementBuffer, indices)});
    });
}
void record_glEnable(GLenum cap) {
    note("glEnable", [&] { return join({enumText(cap)}); });
}
void record_glEnableVertexAttribArray(GLuint index) {
    note("glEnableVertexAttribArray", [&] { return join({num(index)}); });
}
void record_glFinish() {
    note("glFinish", [] { return std::string(); });
}
void record_glFlush() {
    note("glFlush", [] { return std::string(); });
}
void record_glFrontFace(GLenum mode) {
    note("glFrontFace", [&] { return join({enumText(mode)}); });
}
void record_glGenBuffers(GLsizei n, GLuint* buffers) {
    for (GLsizei i = 0; i < n; ++i) {
        buffers[i] = s().nextBuffer++;
        s().buffers[buffers[i]];
    }
    note(
        "glGenBuffers", [&] { return num(n); }, [&] { return nameListText(buffers, n); });
}
void record_glGenerateMipmap(GLenum target) {
    note("glGenerateMipmap", [&] { return join({enumText(target)}); });
}
void record_glGenTextures(GLsizei n, GLuint* textures) {
    for (GLsizei i = 0; i < n; ++i) {
        textures[i] = s().nextTexture++;
    }
    note(
        "glGenTextures", [&] { return num(n); }, [&] { return nameListText(textures, n); });
}
GLenum record_glGetError() {
    GLenum error = GL_NO_ERROR;
    if (!s().errors.empty()) {
        error = s().errors.front();
        s().errors.pop_front();
    }
    note(
        "glGetError", [] { return ""; }, [&] { return glErrorText(error); });
    return error;
}
void record_glGetIntegerv(GLenum pname, GLint* params) {
    static const std::vector<GLint> zero{0};
    const auto it = s().integers.find(pname);
    const std::vector<GLint>& values = it != s().integers.end() ? it->second : zero;
    std::copy(values.begin(), values.end(), params);
    note("glGetIntegerv", [&] { return join({enumText(pname)}); });
}
// The failure log of a shader or program, or empty.
const std::string& failureLog(GLuint object) {
    static const std::string none;
    const auto shader = s().shaders.find(object);
    if (shader != s().shaders.end()) {
        const auto failure = s().compileFailures.find(shader->second.stage);
        return shader->second.compiled || failure == s().compileFailures.end() ? none : failure->second;
    }
    const auto program = s().programs.find(object);
    return program != s().programs.end() && !program->second.linked ? s().linkFailure : none;
}
void writeLog(GLuint object, GLsizei bufSize, GLsizei* length, GLchar* infoLog) {
    const std::string& text = failureLog(object);
    const GLsizei n = bufSize > 0 ? std::min<GLsizei>(static_cast<GLsizei>(text.size()), bufSize - 1) : 0;
    if (bufSize > 0) {
        std::memcpy(infoLog, text.data(), static_cast<std::size_t>(n));
        infoLog[n] = '\0';
    }
    if (length) {
        *length = n;
    }
}
void record_glGetProgramInfoLog(GLuint program, GLsizei bufSize, GLsizei* length, GLchar* infoLog) {
    writeLog(program, bufSize, length, infoLog);
    note("glGetProgramInfoLog", [&] { return join({num(program)}); });
}
void record_glGetProgramiv(GLuint program, GLenum pname, GLint* params) {
    const auto& p = s().programs[program];
    *params = pname == GL_LINK_STATUS       ? (p.linked ? GL_TRUE : GL_FALSE)
              : pname == GL_INFO_LOG_LENGTH ? static_cast<GLint>(failureLog(program).size() + 1)
                                            : 0;
    note("glGetProgramiv", [&] { return join({num(program), enumText(pname)}); });
}
void record_glGetShaderInfoLog(GLuint shader, GLsizei bufSize, GLsizei* length, GLchar* infoLog) {
    writeLog(shader, bufSize, length, infoLog);
    note("glGetShaderInfoLog", [&] { return join({num(shader)}); });
}
void record_glGetShaderiv(GLuint shader, GLenum pname, GLint* params) {
    const auto& sh = s().shaders[shader];
    *params = pname == GL_COMPILE_STATUS    ? (sh.compiled ? GL_TRUE : GL_FALSE)
              : pname == GL_INFO_LOG_LENGTH ? static_cast<GLint>(failureLog(shader).size() + 1)
                                            : 0;
    note("glGetShaderiv", [&] { return join({num(shader), enumText(pname)}); });
}
const GLubyte* record_glGetString(GLenum name) {
    const auto it = s().strings.find(name);
    const char* text = it != s().strings.end() ? it->second.c_str() : nullptr;
    note(
        "glGetString", [&] { return enumText(name); }, [&] { return quotedText(text); });
    return reinterpret_cast<const GLubyte*>(text);
}
GLint record_glGetUniformLocation(GLuint program, const GLchar* name) {
    auto& p = s().programs[program];
    GLint location = -1;
    if (const auto known = p.locations.find(name); known != p.locations.end()) {
        location = known->second;
    } else if (p.linked && std::any_of(p.shaders.begin(), p.shaders.end(), [&](GLuint shader) {
                   return declares(s().shaders[shader].source, name);
               })) {
        location = static_cast<GLint>(p.names.size());
        p.names.emplace_back(name);
        p.locations.emplace(name, location);
    }
    note(
        "glGetUniformLocation",
        [&] {
            return join({num(program), quotedText(name)});
        },
        [&] { return num(location); });
    return location;
}
void record_glHint(GLenum target, GLenum mode) {
    note("glHint", [&] { return join({enumText(target), enumText(mode)}); });
}
void record_glLinkProgram(GLuint program) {
    auto& p = s().programs[program];
    p.linked = s().linkFailure.empty() && std::all_of(p.shaders.begin(), p.shaders.end(), [](GLuint shader) {
                   return s().shaders[shader].compiled;
               });
    note("glLinkProgram", [&] { return join({num(program)}); });
}
void record_glPixelStorei(GLenum pname, GLint param) {
    note("glPixelStorei", [&] { return join({enumText(pname), num(param)}); });
}
void record_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                         GLvoid* pixels) {
    if (pixels) {
        std::memset(pixels, 0, imageBytes(width, height, format, type, 4));
    }
    note("glReadPixels", [&] {
        return join({num(x), num(y), num(width), num(height), enumText(format), enumText(type)});
    });
}
void record_glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    note("glScissor", [&] { return join({num(x), num(y), num(width), num(height)}); });
}
void record_glShaderSource(GLuint shader, GLsizei count, const GLchar* const* string, const GLint* length) {
    std::string source;
    for (GLsizei i = 0; i < count; ++i) {
        source += length && length[i] >= 0 ? std::string(string[i], static_cast<std::size_t>(length[i]))
                                           : string[i];
    }
    note("glShaderSource", [&] {
        std::string size = "<";
        size += num(static_cast<long long>(source.size()));
        size += " bytes>";
        return join({num(shader), size});
    });
    s().shaders[shader].source = std::move(source);
}
void record_glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                         GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    note("glTexImage2D", [&] {
        return join({enumText(target), num(level), enumText(static_cast<GLenum>(internalformat)), num(width),
                     num(height), num(border), enumText(format), enumText(type), pointerText(pixels)});
    });
}
void record_glTexParameteri(GLenum target, GLenum pname, GLint param) {
    note("glTexParameteri", [&] { return join({enumText(target), enumText(pname), glParamText(param)}); });
}
void record_glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width,
                            GLsizei height, GLenum format, GLenum type, const GLvoid* pixels) {
    note("glTexSubImage2D", [&] {
        return join({enumText(target), num(level), num(xoffset), num(yoffset), num(width), num(height),
                     enumText(format), enumText(type), pointerText(pixels)});
    });
}
void record_glUniform2f(GLint location, GLfloat v0, GLfloat v1) {
    note("glUniform2f", [&] { return join({uniformText(location), real(v0), real(v1)}); });
}
void record_glUniform1i(GLint location, GLint v0) {
    note("glUniform1i", [&] { return join({uniformText(location), num(v0)}); });
}
void record_glUniform4f(GLint location, GLfloat v0, GLfloat v1, GLfloat v2, GLfloat v3) {
    note("glUniform4f", [&] {
        return join({uniformText(location), real(v0), real(v1), real(v2), real(v3)});
    });
}
void record_glUniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value) {
    note("glUniformMatrix4fv", [&] {
        std::string matrix = "[";
        for (int i = 0; i < 16 * count; ++i) {
            matrix += (i ? ", " : "") + real(value[i]);
        }
        return join({uniformText(location), num(count), glBooleanText(transpose), matrix + "]"});
    });
}
void record_glUseProgram(GLuint program) {
    s().currentProgram = program;
    note("glUseProgram", [&] { return join({num(program)}); });
}
void record_glVertexAttrib4f(GLuint index, GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    note("glVertexAttrib4f", [&] { return join({num(index), real(x), real(y), real(z), real(w)}); });
}
void record_glVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                                  const GLvoid* pointer) {
    note("glVertexAttribPointer", [&] {
        return join({num(index), num(size), enumText(type), glBooleanText(normalized), num(stride),
                     offsetText(s().arrayBuffer, pointer)});
    });
}
void record_glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    note("glViewport", [&] { return join({num(x), num(y), num(width), num(height)}); });
}

} // namespace

RecordEs2::RecordEs2(Mode mode) : state_(std::make_unique<State>()) {
    state_->log.mode = mode;
    state_->strings = {{GL_VENDOR, "Nymbus"},
                       {GL_RENDERER, "record es2"},
                       {GL_VERSION, "OpenGL ES 2.0 record"},
                       {GL_EXTENSIONS, ""}};
#define NYM_RECORD_ES2_ASSIGN(ret, name, params, args) state_->functions.name = record_##name;
    NYM_ES2_FUNCTIONS(NYM_RECORD_ES2_ASSIGN)
#undef NYM_RECORD_ES2_ASSIGN
    state = state_.get();
}

RecordEs2::~RecordEs2() {
    state = nullptr;
}

const Es2Functions& RecordEs2::functions() const {
    return state_->functions;
}

std::vector<std::string> RecordEs2::log() const {
    return state_->log.texts();
}

std::vector<std::string> RecordEs2::log(std::initializer_list<std::string_view> names) const {
    return state_->log.texts(names);
}

void RecordEs2::clearLog() {
    state_->log.calls.clear();
}

void RecordEs2::failCompile(GLenum stage, std::string infoLog) {
    if (infoLog.empty()) {
        state_->compileFailures.erase(stage);
    } else {
        state_->compileFailures[stage] = std::move(infoLog);
    }
}

void RecordEs2::failLink(std::string infoLog) {
    state_->linkFailure = std::move(infoLog);
}

void RecordEs2::pushError(GLenum error) {
    state_->errors.push_back(error);
}

void RecordEs2::setString(GLenum name, std::string value) {
    state_->strings[name] = std::move(value);
}

void RecordEs2::setInteger(GLenum pname, std::vector<GLint> values) {
    state_->integers[pname] = std::move(values);
}

const std::vector<std::uint8_t>& RecordEs2::bufferData(GLuint buffer) const {
    static const std::vector<std::uint8_t> none;
    const auto it = state_->buffers.find(buffer);
    return it != state_->buffers.end() ? it->second : none;
}

std::string RecordEs2::programSource(GLuint program, GLenum stage) const {
    const auto it = state_->programs.find(program);
    if (it == state_->programs.end()) {
        return {};
    }
    for (GLuint shader : it->second.shaders) {
        if (state_->shaders[shader].stage == stage) {
            return state_->shaders[shader].source;
        }
    }
    return {};
}

} // namespace platform::gles::es2
