// glGetError, glGetIntegerv and glGetString: what the translation keeps is answered from its state, what
// OpenGL ES 2.0 has the same way from the library, and the strings say what runs underneath.
#include "platform/gles/es2/translation_context.h"
#include "platform/gles/kept_string.h"

#include <cmath>
#include <string>
#include <string_view>

namespace platform::gles::es2 {

namespace {

GLenum translated_glGetError() {
    GLenum& pending = context().state.error;
    if (pending != GL_NO_ERROR) {
        const GLenum error = pending;
        pending = GL_NO_ERROR;
        return error;
    }
    return gl().glGetError();
}

// Parameters whose meaning and values OpenGL ES 2.0 shares.
bool libraryParameter(GLenum pname) {
    switch (pname) {
    case GL_VIEWPORT:
    case GL_SCISSOR_BOX:
    case GL_DEPTH_RANGE:
    case GL_DEPTH_WRITEMASK:
    case GL_DEPTH_CLEAR_VALUE:
    case GL_DEPTH_FUNC:
    case GL_COLOR_CLEAR_VALUE:
    case GL_COLOR_WRITEMASK:
    case GL_CULL_FACE_MODE:
    case GL_FRONT_FACE:
    case GL_LINE_WIDTH:
    case GL_POLYGON_OFFSET_UNITS:
    case GL_POLYGON_OFFSET_FACTOR:
    case GL_SAMPLE_BUFFERS:
    case GL_SAMPLES:
    case GL_SAMPLE_COVERAGE_VALUE:
    case GL_SAMPLE_COVERAGE_INVERT:
    case GL_STENCIL_CLEAR_VALUE:
    case GL_STENCIL_FUNC:
    case GL_STENCIL_VALUE_MASK:
    case GL_STENCIL_FAIL:
    case GL_STENCIL_PASS_DEPTH_FAIL:
    case GL_STENCIL_PASS_DEPTH_PASS:
    case GL_STENCIL_REF:
    case GL_STENCIL_WRITEMASK:
    case GL_MAX_TEXTURE_SIZE:
    case GL_MAX_VIEWPORT_DIMS:
    case GL_SUBPIXEL_BITS:
    case GL_RED_BITS:
    case GL_GREEN_BITS:
    case GL_BLUE_BITS:
    case GL_ALPHA_BITS:
    case GL_DEPTH_BITS:
    case GL_STENCIL_BITS:
    case GL_ALIASED_POINT_SIZE_RANGE:
    case GL_ALIASED_LINE_WIDTH_RANGE:
    case GL_TEXTURE_BINDING_2D:
    case GL_UNPACK_ALIGNMENT:
    case GL_PACK_ALIGNMENT:
    case GL_GENERATE_MIPMAP_HINT:
    case GL_IMPLEMENTATION_COLOR_READ_TYPE_OES:
    case GL_IMPLEMENTATION_COLOR_READ_FORMAT_OES:
    case GL_NUM_COMPRESSED_TEXTURE_FORMATS:
    case GL_COMPRESSED_TEXTURE_FORMATS:
        return true;
    default:
        return false;
    }
}

// A value in [-1, 1] as glGetIntegerv gives it: mapped linearly onto the integers.
GLint mappedColour(float value) {
    return static_cast<GLint>(std::lround(static_cast<double>(value) * 2147483647.0));
}

void writeMatrix(const Matrix& matrix, GLint* params) {
    for (std::size_t i = 0; i < 16; ++i) {
        params[i] = static_cast<GLint>(std::lround(matrix.m[i]));
    }
}

void writeArray(const ClientArray& a, GLenum what, GLint* params) {
    *params = what == 0 ? a.size : what == 1 ? static_cast<GLint>(a.type) : a.stride;
}

// The translation's own parameters; false for one it does not hold.
bool translationParameter(GLenum pname, GLint* params) {
    const FixedState& s = context().state;
    const TextureUnit& active = s.units[static_cast<std::size_t>(s.activeUnit)];
    const TextureUnit& client = s.units[static_cast<std::size_t>(s.clientUnit)];
    switch (pname) {
    case GL_MATRIX_MODE:
        *params = static_cast<GLint>(s.matrixMode);
        return true;
    case GL_MODELVIEW_STACK_DEPTH:
        *params = s.modelview.depth();
        return true;
    case GL_PROJECTION_STACK_DEPTH:
        *params = s.projection.depth();
        return true;
    case GL_TEXTURE_STACK_DEPTH:
        *params = active.matrices.depth();
        return true;
    case GL_MAX_MODELVIEW_STACK_DEPTH:
        *params = kModelviewDepth;
        return true;
    case GL_MAX_PROJECTION_STACK_DEPTH:
        *params = kProjectionDepth;
        return true;
    case GL_MAX_TEXTURE_STACK_DEPTH:
        *params = kTextureDepth;
        return true;
    case GL_MODELVIEW_MATRIX:
        writeMatrix(s.modelview.top(), params);
        return true;
    case GL_PROJECTION_MATRIX:
        writeMatrix(s.projection.top(), params);
        return true;
    case GL_TEXTURE_MATRIX:
        writeMatrix(active.matrices.top(), params);
        return true;
    case GL_MAX_TEXTURE_UNITS:
        *params = kTextureUnits;
        return true;
    case GL_MAX_LIGHTS:
        *params = 8;
        return true;
    case GL_MAX_CLIP_PLANES:
        *params = 6;
        return true;
    case GL_ACTIVE_TEXTURE:
        *params = static_cast<GLint>(GL_TEXTURE0 + static_cast<GLenum>(s.activeUnit));
        return true;
    case GL_CLIENT_ACTIVE_TEXTURE:
        *params = static_cast<GLint>(GL_TEXTURE0 + static_cast<GLenum>(s.clientUnit));
        return true;
    case GL_CURRENT_COLOR:
        for (std::size_t i = 0; i < 4; ++i) {
            params[i] = mappedColour(s.colour[i]);
        }
        return true;
    case GL_ALPHA_TEST_FUNC:
        *params = static_cast<GLint>(s.alphaFunc);
        return true;
    case GL_ALPHA_TEST_REF:
        *params = mappedColour(s.alphaRef);
        return true;
    case GL_FOG_MODE:
        *params = static_cast<GLint>(s.fogMode);
        return true;
    case GL_FOG_DENSITY:
        *params = static_cast<GLint>(std::lround(s.fogDensity));
        return true;
    case GL_FOG_START:
        *params = static_cast<GLint>(std::lround(s.fogStart));
        return true;
    case GL_FOG_END:
        *params = static_cast<GLint>(std::lround(s.fogEnd));
        return true;
    case GL_SHADE_MODEL:
        *params = static_cast<GLint>(s.shadeModel);
        return true;
    case GL_BLEND_SRC:
        *params = static_cast<GLint>(s.blendSrc);
        return true;
    case GL_BLEND_DST:
        *params = static_cast<GLint>(s.blendDst);
        return true;
    case GL_POINT_SIZE:
        *params = 1;
        return true;
    case GL_PERSPECTIVE_CORRECTION_HINT:
    case GL_POINT_SMOOTH_HINT:
    case GL_LINE_SMOOTH_HINT:
        *params = static_cast<GLint>(s.hints[pname - GL_PERSPECTIVE_CORRECTION_HINT]);
        return true;
    case GL_FOG_HINT:
        *params = static_cast<GLint>(s.hints[3]);
        return true;
    case GL_VERTEX_ARRAY_SIZE:
    case GL_VERTEX_ARRAY_TYPE:
    case GL_VERTEX_ARRAY_STRIDE:
        writeArray(s.vertices, pname - GL_VERTEX_ARRAY_SIZE, params);
        return true;
    case GL_NORMAL_ARRAY_TYPE:
    case GL_NORMAL_ARRAY_STRIDE:
        writeArray(s.normals, pname - GL_NORMAL_ARRAY_TYPE + 1, params);
        return true;
    case GL_COLOR_ARRAY_SIZE:
    case GL_COLOR_ARRAY_TYPE:
    case GL_COLOR_ARRAY_STRIDE:
        writeArray(s.colours, pname - GL_COLOR_ARRAY_SIZE, params);
        return true;
    case GL_TEXTURE_COORD_ARRAY_SIZE:
    case GL_TEXTURE_COORD_ARRAY_TYPE:
    case GL_TEXTURE_COORD_ARRAY_STRIDE:
        writeArray(client.coordinates, pname - GL_TEXTURE_COORD_ARRAY_SIZE, params);
        return true;
    // The program has no buffer objects: the library's bindings are the translation's stream buffers.
    case GL_ARRAY_BUFFER_BINDING:
    case GL_ELEMENT_ARRAY_BUFFER_BINDING:
    case GL_VERTEX_ARRAY_BUFFER_BINDING:
    case GL_NORMAL_ARRAY_BUFFER_BINDING:
    case GL_COLOR_ARRAY_BUFFER_BINDING:
    case GL_TEXTURE_COORD_ARRAY_BUFFER_BINDING:
        *params = 0;
        return true;
    default:
        return false;
    }
}

void translated_glGetIntegerv(GLenum pname, GLint* params) {
    if (translationParameter(pname, params)) {
        return;
    }
    if (libraryParameter(pname)) {
        gl().glGetIntegerv(pname, params);
        return;
    }
    setError(GL_INVALID_ENUM);
}

// The library's extensions that hold through the translation: compressed formats, which
// glCompressedTexImage2D passes on.
constexpr std::string_view kPassedExtensions[] = {"GL_EXT_texture_compression_dxt1",
                                                  "GL_EXT_texture_compression_s3tc",
                                                  "GL_OES_compressed_ETC1_RGB8_texture"};

std::string extensions(std::string_view library) {
    std::string list;
    while (!library.empty()) {
        const std::size_t space = library.find(' ');
        const std::string_view word = library.substr(0, space);
        for (std::string_view passed : kPassedExtensions) {
            if (word == passed) {
                if (!list.empty()) {
                    list += ' ';
                }
                list += word;
            }
        }
        library.remove_prefix(space == std::string_view::npos ? library.size() : space + 1);
    }
    return list;
}

const GLubyte* kept(const std::string& text) {
    return reinterpret_cast<const GLubyte*>(keptString(text));
}

std::string libraryString(GLenum name) {
    const GLubyte* text = gl().glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

const GLubyte* translated_glGetString(GLenum name) {
    switch (name) {
    case GL_VENDOR:
        return gl().glGetString(name);
    case GL_RENDERER:
        return kept(libraryString(GL_RENDERER) + " through the OpenGL ES 1.1 translation");
    case GL_VERSION:
        return kept("OpenGL ES-CM 1.1 Nymbus translation on " + libraryString(GL_VERSION));
    case GL_EXTENSIONS:
        return kept(extensions(libraryString(GL_EXTENSIONS)));
    default:
        setError(GL_INVALID_ENUM);
        return nullptr;
    }
}

} // namespace

void fillQueryFunctions(DispatchTable& table) {
    table.glGetError = translated_glGetError;
    table.glGetIntegerv = translated_glGetIntegerv;
    table.glGetString = translated_glGetString;
}

} // namespace platform::gles::es2
