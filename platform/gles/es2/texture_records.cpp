#include "platform/gles/es2/texture_records.h"

#include "platform/gles/es2/es2_functions.h"

#include <algorithm>

namespace platform::gles::es2 {

namespace {

bool mipmapping(GLenum minFilter) {
    return minFilter != GL_NEAREST && minFilter != GL_LINEAR;
}

// The index of the 1 x 1 level of a chain whose level 0 is width x height.
int lastLevel(GLsizei width, GLsizei height) {
    int level = 0;
    for (GLsizei size = std::max(width, height); size > 1; size >>= 1) {
        ++level;
    }
    return level;
}

} // namespace

SampledFormat TextureRecord::sampled() const {
    const TextureLevel& base = levels[0];
    if (base.format == SampledFormat::None || base.width <= 0 || base.height <= 0) {
        return SampledFormat::None;
    }
    if (!mipmapping(minFilter)) {
        return base.format;
    }
    const int last = lastLevel(base.width, base.height);
    if (last >= kLevels) {
        return SampledFormat::None;
    }
    for (int i = 1; i <= last; ++i) {
        const TextureLevel& level = levels[static_cast<std::size_t>(i)];
        if (level.format != base.format || level.width != std::max<GLsizei>(1, base.width >> i) ||
            level.height != std::max<GLsizei>(1, base.height >> i)) {
            return SampledFormat::None;
        }
    }
    return base.format;
}

void TextureRecord::fillMipmaps() {
    const TextureLevel base = levels[0];
    const int last = std::min(lastLevel(base.width, base.height), kLevels - 1);
    for (int i = 1; i <= last; ++i) {
        levels[static_cast<std::size_t>(i)] = {std::max<GLsizei>(1, base.width >> i),
                                               std::max<GLsizei>(1, base.height >> i), base.format};
    }
}

SampledFormat baseFormat(GLenum format) {
    switch (format) {
    case GL_ALPHA:
        return SampledFormat::Alpha;
    case GL_LUMINANCE:
    case GL_RGB:
        return SampledFormat::Colour;
    case GL_LUMINANCE_ALPHA:
    case GL_RGBA:
        return SampledFormat::ColourAlpha;
    default:
        return SampledFormat::None;
    }
}

SampledFormat compressedFormat(GLenum internalFormat) {
    switch (internalFormat) {
    case GL_COMPRESSED_RGB_S3TC_DXT1_EXT:
    case GL_ETC1_RGB8_OES:
        return SampledFormat::Colour;
    case GL_COMPRESSED_RGBA_S3TC_DXT1_EXT:
    case GL_COMPRESSED_RGBA_S3TC_DXT3_EXT:
    case GL_COMPRESSED_RGBA_S3TC_DXT5_EXT:
        return SampledFormat::ColourAlpha;
    default:
        return SampledFormat::None;
    }
}

} // namespace platform::gles::es2
