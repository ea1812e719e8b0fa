#include <algorithm>
#include <random>

#include "engine/dither_table.h"
#include "engine/raw_texture_pixels.h"
#include "engine/texture.h"
#include "engine/texture_loaders.h"
#include "engine_test_support.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

std::vector<std::uint8_t> noise(std::size_t bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> data(bytes);
    for (auto& b : data) {
        b = static_cast<std::uint8_t>(random());
    }
    return data;
}

std::uint16_t pixel16(const unsigned char* p, int i) {
    return static_cast<std::uint16_t>(p[2 * i] | p[2 * i + 1] << 8);
}

} // namespace

class RawTextureTest : public TextureFixture {
protected:
    // glTexImage2D calls without their data, e.g. "1, GL_RGB, 64, 64, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5".
    std::vector<std::string> levels() const {
        std::vector<std::string> out;
        for (const std::string& call : gl.log({"glTexImage2D"})) {
            const std::size_t start = std::string("glTexImage2D(GL_TEXTURE_2D, ").size();
            out.push_back(call.substr(start, call.rfind(", ") - start));
        }
        return out;
    }
};

TEST_F(RawTextureTest, SizesFollowFromTheFileLength) {
    registerFile("sky.rgb", std::vector<std::uint8_t>(49152, 0x80));
    registerFile("glow.rgba", std::vector<std::uint8_t>(32768, 0x80));
    registerFile("mask.lum", std::vector<std::uint8_t>(2048, 0x80));
    texture.mipmap = 0;
    texture.setName("sky.rgb");
    EXPECT_EQ(texture.width, 128);
    EXPECT_EQ(texture.height, 128);
    texture.setName("glow.rgba");
    EXPECT_EQ(texture.width, 128);
    EXPECT_EQ(texture.height, 64);
    texture.setName("mask.lum");
    EXPECT_EQ(texture.width, 64);
    EXPECT_EQ(texture.height, 32);
    EXPECT_THAT(levels(), ElementsAre("0, GL_RGB, 128, 128, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5",
                                      "0, GL_RGBA, 128, 64, 0, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4",
                                      "0, GL_LUMINANCE, 64, 32, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE"));
    EXPECT_THAT(traces(), HasSubstr("sky.rgb is 24 bits\n"));
    EXPECT_THAT(traces(), HasSubstr("glow.rgba is 32 bits\n"));
    EXPECT_THAT(traces(), HasSubstr("mask.lum is 8 bits\n"));
    EXPECT_THAT(gl.log({"glTexParameterx"}), Contains(HasSubstr("GL_TEXTURE_MIN_FILTER, GL_LINEAR)")));
}

TEST_F(RawTextureTest, LengthMatchingNoSizeFailsTheLoad) {
    registerFile("odd.rgb", std::vector<std::uint8_t>(1000, 1));
    EXPECT_EQ(texture.setName("odd.rgb"), 0u);
    EXPECT_EQ(texture.texname, 0u);
    EXPECT_THAT(gl.log(), IsEmpty());
    EXPECT_THAT(traces(), HasSubstr("File is 1000 long, big problem\n"));
    EXPECT_THAT(traces(), Not(HasSubstr("bits\n")));
}

TEST_F(RawTextureTest, MipLevelsDownToOnePixelWithTheirTraces) {
    registerFile("sky.rgb", noise(64 * 64 * 3, 1));
    texture.setName("sky.rgb");
    EXPECT_THAT(levels(), ElementsAre("0, GL_RGB, 64, 64, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5",
                                      "1, GL_RGB, 32, 32, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5",
                                      "2, GL_RGB, 16, 16, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5",
                                      "3, GL_RGB, 8, 8, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5",
                                      "4, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5",
                                      "5, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5",
                                      "6, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5"));
    EXPECT_EQ(texture.width, 1);
    EXPECT_EQ(texture.height, 1);
    const auto first = std::find(traceLines.begin(), traceLines.end(),
                                 "Making MIP level 1 for sky.rgb dest width 32 bytes 3072 force16 1\n");
    ASSERT_NE(first, traceLines.end());
    ASSERT_GE(traceLines.end() - first, 9);
    EXPECT_THAT(std::vector<std::string>(first, first + 9),
                ElementsAre(StartsWith("Making MIP level 1"), StartsWith("Truncating, data=0x"),
                            "casting to short *\n", "Truncate, bits = 24\n",
                            "Truncated, bits==24 bytes=3072\n", "Sending to OpenGL\n", "Sent to OpenGL\n",
                            "Did mip thing\n",
                            "Making MIP level 2 for sky.rgb dest width 16 bytes 768 force16 1\n"));
}

TEST_F(RawTextureTest, UnreducedLevelsAnnounceTheirDepth) {
    registerFile("mask.lum", noise(2048, 2));
    registerFile("sky.rgb", noise(64 * 32 * 3 * 2, 3));
    texture.setName("mask.lum");
    // 64 x 32 stops at 2 x 1: the loop needs both sides above 1.
    EXPECT_THAT(levels(), ElementsAre("0, GL_LUMINANCE, 64, 32, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE",
                                      "1, GL_LUMINANCE, 32, 16, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE",
                                      "2, GL_LUMINANCE, 16, 8, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE",
                                      "3, GL_LUMINANCE, 8, 4, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE",
                                      "4, GL_LUMINANCE, 4, 2, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE",
                                      "5, GL_LUMINANCE, 2, 1, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE"));
    EXPECT_EQ(texture.width, 2);
    EXPECT_EQ(texture.height, 1);
    EXPECT_THAT(traces(), HasSubstr("force16 1\nSending to OpenGL 8-bit\nSent to OpenGL\nDid mip thing\n"));

    texture.force16 = 0;
    texture.setName("sky.rgb");
    EXPECT_THAT(traces(), HasSubstr("force16 0\nSending to OpenGL 24-bit\nSent to OpenGL\nDid mip thing\n"));
    EXPECT_THAT(levels(), Contains("1, GL_RGB, 32, 32, 0, GL_RGB, GL_UNSIGNED_BYTE"));
}

TEST(DitherTable, FixedLengthRangeAndStart) {
    EXPECT_EQ(kDitherTableSize, 289);
    EXPECT_THAT(std::vector<int>(ditherTable, ditherTable + 6), ElementsAre(52, 229, 89, 39, 101, 147));
    EXPECT_LE(*std::max_element(ditherTable, ditherTable + kDitherTableSize), 252);
}

class ReduceTo16BitsTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        texture.init();
    }
    NymTexture texture;
};

TEST_F(ReduceTo16BitsTest, PlainTruncationWithoutDither) {
    std::vector<std::uint8_t> buffer = {0x12, 0x34, 0x56, 0xFF, 0xFF, 0xFF};
    buffer.resize(2 * buffer.size());
    const unsigned char* out = reduceTo16Bits(texture, buffer.data(), 6, 24);
    EXPECT_EQ(out, buffer.data() + 8);
    EXPECT_EQ(pixel16(out, 0), ((0x12 & 0xF8) << 8) | ((0x34 & 0xFC) << 3) | (0x56 >> 3));
    EXPECT_EQ(pixel16(out, 1), 0xFFFF);

    std::vector<std::uint8_t> rgba = {0x12, 0x34, 0x56, 0x78};
    rgba.resize(16);
    out = reduceTo16Bits(texture, rgba.data(), 4, 32);
    EXPECT_EQ(out, rgba.data() + 8);
    EXPECT_EQ(pixel16(out, 0), 0x1357);
}

TEST_F(ReduceTo16BitsTest, DitherKeepsZeroSaturatesAndRestartsEachTime) {
    texture.dither = 1;
    const int pixels = 900;
    std::vector<std::uint8_t> buffer(2 * 3 * pixels);
    for (int i = 0; i < pixels; ++i) {
        const std::uint8_t v = i % 3 == 0 ? 0 : i % 3 == 1 ? 255 : 100;
        buffer[3 * i] = buffer[3 * i + 1] = buffer[3 * i + 2] = v;
    }
    const unsigned char* out = reduceTo16Bits(texture, buffer.data(), 3 * pixels, 24);
    for (int i = 0; i < pixels; ++i) {
        if (i % 3 == 0) {
            ASSERT_EQ(pixel16(out, i), 0) << i;
        } else if (i % 3 == 1) {
            ASSERT_EQ(pixel16(out, i), 0xFFFF) << i;
        }
    }
    // Pixel 2 (value 100) gets the noise at each channel's third position, shifted by 6, 5 and 6.
    const int r = 100 + (ditherTable[2] >> 6);
    const int g = 100 + (ditherTable[95] >> 5);
    const int b = 100 + (ditherTable[189] >> 6);
    EXPECT_EQ(pixel16(out, 2), ((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
    // The positions wrap at 281: pixel 2 + 281 has the same input and the same noise.
    EXPECT_EQ(pixel16(out, 2 + 3 * 281), pixel16(out, 2));
    EXPECT_EQ(texture.ditherIndex[0], pixels % 281);
    EXPECT_EQ(texture.ditherIndex[1], (93 + pixels) % 281);
    EXPECT_EQ(texture.ditherIndex[3], 70);

    const std::vector<std::uint8_t> first(out, out + 2 * pixels);
    out = reduceTo16Bits(texture, buffer.data(), 3 * pixels, 24);
    EXPECT_EQ(std::vector<std::uint8_t>(out, out + 2 * pixels), first);
}

TEST_F(ReduceTo16BitsTest, DitherOfThirtyTwoBitDataShiftsEveryChannelByFour) {
    texture.dither = 1;
    std::vector<std::uint8_t> buffer = {200, 0, 250, 10};
    buffer.resize(16);
    const unsigned char* out = reduceTo16Bits(texture, buffer.data(), 4, 32);
    const int r = 200 + (ditherTable[0] >> 4);
    const int b = std::min(255, 250 + (ditherTable[187] >> 4));
    const int a = 10 + (ditherTable[70] >> 4);
    EXPECT_EQ(pixel16(out, 0), ((r & 0xF0) << 8) | (b & 0xF0) | (a >> 4));
}

TEST(BuildMipLevelInPlace, MatchesASeparateBufferReference) {
    for (int bytesPerPixel : {1, 3, 4}) {
        const int width = 64;
        const int height = 32;
        std::vector<std::uint8_t> image = noise(static_cast<std::size_t>(width) * height * bytesPerPixel, 7);
        std::vector<std::uint8_t> reference(static_cast<std::size_t>(width / 2) * (height / 2) *
                                            bytesPerPixel);
        auto at = [&](int x, int y, int c) { return image[(y * width + x) * bytesPerPixel + c]; };
        for (int y = 0; y < height / 2; ++y) {
            for (int x = 0; x < width / 2; ++x) {
                for (int c = 0; c < bytesPerPixel; ++c) {
                    const int sum = at(2 * x, 2 * y, c) + at(2 * x + 1, 2 * y, c) + at(2 * x, 2 * y + 1, c) +
                                    at(2 * x + 1, 2 * y + 1, c);
                    reference[(y * (width / 2) + x) * bytesPerPixel + c] = static_cast<std::uint8_t>(sum / 4);
                }
            }
        }
        buildMipLevelInPlace(image.data(), width, height, bytesPerPixel);
        EXPECT_TRUE(std::equal(reference.begin(), reference.end(), image.begin())) << bytesPerPixel;
    }
}
