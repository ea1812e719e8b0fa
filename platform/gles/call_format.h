#pragma once
// Text forms of GL and EGL arguments, as the record driver's log shows them (see record_driver.h).
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"

#include <cstddef>
#include <initializer_list>
#include <string>

namespace platform::gles {

std::string num(long long value);                             // decimal
std::string join(std::initializer_list<std::string> parts);   // "a, b, c"
std::string nameListText(const GLuint* names, GLsizei count); // `[1, 2]`

std::string glEnumText(GLenum value);         // by name, else hex
std::string glPrimitiveText(GLenum mode);     // GL_POINTS ... GL_TRIANGLE_FAN
std::string glBlendFactorText(GLenum factor); // GL_ZERO, GL_ONE or another factor
std::string glErrorText(GLenum error);        // GL_NO_ERROR or an error name
std::string glBooleanText(GLboolean value);
std::string glClearMaskText(GLbitfield mask);
std::string glParamText(GLfixed param); // an enum name when it is one, else decimal
std::string eglEnumText(EGLint value);
std::string eglBooleanText(EGLBoolean value);
std::string eglAttribListText(const EGLint* attributes);
std::string pointerText(const void* pointer); // `ptr` or `null`
std::string quotedText(const char* text);     // "text" or null
std::string fixedArrayText(const GLfixed* values, std::size_t count);

// Bytes per pixel of an uncompressed format and type, 0 if the pair is not valid.
int bytesPerPixel(GLenum format, GLenum type);
// Bytes the GL reads for an image with that row alignment.
std::size_t imageBytes(GLsizei width, GLsizei height, GLenum format, GLenum type, int alignment);

} // namespace platform::gles
