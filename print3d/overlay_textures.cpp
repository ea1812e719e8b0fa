#include "print3d/overlay_textures.h"

#include "print3d/font_data.h"

#include <cstdlib>

namespace {

void bindLinear(GLuint name) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

// Generates a name and uploads size x size RGBA 4444 pixels that convert(pixels) fills in.
template <typename Convert> bool uploadRgba4444(int size, GLuint& name, Convert convert) {
    glGenTextures(1, &name);
    auto* pixels = static_cast<std::uint16_t*>(std::malloc(sizeof(std::uint16_t) * size * size));
    if (pixels == nullptr) {
        return false;
    }
    convert(pixels);
    bindLinear(name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4, pixels);
    std::free(pixels);
    return glGetError() == GL_NO_ERROR;
}

} // namespace

bool uploadFontTexture(const std::uint8_t* coverage, GLuint& name) {
    constexpr int size = static_cast<int>(kFontImageSize);
    return uploadRgba4444(size, name, [coverage](std::uint16_t* pixels) {
        for (int i = 0; i < size * size; ++i) {
            pixels[i] = static_cast<std::uint16_t>(0xFFF0 + coverage[i] / 16);
        }
    });
}

bool uploadIconTexture(const std::uint8_t* image, GLuint& name) {
    constexpr int size = 16;
    return uploadRgba4444(size, name, [image](std::uint16_t* pixels) {
        const std::uint8_t* source = image + kIconImageHeaderBytes;
        for (int i = 0; i < size * size; ++i) {
            const unsigned pixel = source[2 * i] | (source[2 * i + 1] << 8);
            const unsigned r = pixel & 0xF;
            const unsigned g = (pixel >> 4) & 0xF;
            const unsigned b = (pixel >> 8) & 0xF;
            const unsigned a = 15 - (pixel >> 12);
            pixels[i] = static_cast<std::uint16_t>((r << 12) | (g << 8) | (b << 4) | a);
        }
    });
}

bool uploadLogoTexture(const std::uint8_t* file, GLuint& name) {
    constexpr int size = static_cast<int>(kLogoSize);
    glGenTextures(1, &name);
    bindLinear(name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5,
                 file + kLogoHeaderBytes);
    return glGetError() == GL_NO_ERROR;
}
