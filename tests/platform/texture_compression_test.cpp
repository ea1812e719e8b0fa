// GL_ZEB_texture_compression_nymtc on Mesa: compressed levels drawn on a quad and read back.
#include "platform/gles/emulation.h"
#include "platform/gles/nymtc/nymtc.h"
#include "tests/support/offscreen_gl.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

namespace {

using platform::nymtc::Format;

std::array<std::uint8_t, 8> block(std::uint16_t c0, std::uint16_t c1, std::uint32_t bits) {
    return {static_cast<std::uint8_t>(c0),         static_cast<std::uint8_t>(c0 >> 8),
            static_cast<std::uint8_t>(c1),         static_cast<std::uint8_t>(c1 >> 8),
            static_cast<std::uint8_t>(bits),       static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

// Index i % 4 for the i-th index of the block, so every palette entry shows.
constexpr std::uint32_t allIndices = 0xE4E4E4E4;
constexpr std::uint16_t red = 0xF800;
constexpr std::uint16_t blue = 0x001F;

// A level of the smallest image that fills one block (4 x 4, or 8 x 4 at 2 bpp): the first block as
// given, the padding blocks zero.
std::vector<std::uint8_t> oneBlockLevel(Format format, const std::array<std::uint8_t, 8>& first, int& width,
                                        int& height) {
    width = platform::nymtc::blockWidth(format);
    height = 4;
    std::vector<std::uint8_t> data(platform::nymtc::levelSize(format, width, height), 0);
    std::copy(first.begin(), first.end(), data.begin());
    return data;
}

class TextureCompression : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.open(16, 8)) << "no EGL pbuffer context on this machine";
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    void TearDown() override {
        platform::gles::setDxt1HandOff(true);
        glDeleteTextures(1, &texture);
        gl.close();
    }

    // Uploads the level, draws it and returns the read-back pixels (bottom row = texture row 0).
    std::vector<std::uint8_t> drawLevel(Format format, int width, int height,
                                        const std::vector<std::uint8_t>& data) {
        glCompressedTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, static_cast<GLsizei>(data.size()),
                               data.data());
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        drawTextureOnQuad(texture, width, height);
        return readPixels(width, height);
    }

    OffscreenGl gl;
    GLuint texture = 0;
};

TEST_F(TextureCompression, ExtensionIsListedOnce) {
    const std::string extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const std::string name = "GL_ZEB_texture_compression_nymtc";
    const std::size_t at = extensions.find(name);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(extensions.find(name, at + 1), std::string::npos);
    EXPECT_TRUE(at == 0 || extensions[at - 1] == ' ');
}

TEST_F(TextureCompression, DecodedTexelsOfAllFormatsAndBothPaletteModes) {
    platform::gles::setDxt1HandOff(false);
    for (Format format : {Format::Rgb4bpp, Format::Rgb2bpp, Format::Rgba4bpp, Format::Rgba2bpp}) {
        for (bool opaqueMode : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << "format 0x" << std::hex << format << (opaqueMode ? " c0>c1" : " c0<=c1"));
            int width = 0;
            int height = 0;
            const auto data = oneBlockLevel(
                format, opaqueMode ? block(red, blue, allIndices) : block(blue, red, allIndices), width,
                height);
            const auto pixels = drawLevel(format, width, height, data);
            EXPECT_EQ(platform::gles::lastCompressedPath(), platform::gles::CompressedPath::Decoded);
            auto expected = platform::nymtc::decodeLevel(format, width, height, data.data(), data.size());
            ASSERT_EQ(pixels.size(), expected.size());
            EXPECT_EQ(pixels, expected);

            // Pixel 0 shows p0, pixel 3 (4 bpp) or 6 (2 bpp) p3: spot checks against the palette rules.
            const std::size_t p3 = platform::nymtc::bitsPerPixel(format) == 4 ? 3 : 6;
            const std::size_t p2 = p3 - (platform::nymtc::bitsPerPixel(format) == 4 ? 1 : 2);
            if (opaqueMode) {
                EXPECT_EQ((std::array{pixels[0], pixels[1], pixels[2], pixels[3]}),
                          (std::array<std::uint8_t, 4>{255, 0, 0, 255}));
                EXPECT_EQ((std::array{pixels[p2 * 4], pixels[p2 * 4 + 2]}),
                          (std::array<std::uint8_t, 2>{170, 85}));
                EXPECT_EQ((std::array{pixels[p3 * 4], pixels[p3 * 4 + 2], pixels[p3 * 4 + 3]}),
                          (std::array<std::uint8_t, 3>{85, 170, 255}));
            } else {
                EXPECT_EQ((std::array{pixels[p2 * 4], pixels[p2 * 4 + 2]}),
                          (std::array<std::uint8_t, 2>{127, 127}));
                const std::uint8_t alpha = platform::nymtc::hasAlpha(format) ? 0 : 255;
                EXPECT_EQ(
                    (std::array{pixels[p3 * 4], pixels[p3 * 4 + 1], pixels[p3 * 4 + 2], pixels[p3 * 4 + 3]}),
                    (std::array<std::uint8_t, 4>{0, 0, 0, alpha}));
            }
        }
    }
}

TEST_F(TextureCompression, FourBppLevelsGoToTheLibraryAsDxt1WithTheSameTexels) {
    const std::string extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (extensions.find("GL_EXT_texture_compression_dxt1") == std::string::npos) {
        GTEST_SKIP() << "the library offers no DXT1";
    }
    for (Format format : {Format::Rgb4bpp, Format::Rgba4bpp}) {
        for (bool opaqueMode : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << "format 0x" << std::hex << format << (opaqueMode ? " c0>c1" : " c0<=c1"));
            int width = 0;
            int height = 0;
            const auto data = oneBlockLevel(
                format, opaqueMode ? block(red, blue, allIndices) : block(blue, red, allIndices), width,
                height);
            const auto pixels = drawLevel(format, width, height, data);
            if (platform::gles::lastCompressedPath() == platform::gles::CompressedPath::Decoded) {
                GTEST_SKIP() << "the library lists DXT1 but refuses it in this context (decoded instead)";
            }
            EXPECT_EQ(platform::gles::lastCompressedPath(), platform::gles::CompressedPath::Dxt1);
            const auto expected =
                platform::nymtc::decodeLevel(format, width, height, data.data(), data.size());
            ASSERT_EQ(pixels.size(), expected.size());
            for (std::size_t i = 0; i < pixels.size(); ++i) {
                EXPECT_NEAR(pixels[i], expected[i], 1) << "byte " << i;
            }
        }
    }
}

TEST_F(TextureCompression, PaddedLevelSizesAndWrongSizesGiveInvalidValue) {
    struct Case {
        int width, height;
        std::size_t size4bpp, size2bpp;
    };
    const Case cases[] = {{1, 1, 32, 32}, {2, 2, 32, 32}, {4, 4, 32, 32}, {8, 4, 32, 32}, {16, 8, 64, 32}};
    for (bool dxt1 : {false, true}) {
        platform::gles::setDxt1HandOff(dxt1);
        for (Format format : {Format::Rgb4bpp, Format::Rgb2bpp, Format::Rgba4bpp, Format::Rgba2bpp}) {
            for (const Case& c : cases) {
                SCOPED_TRACE(testing::Message() << "format 0x" << std::hex << format << std::dec << " "
                                                << c.width << "x" << c.height << (dxt1 ? " dxt1" : ""));
                const std::size_t size = platform::nymtc::bitsPerPixel(format) == 4 ? c.size4bpp : c.size2bpp;
                std::vector<std::uint8_t> data(size + 8, 0);
                const auto first = block(red, blue, 0); // every pixel p0
                std::copy(first.begin(), first.end(), data.begin());
                for (std::size_t wrong : {size - 8, size + 8}) {
                    glCompressedTexImage2D(GL_TEXTURE_2D, 0, format, c.width, c.height, 0,
                                           static_cast<GLsizei>(wrong), data.data());
                    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
                }
                const auto pixels = drawLevel(format, c.width, c.height,
                                              std::vector<std::uint8_t>(data.begin(), data.begin() + size));
                EXPECT_EQ((std::array{pixels[0], pixels[1], pixels[2], pixels[3]}),
                          (std::array<std::uint8_t, 4>{255, 0, 0, 255}));
            }
        }
    }
}

TEST_F(TextureCompression, ErrorsAreReportedOnceAndOtherFormatsReachTheLibrary) {
    const std::vector<std::uint8_t> data(32, 0);
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, Format::Rgb4bpp, 0, 4, 0, 32, data.data());
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, Format::Rgb4bpp, 4, 4, 1, 32, data.data());
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, Format::Rgb4bpp, 4, 4, 0, 32, nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); // the first error only, as the GL keeps it
    // The library's own formats go through unchanged: a paletted 4 x 4 level (16 RGB entries, 4-bit indices).
    const std::vector<std::uint8_t> paletted(16 * 3 + 8, 0);
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, GL_PALETTE4_RGB8_OES, 4, 4, 0,
                           static_cast<GLsizei>(paletted.size()), paletted.data());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, 0x1234, 4, 4, 0, 8, data.data());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));
}

TEST_F(TextureCompression, RgbLevelsOfOddRowsUploadUnderAnyUnpackAlignment) {
    platform::gles::setDxt1HandOff(false);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    std::vector<std::uint8_t> data(32, 0);
    const auto first = block(red, blue, 0x1); // pixel 0 is p1 (blue), the rest p0 (red)
    std::copy(first.begin(), first.end(), data.begin());
    const auto pixels = drawLevel(Format::Rgb4bpp, 2, 2, data);
    EXPECT_EQ((std::array{pixels[0], pixels[2], pixels[4], pixels[6], pixels[8], pixels[14]}),
              (std::array<std::uint8_t, 6>{0, 255, 255, 0, 255, 0}));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
}

} // namespace
