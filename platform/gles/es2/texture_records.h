#pragma once
// What the translation knows of each texture: the base format and size of its levels, its minification
// filter and whether it generates its mipmaps. OpenGL ES 1.1 textures a fragment on a unit only when
// the unit's texture is complete, and the texture environment depends on the base format; OpenGL ES 2.0
// knows neither rule, so the translation keeps them.
#include "platform/gles/gl.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace platform::gles::es2 {

// How a texture's texels enter the texture environment: not at all (no complete texture), alpha only
// (GL_ALPHA), colour only (GL_LUMINANCE, GL_RGB: sampled as an opaque colour), colour and alpha
// (GL_LUMINANCE_ALPHA, GL_RGBA).
enum class SampledFormat : std::uint8_t { None, Alpha, Colour, ColourAlpha };

struct TextureLevel {
    GLsizei width = 0;
    GLsizei height = 0;
    SampledFormat format = SampledFormat::None; // None: the level has no image
};

struct TextureRecord {
    static constexpr int kLevels = 16;
    std::array<TextureLevel, kLevels> levels{};
    GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
    bool generateMipmap = false;

    // The format the texture is sampled with, None unless it is complete: level 0 has an image and, with a
    // mipmapping filter, every level down to 1 x 1 has the halved size and level 0's format.
    SampledFormat sampled() const;
    // Level 0's image with its mipmaps below (what glGenerateMipmap makes).
    void fillMipmaps();
};

// The base format of an uncompressed format (GL_ALPHA, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA);
// None for anything else.
SampledFormat baseFormat(GLenum format);
// The base format of a compressed format of the extensions the translation passes on (DXT1, DXT3, DXT5,
// ETC1); None for anything else.
SampledFormat compressedFormat(GLenum internalFormat);

// The textures of a share group by name. Name 0, each context's default texture, is kept by the context.
using TextureRecords = std::unordered_map<GLuint, TextureRecord>;

} // namespace platform::gles::es2
