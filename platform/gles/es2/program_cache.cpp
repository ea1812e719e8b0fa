#include "platform/gles/es2/program_cache.h"

#include "platform/debug_output.h"
#include "platform/gles/es2/shader_source.h"
#include "platform/utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace platform::gles::es2 {

namespace {

ShaderStatistics statistics;

// The library's log of a shader or program on one line.
template <typename GetIv, typename GetLog> std::string infoLog(GLuint object, GetIv getIv, GetLog getLog) {
    GLint length = 0;
    getIv(object, GL_INFO_LOG_LENGTH, &length);
    std::string text(static_cast<std::size_t>(std::max(length, 1)), '\0');
    GLsizei written = 0;
    getLog(object, static_cast<GLsizei>(text.size()), &written, text.data());
    text.resize(static_cast<std::size_t>(std::clamp<GLsizei>(written, 0, static_cast<GLsizei>(text.size()))));
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text.empty() ? "no log" : text;
}

void reportFailure(const ShaderKey& key, const char* what, const std::string& log) {
    char variant[16];
    std::snprintf(variant, sizeof variant, "%06x", key.packed());
    const std::string line = std::string("nymbus: OpenGL ES 2.0 translation: shader variant ") + variant +
                             ": " + what + ": " + log + "\n";
    platform::outputDebugString(fromUtf8(line).c_str());
}

GLuint compile(const Es2Functions& gl, GLenum stage, const std::string& source, const ShaderKey& key) {
    const GLuint shader = gl.glCreateShader(stage);
    const GLchar* text = source.c_str();
    gl.glShaderSource(shader, 1, &text, nullptr);
    gl.glCompileShader(shader);
    GLint compiled = GL_FALSE;
    gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        reportFailure(key,
                      stage == GL_VERTEX_SHADER ? "the vertex shader does not compile"
                                                : "the fragment shader does not compile",
                      infoLog(shader, gl.glGetShaderiv, gl.glGetShaderInfoLog));
        gl.glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// Compiles and links the key's program; 0 after a failure (reported).
GLuint link(const Es2Functions& gl, const ShaderKey& key) {
    const ShaderSource source = shaderSource(key);
    const GLuint vertex = compile(gl, GL_VERTEX_SHADER, source.vertex, key);
    const GLuint fragment = vertex ? compile(gl, GL_FRAGMENT_SHADER, source.fragment, key) : 0;
    if (!fragment) {
        if (vertex) {
            gl.glDeleteShader(vertex);
        }
        return 0;
    }
    const GLuint program = gl.glCreateProgram();
    gl.glAttachShader(program, vertex);
    gl.glAttachShader(program, fragment);
    for (GLuint i = 0; i < kAttributes; ++i) {
        gl.glBindAttribLocation(program, i, kAttributeNames[i]);
    }
    gl.glLinkProgram(program);
    // The shaders go with the program.
    gl.glDeleteShader(vertex);
    gl.glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    gl.glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        reportFailure(key, "the program does not link",
                      infoLog(program, gl.glGetProgramiv, gl.glGetProgramInfoLog));
        gl.glDeleteProgram(program);
        return 0;
    }
    return program;
}

ProgramRecord build(const Es2Functions& gl, const ShaderKey& key, GLuint& currentProgram) {
    const auto start = std::chrono::steady_clock::now();
    ProgramRecord record;
    record.program = link(gl, key);
    if (record.program) {
        const GLuint p = record.program;
        record.mvp = gl.glGetUniformLocation(p, "u_mvp");
        record.modelview = gl.glGetUniformLocation(p, "u_modelview");
        record.alphaTest = gl.glGetUniformLocation(p, "u_alpha_test");
        record.fog = gl.glGetUniformLocation(p, "u_fog");
        gl.glUseProgram(p);
        currentProgram = p;
        for (std::size_t i = 0; i < key.units.size(); ++i) {
            if (key.units[i].enabled) {
                record.textureMatrix[i] =
                    gl.glGetUniformLocation(p, ("u_texture_matrix" + std::to_string(i)).c_str());
                gl.glUniform1i(gl.glGetUniformLocation(p, ("u_texture" + std::to_string(i)).c_str()),
                               static_cast<GLint>(i));
            }
        }
        ++statistics.variants;
    } else {
        ++statistics.failures;
    }
    statistics.buildMilliseconds +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return record;
}

} // namespace

ProgramRecord& ProgramCache::program(const Es2Functions& gl, const ShaderKey& key, GLuint& currentProgram) {
    const std::uint32_t packed = key.packed();
    const auto found = programs_.find(packed);
    if (found != programs_.end()) {
        return found->second;
    }
    return programs_.emplace(packed, build(gl, key, currentProgram)).first->second;
}

ShaderStatistics shaderStatistics() {
    return statistics;
}

} // namespace platform::gles::es2
