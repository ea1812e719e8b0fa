#include "platform/gles/call_format.h"

#include "platform/gles/enum_names.h"

#include <cstdio>

// Texts are built by appending: GCC 12 at -O3 mistakes a literal + std::string for an overlapping copy.

namespace platform::gles {

namespace {

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

} // namespace

std::string num(long long value) {
    return std::to_string(value);
}

std::string join(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& p : parts) {
        if (!text.empty()) {
            text += ", ";
        }
        text += p;
    }
    return text;
}

std::string nameListText(const GLuint* names, GLsizei count) {
    std::string text = "[";
    for (GLsizei i = 0; names && i < count; ++i) {
        if (i) {
            text += ", ";
        }
        text += num(names[i]);
    }
    return text + "]";
}

std::string glEnumText(GLenum value) {
    const char* name = glEnumName(value);
    return name ? name : hex(value);
}

std::string glPrimitiveText(GLenum mode) {
    static const char* const names[] = {"GL_POINTS",      "GL_LINES",     "GL_LINE_LOOP",
                                        "GL_LINE_STRIP",  "GL_TRIANGLES", "GL_TRIANGLE_STRIP",
                                        "GL_TRIANGLE_FAN"};
    return mode < 7 ? names[mode] : glEnumText(mode);
}

std::string glBlendFactorText(GLenum factor) {
    if (factor == GL_ZERO) {
        return "GL_ZERO";
    }
    if (factor == GL_ONE) {
        return "GL_ONE";
    }
    return glEnumText(factor);
}

std::string glErrorText(GLenum error) {
    return error == GL_NO_ERROR ? "GL_NO_ERROR" : glEnumText(error);
}

std::string glBooleanText(GLboolean value) {
    if (value == GL_FALSE) {
        return "GL_FALSE";
    }
    return value == GL_TRUE ? "GL_TRUE" : std::to_string(value);
}

std::string glClearMaskText(GLbitfield mask) {
    static const struct {
        GLbitfield bit;
        const char* name;
    } bits[] = {{GL_COLOR_BUFFER_BIT, "GL_COLOR_BUFFER_BIT"},
                {GL_DEPTH_BUFFER_BIT, "GL_DEPTH_BUFFER_BIT"},
                {GL_STENCIL_BUFFER_BIT, "GL_STENCIL_BUFFER_BIT"}};
    std::string text;
    const auto add = [&text](const std::string& part) {
        if (!text.empty()) {
            text += '|';
        }
        text += part;
    };
    for (const auto& b : bits) {
        if (mask & b.bit) {
            add(b.name);
            mask &= ~b.bit;
        }
    }
    if (mask != 0) {
        add(hex(mask));
    }
    return text.empty() ? "0" : text;
}

std::string glParamText(GLfixed param) {
    const char* name = param >= 0x100 ? glEnumName(static_cast<unsigned>(param)) : nullptr;
    return name ? name : std::to_string(param);
}

std::string eglEnumText(EGLint value) {
    const char* name = eglEnumName(static_cast<unsigned>(value));
    return name ? name : hex(static_cast<unsigned>(value));
}

std::string eglBooleanText(EGLBoolean value) {
    if (value == EGL_FALSE) {
        return "EGL_FALSE";
    }
    return value == EGL_TRUE ? "EGL_TRUE" : std::to_string(value);
}

std::string eglAttribListText(const EGLint* attributes) {
    if (!attributes) {
        return "null";
    }
    std::string text = "[";
    for (;; attributes += 2) {
        if (attributes[0] == EGL_NONE) {
            return text + "EGL_NONE]";
        }
        text += eglEnumText(attributes[0]) + " " + std::to_string(attributes[1]) + ", ";
    }
}

std::string pointerText(const void* pointer) {
    return pointer ? "ptr" : "null";
}

std::string quotedText(const char* text) {
    if (!text) {
        return "null";
    }
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string fixedArrayText(const GLfixed* values, std::size_t count) {
    if (!values) {
        return "null";
    }
    std::string text = "[";
    for (std::size_t i = 0; i < count; ++i) {
        if (i) {
            text += ", ";
        }
        text += std::to_string(values[i]);
    }
    return text + "]";
}

int bytesPerPixel(GLenum format, GLenum type) {
    switch (type) {
    case GL_UNSIGNED_BYTE:
        switch (format) {
        case GL_RGBA:
            return 4;
        case GL_RGB:
            return 3;
        case GL_LUMINANCE_ALPHA:
            return 2;
        case GL_LUMINANCE:
        case GL_ALPHA:
            return 1;
        default:
            return 0;
        }
    case GL_UNSIGNED_SHORT_5_6_5:
        return format == GL_RGB ? 2 : 0;
    case GL_UNSIGNED_SHORT_4_4_4_4:
    case GL_UNSIGNED_SHORT_5_5_5_1:
        return format == GL_RGBA ? 2 : 0;
    default:
        return 0;
    }
}

std::size_t imageBytes(GLsizei width, GLsizei height, GLenum format, GLenum type, int alignment) {
    const int bpp = bytesPerPixel(format, type);
    if (bpp == 0 || width <= 0 || height <= 0) {
        return 0;
    }
    const std::size_t row = static_cast<std::size_t>(width) * static_cast<std::size_t>(bpp);
    const std::size_t a = alignment > 0 ? static_cast<std::size_t>(alignment) : 1;
    const std::size_t stride = (row + a - 1) / a * a;
    return stride * static_cast<std::size_t>(height - 1) + row;
}

} // namespace platform::gles
