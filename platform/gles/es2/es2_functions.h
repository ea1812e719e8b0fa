#pragma once
// The OpenGL ES 2.0 functions and enum values the translation calls, for code that handles all of them
// alike (the function table, library loading, the recording double): X(return type, name, (parameters),
// (arguments)). The names are the library's own; they live only in the table, never as functions of
// ours, so they do not clash with the OpenGL ES 1.x functions of gl.h.
#include "platform/gles/gl.h"

using GLchar = char;

#define GL_STREAM_DRAW 0x88E0
#define GL_FRAGMENT_SHADER 0x8B30
#define GL_VERTEX_SHADER 0x8B31
#define GL_COMPILE_STATUS 0x8B81
#define GL_LINK_STATUS 0x8B82
#define GL_INFO_LOG_LENGTH 0x8B84
#define GL_SHADING_LANGUAGE_VERSION 0x8B8C
#define GL_TEXTURE_CUBE_MAP 0x8513
#define GL_COMPRESSED_RGBA_S3TC_DXT3_EXT 0x83F2
#define GL_COMPRESSED_RGBA_S3TC_DXT5_EXT 0x83F3
#define GL_ETC1_RGB8_OES 0x8D64

#define NYM_ES2_FUNCTIONS(X)                                                                                 \
    X(void, glActiveTexture, (GLenum texture), (texture))                                                    \
    X(void, glAttachShader, (GLuint program, GLuint shader), (program, shader))                              \
    X(void, glBindAttribLocation, (GLuint program, GLuint index, const GLchar* name),                        \
      (program, index, name))                                                                                \
    X(void, glBindBuffer, (GLenum target, GLuint buffer), (target, buffer))                                  \
    X(void, glBindTexture, (GLenum target, GLuint texture), (target, texture))                               \
    X(void, glBlendFunc, (GLenum sfactor, GLenum dfactor), (sfactor, dfactor))                               \
    X(void, glBufferData, (GLenum target, GLsizeiptr size, const GLvoid* data, GLenum usage),                \
      (target, size, data, usage))                                                                           \
    X(void, glBufferSubData, (GLenum target, GLintptr offset, GLsizeiptr size, const GLvoid* data),          \
      (target, offset, size, data))                                                                          \
    X(void, glClear, (GLbitfield mask), (mask))                                                              \
    X(void, glClearColor, (GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha),                     \
      (red, green, blue, alpha))                                                                             \
    X(void, glClearDepthf, (GLclampf depth), (depth))                                                        \
    X(void, glColorMask, (GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha),                  \
      (red, green, blue, alpha))                                                                             \
    X(void, glCompileShader, (GLuint shader), (shader))                                                      \
    X(void, glCompressedTexImage2D,                                                                          \
      (GLenum target, GLint level, GLenum internalformat, GLsizei width, GLsizei height, GLint border,       \
       GLsizei imageSize, const GLvoid* data),                                                               \
      (target, level, internalformat, width, height, border, imageSize, data))                               \
    X(GLuint, glCreateProgram, (), ())                                                                       \
    X(GLuint, glCreateShader, (GLenum type), (type))                                                         \
    X(void, glCullFace, (GLenum mode), (mode))                                                               \
    X(void, glDeleteProgram, (GLuint program), (program))                                                    \
    X(void, glDeleteShader, (GLuint shader), (shader))                                                       \
    X(void, glDeleteTextures, (GLsizei n, const GLuint* textures), (n, textures))                            \
    X(void, glDepthFunc, (GLenum func), (func))                                                              \
    X(void, glDepthMask, (GLboolean flag), (flag))                                                           \
    X(void, glDepthRangef, (GLclampf zNear, GLclampf zFar), (zNear, zFar))                                   \
    X(void, glDisable, (GLenum cap), (cap))                                                                  \
    X(void, glDisableVertexAttribArray, (GLuint index), (index))                                             \
    X(void, glDrawArrays, (GLenum mode, GLint first, GLsizei count), (mode, first, count))                   \
    X(void, glDrawElements, (GLenum mode, GLsizei count, GLenum type, const GLvoid* indices),                \
      (mode, count, type, indices))                                                                          \
    X(void, glEnable, (GLenum cap), (cap))                                                                   \
    X(void, glEnableVertexAttribArray, (GLuint index), (index))                                              \
    X(void, glFinish, (), ())                                                                                \
    X(void, glFlush, (), ())                                                                                 \
    X(void, glFrontFace, (GLenum mode), (mode))                                                              \
    X(void, glGenBuffers, (GLsizei n, GLuint * buffers), (n, buffers))                                       \
    X(void, glGenerateMipmap, (GLenum target), (target))                                                     \
    X(void, glGenTextures, (GLsizei n, GLuint * textures), (n, textures))                                    \
    X(GLenum, glGetError, (), ())                                                                            \
    X(void, glGetIntegerv, (GLenum pname, GLint * params), (pname, params))                                  \
    X(void, glGetProgramInfoLog, (GLuint program, GLsizei bufSize, GLsizei * length, GLchar * infoLog),      \
      (program, bufSize, length, infoLog))                                                                   \
    X(void, glGetProgramiv, (GLuint program, GLenum pname, GLint * params), (program, pname, params))        \
    X(void, glGetShaderInfoLog, (GLuint shader, GLsizei bufSize, GLsizei * length, GLchar * infoLog),        \
      (shader, bufSize, length, infoLog))                                                                    \
    X(void, glGetShaderiv, (GLuint shader, GLenum pname, GLint * params), (shader, pname, params))           \
    X(const GLubyte*, glGetString, (GLenum name), (name))                                                    \
    X(GLint, glGetUniformLocation, (GLuint program, const GLchar* name), (program, name))                    \
    X(void, glHint, (GLenum target, GLenum mode), (target, mode))                                            \
    X(void, glLinkProgram, (GLuint program), (program))                                                      \
    X(void, glPixelStorei, (GLenum pname, GLint param), (pname, param))                                      \
    X(void, glReadPixels,                                                                                    \
      (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid * pixels),        \
      (x, y, width, height, format, type, pixels))                                                           \
    X(void, glScissor, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))             \
    X(void, glShaderSource,                                                                                  \
      (GLuint shader, GLsizei count, const GLchar* const* string, const GLint* length),                      \
      (shader, count, string, length))                                                                       \
    X(void, glTexImage2D,                                                                                    \
      (GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, GLint border,        \
       GLenum format, GLenum type, const GLvoid* pixels),                                                    \
      (target, level, internalformat, width, height, border, format, type, pixels))                          \
    X(void, glTexParameteri, (GLenum target, GLenum pname, GLint param), (target, pname, param))             \
    X(void, glTexSubImage2D,                                                                                 \
      (GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width, GLsizei height,              \
       GLenum format, GLenum type, const GLvoid* pixels),                                                    \
      (target, level, xoffset, yoffset, width, height, format, type, pixels))                                \
    X(void, glUniform1i, (GLint location, GLint v0), (location, v0))                                         \
    X(void, glUniform2f, (GLint location, GLfloat v0, GLfloat v1), (location, v0, v1))                       \
    X(void, glUniform4f, (GLint location, GLfloat v0, GLfloat v1, GLfloat v2, GLfloat v3),                   \
      (location, v0, v1, v2, v3))                                                                            \
    X(void, glUniformMatrix4fv, (GLint location, GLsizei count, GLboolean transpose, const GLfloat* value),  \
      (location, count, transpose, value))                                                                   \
    X(void, glUseProgram, (GLuint program), (program))                                                       \
    X(void, glVertexAttrib4f, (GLuint index, GLfloat x, GLfloat y, GLfloat z, GLfloat w),                    \
      (index, x, y, z, w))                                                                                   \
    X(void, glVertexAttribPointer,                                                                           \
      (GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride, const GLvoid* pointer),  \
      (index, size, type, normalized, stride, pointer))                                                      \
    X(void, glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))

namespace platform::gles::es2 {

// The OpenGL ES 2.0 library's functions that the translation calls.
struct Es2Functions {
#define NYM_ES2_ENTRY(ret, name, params, args) ret(*name) params = nullptr;
    NYM_ES2_FUNCTIONS(NYM_ES2_ENTRY)
#undef NYM_ES2_ENTRY
};

} // namespace platform::gles::es2
