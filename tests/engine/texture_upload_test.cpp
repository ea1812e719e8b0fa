#include <string>

#include "engine/texture.h"
#include "engine/texture_loaders.h"
#include "engine_test_support.h"

using platform::gles::dataText;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

const char* const kParameters[] = {
    "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST)",
    "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR)",
    "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)",
    "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE)",
};

// The calls before the first level: alignment, one name, parameters (mipmapped, repeat s, clamp t).
std::vector<std::string> setUpCalls() {
    std::vector<std::string> calls = {"glPixelStorei(GL_UNPACK_ALIGNMENT, 1)", "glGenTextures(1) -> [1]",
                                      "glBindTexture(GL_TEXTURE_2D, 1)", "glGetError() -> GL_NO_ERROR"};
    calls.insert(calls.end(), std::begin(kParameters), std::end(kParameters));
    calls.push_back("glGetError() -> GL_NO_ERROR");
    return calls;
}

} // namespace

class UploadTextureFromHeaderTest : public EngineTest {
protected:
    unsigned int upload(const std::vector<std::uint8_t>& file, int skip = 0) {
        name = 99;
        return UploadTextureFromHeader(file.data(), file.size(), skip, &name, 1, 1, 0);
    }
    unsigned int name = 0;
};

TEST_F(UploadTextureFromHeaderTest, UncompressedLevelsFollowOneAnother) {
    // 64 x 64 RGB 565 with six levels below the top: 10,922 bytes of data.
    const auto file = legacyFile({44, 64, 64, 6, 0x113, 10922, 16});
    ASSERT_EQ(upload(file), 0u);
    EXPECT_EQ(name, 1u);
    std::vector<std::string> expected = setUpCalls();
    std::size_t offset = 44;
    for (int level = 0, size = 64; level <= 6; ++level, size /= 2) {
        const std::size_t bytes = static_cast<std::size_t>(size) * size * 2;
        expected.push_back("glTexImage2D(GL_TEXTURE_2D, " + std::to_string(level) + ", GL_RGB, " +
                           std::to_string(size) + ", " + std::to_string(size) +
                           ", 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, " + dataText(file.data() + offset, bytes) +
                           ")");
        expected.push_back("glGetError() -> GL_NO_ERROR");
        offset += bytes;
    }
    EXPECT_EQ(offset, file.size());
    EXPECT_THAT(gl.log(), ElementsAreArray(expected));
    EXPECT_EQ(traces(), "");
}

TEST_F(UploadTextureFromHeaderTest, FormatTableOfTheUncompressedCodes) {
    struct Case {
        std::uint32_t code;
        std::uint32_t bits;
        const char* formatAndType;
    };
    const Case cases[] = {{0x10, 16, "GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4"},
                          {0x11, 16, "GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_SHORT_5_5_5_1"},
                          {0x12, 32, "GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE"},
                          {0x13, 16, "GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5"},
                          {0x15, 24, "GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE"},
                          {0x16, 8, "GL_LUMINANCE, 2, 2, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE"},
                          {0x17, 16, "GL_LUMINANCE_ALPHA, 2, 2, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE"}};
    for (const Case& c : cases) {
        gl.clearLog();
        const auto file = legacyFile({44, 2, 2, 0, c.code, 4 * c.bits / 8, c.bits});
        ASSERT_EQ(upload(file), 0u) << c.code;
        EXPECT_THAT(gl.log({"glTexImage2D"}),
                    ElementsAre(std::string("glTexImage2D(GL_TEXTURE_2D, 0, ") + c.formatAndType + ", " +
                                dataText(file.data() + 44, 4 * c.bits / 8) + ")"))
            << c.code;
    }
}

TEST_F(UploadTextureFromHeaderTest, CompressedLevelsUseTheMinimumBlockArea) {
    // 2 bits per pixel, 32 x 16 down to 1 x 1: 128 bytes, then 32 bytes for every level of 16 x 8 or less.
    const auto file = legacyFile({44, 16, 32, 5, 0x118, 128 + 5 * 32, 2});
    ASSERT_EQ(upload(file), 0u);
    std::vector<std::string> expected = setUpCalls();
    const char* const dims[] = {"32, 16", "16, 8", "8, 4", "4, 2", "2, 1", "1, 1"};
    std::size_t offset = 44;
    for (int level = 0; level < 6; ++level) {
        const std::size_t bytes = level == 0 ? 128 : 32;
        expected.push_back("glCompressedTexImage2D(GL_TEXTURE_2D, " + std::to_string(level) +
                           ", GL_COMPRESSED_RGB_NYMTC_2BPP_ZEB, " + dims[level] + ", 0, " +
                           std::to_string(bytes) + ", " + dataText(file.data() + offset, bytes) + ")");
        expected.push_back("glGetError() -> GL_NO_ERROR");
        offset += bytes;
    }
    EXPECT_THAT(gl.log(), ElementsAreArray(expected));
}

TEST_F(UploadTextureFromHeaderTest, FourBitTexturePicksRgbaFromTheAlphaMaskAlone) {
    // The embedded 512 x 512 layout: nine levels below the top, 174,848 bytes of data.
    const auto withAlpha = legacyFile({44, 512, 512, 9, 0x119, 174848, 4, 1});
    ASSERT_EQ(upload(withAlpha), 0u);
    std::vector<std::string> sizes;
    for (const std::string& call : gl.log({"glCompressedTexImage2D"})) {
        sizes.push_back(call.substr(0, call.find(", <")));
    }
    EXPECT_THAT(
        sizes,
        ElementsAre(
            "glCompressedTexImage2D(GL_TEXTURE_2D, 0, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 512, 512, 0, 131072",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 1, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 256, 256, 0, 32768",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 2, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 128, 128, 0, 8192",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 3, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 64, 64, 0, 2048",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 4, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 32, 32, 0, 512",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 5, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 16, 16, 0, 128",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 6, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 8, 8, 0, 32",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 7, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 4, 4, 0, 32",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 8, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 2, 2, 0, 32",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 9, GL_COMPRESSED_RGBA_NYMTC_4BPP_ZEB, 1, 1, 0, 32"));
    gl.clearLog();
    ASSERT_EQ(upload(legacyFile({44, 8, 8, 0, 0x19, 32, 4, 0})), 0u);
    EXPECT_THAT(gl.log({"glCompressedTexImage2D"}),
                ElementsAre(HasSubstr("GL_COMPRESSED_RGB_NYMTC_4BPP_ZEB, 8, 8")));
    gl.clearLog();
    ASSERT_EQ(upload(legacyFile({44, 16, 16, 0, 0x18, 64, 2, 0xFF})), 0u);
    EXPECT_THAT(gl.log({"glCompressedTexImage2D"}),
                ElementsAre(HasSubstr("GL_COMPRESSED_RGBA_NYMTC_2BPP_ZEB")));
}

TEST_F(UploadTextureFromHeaderTest, TwiddledDataOnlyForTheCompressedCodes) {
    const auto twiddled = legacyFile({44, 8, 8, 0, 0x219, 32, 4});
    ASSERT_EQ(upload(twiddled), 0u);
    EXPECT_EQ(name, 1u);
    EXPECT_THAT(gl.log({"glCompressedTexImage2D"}), ElementsAre(HasSubstr("8, 8, 0, 32")));

    gl.clearLog();
    EXPECT_EQ(upload(legacyFile({44, 2, 2, 0, 0x213, 8, 16})), 1u);
    EXPECT_EQ(name, 0u);
    EXPECT_THAT(gl.log(), IsEmpty());
    EXPECT_EQ(traces(), "Pre-Twiddled Texture data not supported !\nTexture loading failed !\n");
}

TEST_F(UploadTextureFromHeaderTest, RejectedCodesTraceAndSendNothing) {
    EXPECT_EQ(upload(legacyFile({44, 2, 2, 0, 0x14, 8, 16})), 1u);
    EXPECT_EQ(name, 0u);
    EXPECT_EQ(upload(legacyFile({44, 2, 2, 0, 0x05, 8, 16})), 1u);
    EXPECT_EQ(name, 0u);
    EXPECT_EQ(traces(),
              "Unsupported or unknown texture format found.\nTexture loading failed !\n"
              "Non-OGL Specific texture format - please re-export using OGL version of texture format\n"
              "Texture loading failed !\n");
    for (std::uint32_t code : {0x00u, 0x08u, 0x0Cu, 0x0Du}) {
        traceLines.clear();
        EXPECT_EQ(upload(legacyFile({44, 2, 2, 0, code, 8, 16})), 1u);
        EXPECT_THAT(traces(), HasSubstr("Non-OGL Specific")) << code;
    }
    for (std::uint32_t code : {0x09u, 0x0Bu, 0x0Eu, 0x0Fu, 0x1Au, 0xFFu}) {
        traceLines.clear();
        EXPECT_EQ(upload(legacyFile({44, 2, 2, 0, code, 8, 16})), 1u);
        EXPECT_THAT(traces(), HasSubstr("Unsupported or unknown")) << code;
    }
    EXPECT_THAT(gl.log(), IsEmpty());
}

TEST_F(UploadTextureFromHeaderTest, MipMapCountIgnoredWithoutTheMipMapFlag) {
    ASSERT_EQ(upload(legacyFile({44, 4, 4, 2, 0x13, 42, 16})), 0u);
    EXPECT_THAT(gl.log({"glTexImage2D"}), ElementsAre(HasSubstr("0, GL_RGB, 4, 4, 0")));
}

TEST_F(UploadTextureFromHeaderTest, SkippedLevelsAreCheckedButNotSent) {
    const auto file = legacyFile({44, 4, 4, 2, 0x113, 42, 16});
    ASSERT_EQ(upload(file, 2), 0u);
    std::vector<std::string> expected = setUpCalls();
    expected.push_back("glGetError() -> GL_NO_ERROR");
    expected.push_back("glGetError() -> GL_NO_ERROR");
    expected.push_back("glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, " +
                       dataText(file.data() + 44 + 32 + 8, 2) + ")");
    expected.push_back("glGetError() -> GL_NO_ERROR");
    EXPECT_THAT(gl.log(), ElementsAreArray(expected));
}

TEST_F(UploadTextureFromHeaderTest, GlErrorsEndTheUploadWithTheirCode) {
    gl.pushGlError(GL_OUT_OF_MEMORY);
    EXPECT_EQ(upload(legacyFile({44, 2, 2, 0, 0x13, 8, 16})), static_cast<unsigned int>(GL_OUT_OF_MEMORY));
    EXPECT_EQ(name, 0u);
    EXPECT_THAT(gl.log({"glTexParameterx", "glTexImage2D"}), IsEmpty());

    gl.clearLog();
    gl.pushGlError(GL_NO_ERROR);
    gl.pushGlError(GL_NO_ERROR);
    gl.pushGlError(GL_INVALID_VALUE);
    EXPECT_EQ(upload(legacyFile({44, 2, 2, 1, 0x113, 10, 16})), static_cast<unsigned int>(GL_INVALID_VALUE));
    EXPECT_EQ(name, 0u);
    EXPECT_EQ(gl.log({"glTexImage2D"}).size(), 1u);
    EXPECT_THAT(traces(), HasSubstr("Texture loading failed !\n"));
}

TEST_F(UploadTextureFromHeaderTest, SizesReachingPastTheBufferAreRejectedBeforeAnyGlCall) {
    struct Case {
        const char* what;
        LegacyHeader header;
        std::size_t bytes; // bytes actually present after the header
    };
    const Case cases[] = {
        {"data size beyond the buffer", {44, 4, 4, 0, 0x13, 32, 16}, 16},
        {"levels beyond the data size", {44, 4, 4, 2, 0x113, 32, 16}, 32},
        {"header size beyond the buffer", {4000, 2, 2, 0, 0x13, 8, 16}, 8},
        {"GL reads more than the stored level", {44, 4, 4, 0, 0x12, 32, 16}, 32},
        {"compressed minimum block beyond the data", {44, 4, 4, 0, 0x19, 8, 4}, 8},
        {"absurd mip-map count", {44, 1, 1, 0xFFFFFFFF, 0x113, 0, 0}, 64},
    };
    for (const Case& c : cases) {
        auto file = legacyFile(c.header);
        file.resize(44 + c.bytes);
        traceLines.clear();
        EXPECT_EQ(upload(file), 1u) << c.what;
        EXPECT_EQ(name, 0u) << c.what;
        EXPECT_EQ(traces(), "Texture loading failed !\n") << c.what;
    }
    const std::uint8_t shortHeader[20] = {44};
    EXPECT_EQ(UploadTextureFromHeader(shortHeader, sizeof shortHeader, 0, &name, 1, 1, 1), 1u);
    EXPECT_THAT(gl.log(), IsEmpty());
}

using TextureFileTest = TextureFixture;

TEST_F(TextureFileTest, InitSetsTheDefaults) {
    EXPECT_EQ(texture.name, nullptr);
    EXPECT_EQ(texture.wrapS, 1);
    EXPECT_EQ(texture.wrapT, 1);
    EXPECT_EQ(texture.mipmap, 1);
    EXPECT_EQ(texture.force16, 1);
    EXPECT_EQ(texture.dither, 0);
    EXPECT_EQ(texture.texname, 0u);
    EXPECT_THAT(texture.ditherIndex, ElementsAre(0, 93, 187, 70));
}

TEST_F(TextureFileTest, LegacyFileLoadsByNameThroughTheRegistry) {
    registerFile("Road.nym", legacyFile({44, 4, 8, 0, 0x13, 64, 16}));
    texture.wrapT = 0;
    EXPECT_EQ(texture.setName("Road.nym"), 1u);
    EXPECT_EQ(texture.texname, 1u);
    EXPECT_EQ(texture.width, 8);
    EXPECT_EQ(texture.height, 4);
    EXPECT_STREQ(texture.name, "Road.nym");
    EXPECT_THAT(gl.log({"glTexParameterx"}), ElementsAreArray(kParameters));
    EXPECT_EQ(traces(), "NymOpenGLRender::UPLOAD TEXTURE Road.nym\n"
                        "SUCCESS loaded texture using NymLoadTextureFromFile : Road.nym\n"
                        "NymOpenGLRender::UPLOADED TEXTURE got texname 1\n");

    traceLines.clear();
    gl.clearLog();
    EXPECT_EQ(texture.setName(nullptr), 0u);
    EXPECT_EQ(texture.name, nullptr);
    EXPECT_THAT(gl.log(), ElementsAre("glDeleteTextures(1, [1])"));
    EXPECT_EQ(traces(), "Deleting Texture\n");
}

TEST_F(TextureFileTest, SecondNameReplacesTheFirst) {
    registerFile("a.nym", legacyFile({44, 2, 2, 0, 0x13, 8, 16}));
    registerFile("b.nym", legacyFile({44, 2, 2, 0, 0x10, 8, 16}));
    texture.setName("a.nym");
    gl.clearLog();
    EXPECT_EQ(texture.setName("b.nym"), 2u);
    EXPECT_THAT(gl.log({"glDeleteTextures", "glGenTextures"}),
                ElementsAre("glDeleteTextures(1, [1])", "glGenTextures(1) -> [2]"));
}

TEST_F(TextureFileTest, TruncatedLegacyFileFailsBeforeAnythingIsSent) {
    auto file = legacyFile({44, 64, 64, 0, 0x13, 8192, 16});
    file.resize(44 + 100);
    registerFile("short.nym", file);
    EXPECT_EQ(texture.setName("short.nym"), 0u);
    EXPECT_EQ(texture.texname, 0u);
    EXPECT_THAT(gl.log(), IsEmpty());
    EXPECT_EQ(traces(), "NymOpenGLRender::UPLOAD TEXTURE short.nym\n"
                        "Texture loading failed !\n"
                        "FAILED to load texture inside NymLoadTextureFromFile : short.nym\n"
                        "NymOpenGLRender::UPLOADED TEXTURE got texname 0\n");

    // A file shorter than its header.
    traceLines.clear();
    registerFile("tiny.nym", std::vector<std::uint8_t>(10, 0));
    EXPECT_EQ(texture.setName("tiny.nym"), 0u);
    EXPECT_THAT(traces(), HasSubstr("Texture loading failed !\n"));
    EXPECT_THAT(gl.log(), IsEmpty());
}

TEST_F(TextureFileTest, LoaderChosenByTheFirstSubstringFound) {
    registerFile("grey.lum", std::vector<std::uint8_t>(2048, 9));
    registerFile("grey.a.nym", std::vector<std::uint8_t>(2048, 9));
    registerFile("grey.rgb", std::vector<std::uint8_t>(2048, 9));
    texture.mipmap = 0;
    texture.setName("grey.lum");
    texture.setName("grey.a.nym");
    EXPECT_THAT(gl.log({"glTexImage2D"}),
                ElementsAre(HasSubstr("GL_LUMINANCE, 64, 32"), HasSubstr("GL_ALPHA, 64, 32")));
    traceLines.clear();
    texture.setName("grey.rgb");
    EXPECT_EQ(traces(), "Deleting Texture\n"
                        "NymOpenGLRender::UPLOAD TEXTURE grey.rgb\n"
                        "File is 2048 long, big problem\n"
                        "NymOpenGLRender::UPLOADED TEXTURE got texname 0\n");

    traceLines.clear();
    texture.setName("photo.jpg");
    texture.setName("missing.nym");
    texture.setName("picture.png");
    EXPECT_EQ(traces(), "NymOpenGLRender::UPLOAD TEXTURE photo.jpg\n"
                        "FAILED in attempt to JPGLoadTextureFromFile : photo.jpg\n"
                        "NymOpenGLRender::UPLOADED TEXTURE got texname 0\n"
                        "NymOpenGLRender::UPLOAD TEXTURE missing.nym\n"
                        "FAILED in attempt to NymLoadTextureFromFile : missing.nym\n"
                        "NymOpenGLRender::UPLOADED TEXTURE got texname 0\n"
                        "NymOpenGLRender::UPLOAD TEXTURE picture.png\n");
    EXPECT_EQ(texture.texname, 0u);
    EXPECT_STREQ(texture.name, "picture.png");
}
