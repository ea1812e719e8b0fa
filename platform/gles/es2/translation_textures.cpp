// Textures: the calls go on to the library after the checks of OpenGL ES 1.1 (a 2D target only, two
// units, sizes that are powers of two, the parameters 1.1 has), and the translation notes what it needs
// for the texture environment and for completeness. GL_GENERATE_MIPMAP becomes glGenerateMipmap after
// each change of level 0.
#include "platform/gles/es2/translation_context.h"

namespace platform::gles::es2 {

namespace {

bool powerOfTwo(GLsizei size) {
    return size >= 0 && (size & (size - 1)) == 0;
}

// The checks OpenGL ES 1.1 makes and OpenGL ES 2.0 does not (or not the same way); false after
// setting the error.
bool imageAccepted(GLenum target, GLint level, GLsizei width, GLsizei height) {
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return false;
    }
    if (level < 0 || level >= TextureRecord::kLevels || !powerOfTwo(width) || !powerOfTwo(height)) {
        setError(GL_INVALID_VALUE);
        return false;
    }
    return true;
}

// Makes the levels below level 0 again from it, in the library and in the texture's record.
void regenerateMipmaps(TextureRecord& texture) {
    gl().glGenerateMipmap(GL_TEXTURE_2D);
    texture.fillMipmaps();
}

// Notes a new image of a level of the bound texture (and the levels glGenerateMipmap makes below it).
void noteImage(GLint level, GLsizei width, GLsizei height, SampledFormat format, bool generate) {
    Context& c = context();
    TextureRecord& texture = boundTexture(c, c.state.activeUnit);
    texture.levels[static_cast<std::size_t>(level)] = {width, height, format};
    if (generate && level == 0 && texture.generateMipmap && width > 0 && height > 0) {
        regenerateMipmaps(texture);
    }
    c.keyChanged = true;
}

void translated_glActiveTexture(GLenum texture) {
    if (texture < GL_TEXTURE0 || texture >= GL_TEXTURE0 + kTextureUnits) {
        setError(GL_INVALID_ENUM);
        return;
    }
    context().state.activeUnit = static_cast<int>(texture - GL_TEXTURE0);
    gl().glActiveTexture(texture);
}

void translated_glBindTexture(GLenum target, GLuint texture) {
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    Context& c = context();
    GLuint& bound = c.state.units[static_cast<std::size_t>(c.state.activeUnit)].texture;
    c.keyChanged |= bound != texture;
    bound = texture;
    gl().glBindTexture(target, texture);
}

void translated_glGenTextures(GLsizei n, GLuint* textures) {
    gl().glGenTextures(n, textures);
}

void translated_glDeleteTextures(GLsizei n, const GLuint* textures) {
    gl().glDeleteTextures(n, textures);
    Context& c = context();
    for (GLsizei i = 0; textures && i < n; ++i) {
        const GLuint name = textures[i];
        if (name == 0) {
            continue;
        }
        if (c.group) {
            c.group->textures.erase(name);
        }
        // A deleted texture that was bound leaves its units with texture 0.
        for (TextureUnit& unit : c.state.units) {
            if (unit.texture == name) {
                unit.texture = 0;
                c.keyChanged = true;
            }
        }
    }
}

void translated_glTexImage2D(GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height,
                             GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    if (!imageAccepted(target, level, width, height)) {
        return;
    }
    const SampledFormat sampled = baseFormat(format);
    const bool packed = type == GL_UNSIGNED_SHORT_5_6_5 || type == GL_UNSIGNED_SHORT_4_4_4_4 ||
                        type == GL_UNSIGNED_SHORT_5_5_5_1;
    if (sampled == SampledFormat::None || (type != GL_UNSIGNED_BYTE && !packed)) {
        setError(GL_INVALID_ENUM);
        return;
    }
    if (border != 0 || baseFormat(static_cast<GLenum>(internalformat)) == SampledFormat::None) {
        setError(GL_INVALID_VALUE);
        return;
    }
    const GLenum packedFormat = type == GL_UNSIGNED_SHORT_5_6_5 ? GL_RGB : GL_RGBA;
    if (static_cast<GLenum>(internalformat) != format || (packed && format != packedFormat)) {
        setError(GL_INVALID_OPERATION);
        return;
    }
    gl().glTexImage2D(target, level, internalformat, width, height, border, format, type, pixels);
    noteImage(level, width, height, sampled, true);
}

void translated_glCompressedTexImage2D(GLenum target, GLint level, GLenum internalformat, GLsizei width,
                                       GLsizei height, GLint border, GLsizei imageSize, const GLvoid* data) {
    if (!imageAccepted(target, level, width, height)) {
        return;
    }
    // The formats of the extensions the translation passes on; the paletted formats of OpenGL ES 1.1 are
    // not carried out.
    const SampledFormat sampled = compressedFormat(internalformat);
    if (sampled == SampledFormat::None) {
        setError(GL_INVALID_ENUM);
        return;
    }
    gl().glCompressedTexImage2D(target, level, internalformat, width, height, border, imageSize, data);
    noteImage(level, width, height, sampled, false);
}

void translated_glTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width,
                                GLsizei height, GLenum format, GLenum type, const GLvoid* pixels) {
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    gl().glTexSubImage2D(target, level, xoffset, yoffset, width, height, format, type, pixels);
    Context& c = context();
    TextureRecord& texture = boundTexture(c, c.state.activeUnit);
    if (level == 0 && texture.generateMipmap && texture.levels[0].format != SampledFormat::None) {
        regenerateMipmaps(texture);
        c.keyChanged = true;
    }
}

bool filterValid(GLenum pname, GLenum value) {
    if (value == GL_NEAREST || value == GL_LINEAR) {
        return true;
    }
    return pname == GL_TEXTURE_MIN_FILTER && value >= GL_NEAREST_MIPMAP_NEAREST &&
           value <= GL_LINEAR_MIPMAP_LINEAR;
}

void translated_glTexParameterx(GLenum target, GLenum pname, GLfixed param) {
    if (target != GL_TEXTURE_2D) {
        setError(GL_INVALID_ENUM);
        return;
    }
    Context& c = context();
    TextureRecord& texture = boundTexture(c, c.state.activeUnit);
    const auto value = static_cast<GLenum>(param);
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER:
    case GL_TEXTURE_MAG_FILTER:
        if (!filterValid(pname, value)) {
            setError(GL_INVALID_ENUM);
            return;
        }
        if (pname == GL_TEXTURE_MIN_FILTER) {
            c.keyChanged |= texture.minFilter != value;
            texture.minFilter = value;
        }
        break;
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
        if (value != GL_REPEAT && value != GL_CLAMP_TO_EDGE) {
            setError(GL_INVALID_ENUM);
            return;
        }
        break;
    case GL_GENERATE_MIPMAP:
        texture.generateMipmap = param != 0;
        return;
    default:
        setError(GL_INVALID_ENUM);
        return;
    }
    gl().glTexParameteri(target, pname, static_cast<GLint>(value));
}

void translated_glPixelStorei(GLenum pname, GLint param) {
    gl().glPixelStorei(pname, param);
}

void translated_glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                             GLvoid* pixels) {
    gl().glReadPixels(x, y, width, height, format, type, pixels);
}

} // namespace

void fillTextureFunctions(DispatchTable& table) {
    table.glActiveTexture = translated_glActiveTexture;
    table.glBindTexture = translated_glBindTexture;
    table.glGenTextures = translated_glGenTextures;
    table.glDeleteTextures = translated_glDeleteTextures;
    table.glTexImage2D = translated_glTexImage2D;
    table.glCompressedTexImage2D = translated_glCompressedTexImage2D;
    table.glTexSubImage2D = translated_glTexSubImage2D;
    table.glTexParameterx = translated_glTexParameterx;
    table.glPixelStorei = translated_glPixelStorei;
    table.glReadPixels = translated_glReadPixels;
}

} // namespace platform::gles::es2
