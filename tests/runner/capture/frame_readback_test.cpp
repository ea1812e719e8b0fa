// Frames of a 5-6-5 surface are read back in the surface's own format, and expand to exactly the bytes
// of the RGBA read-back, for every 16-bit colour and with padded rows.
#include "runner/capture/frame_readback.h"
#include "tests/support/offscreen_context.h"
#include "tests/support/offscreen_gl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Every 16-bit colour once, texel i = i, drawn texel for pixel on a 256 x 256 surface.
void drawEveryColour() {
    std::vector<std::uint16_t> texels(65536);
    for (std::size_t i = 0; i < texels.size(); ++i) {
        texels[i] = static_cast<std::uint16_t>(i);
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 256, 256, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, texels.data());
    drawTextureOnQuad(texture, 256, 256);
    glDeleteTextures(1, &texture);
}

// The RGBA read-back, rows packed.
std::vector<std::uint8_t> rgbaReadBack(int width, int height) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

TEST(FrameReadback, A565SurfaceIsReadInItsOwnFormatAndExpandsToTheRgbaReadBack) {
    OffscreenContext context(256, 256, true);
    ASSERT_EQ(context.error(), "");
    GLint format = 0;
    glGetIntegerv(GL_IMPLEMENTATION_COLOR_READ_FORMAT_OES, &format);
    if (format != GL_RGB) {
        GTEST_SKIP() << "the GL reads this surface best as RGBA";
    }
    drawEveryColour();
    runner::FrameReadback readback;
    runner::CapturedFrame frame;
    frame.width = 256;
    frame.height = 256;
    readback.read(frame);
    EXPECT_EQ(frame.format, runner::PixelFormat::Rgb565);
    std::vector<std::uint16_t> seen(65536);
    std::memcpy(seen.data(), frame.pixels.data(), seen.size() * 2);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        ASSERT_EQ(seen[i], i) << "the surface does not hold every colour";
    }
    const std::vector<std::uint8_t> expected = rgbaReadBack(256, 256);
    std::vector<std::uint8_t> scratch;
    const std::uint8_t* expanded = runner::rgbaPixels(frame, scratch);
    EXPECT_EQ(std::memcmp(expanded, expected.data(), expected.size()), 0);

    // A width whose rows the pack alignment pads, in both layouts.
    const int width = 33;
    const int height = 7;
    const std::vector<std::uint8_t> small = rgbaReadBack(width, height);
    glPixelStorei(GL_PACK_ALIGNMENT, 8);
    for (const bool rgbaOnly : {false, true}) {
        runner::CapturedFrame padded;
        padded.width = width;
        padded.height = height;
        readback.read(padded, rgbaOnly);
        EXPECT_EQ(padded.format, rgbaOnly ? runner::PixelFormat::Rgba8888 : runner::PixelFormat::Rgb565);
        EXPECT_EQ(padded.stride % 8, 0u);
        const std::uint8_t* rows = runner::rgbaPixels(padded, scratch);
        EXPECT_EQ(std::vector<std::uint8_t>(rows, rows + small.size()), small) << rgbaOnly;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
}

} // namespace
