// Print3D against the record driver: uploads, the one-entry cache, the frame list, and the GL calls of
// Draw with its overlay state, batches and logos.
#include "print3d/print3d.h"

#include "platform/gles/record_driver.h"
#include "synthetic_artwork.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using platform::gles::dataText;
using platform::gles::RecordDriver;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Names the record driver hands out in Init: icons 1-4, the font 5, logo A 6, logo B 7.
constexpr GLuint FontName = 5;
constexpr GLuint LogoAName = 6;
constexpr GLuint LogoBName = 7;

std::vector<std::string> uploadCalls(GLuint name, const std::string& format, int size,
                                     const std::string& type, const std::string& data) {
    const std::string n = std::to_string(name);
    const std::string s = std::to_string(size);
    return {"glGenTextures(1) -> [" + n + "]",
            "glBindTexture(GL_TEXTURE_2D, " + n + ")",
            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR)",
            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR)",
            "glTexImage2D(GL_TEXTURE_2D, 0, " + format + ", " + s + ", " + s + ", 0, " + format + ", " +
                type + ", " + data + ")",
            "glGetError() -> GL_NO_ERROR"};
}

const std::vector<std::string> overlayStateSet = {
    "glDisable(GL_LIGHTING)",
    "glEnable(GL_CULL_FACE)",
    "glFrontFace(GL_CW)",
    "glCullFace(GL_FRONT)",
    "glClientActiveTexture(GL_TEXTURE0)",
    "glEnableClientState(GL_VERTEX_ARRAY)",
    "glEnableClientState(GL_COLOR_ARRAY)",
    "glEnableClientState(GL_TEXTURE_COORD_ARRAY)",
    "glActiveTexture(GL_TEXTURE1)",
    "glDisable(GL_TEXTURE_2D)",
    "glActiveTexture(GL_TEXTURE0)",
    "glEnable(GL_TEXTURE_2D)",
    "glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)",
    "glEnable(GL_BLEND)",
    "glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)",
    "glDisable(GL_FOG)",
    "glDisable(GL_DEPTH_TEST)",
};

const std::vector<std::string> overlayStateRestore = {
    "glDisableClientState(GL_VERTEX_ARRAY)",
    "glDisableClientState(GL_COLOR_ARRAY)",
    "glDisableClientState(GL_TEXTURE_COORD_ARRAY)",
    "glMatrixMode(GL_PROJECTION)",
    "glPopMatrix()",
    "glMatrixMode(GL_MODELVIEW)",
    "glPopMatrix()",
    "glEnable(GL_DEPTH_TEST)",
    "glDisable(GL_BLEND)",
};

std::vector<std::string> logoCalls(GLuint name, bool rotated) {
    std::vector<std::string> calls = {"glMatrixMode(GL_PROJECTION)", "glLoadIdentity()",
                                      "glMatrixMode(GL_MODELVIEW)", "glLoadIdentity()"};
    if (rotated) {
        calls.push_back("glRotatex(5898240, 0, 0, 65536)");
    }
    const std::vector<std::string> rest = {
        "glActiveTexture(GL_TEXTURE0)",
        "glEnable(GL_TEXTURE_2D)",
        "glBindTexture(GL_TEXTURE_2D, " + std::to_string(name) + ")",
        "glDisable(GL_DEPTH_TEST)",
        "glEnable(GL_BLEND)",
        "glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)",
        "glEnableClientState(GL_VERTEX_ARRAY)",
        "glEnableClientState(GL_COLOR_ARRAY)",
        "glEnableClientState(GL_TEXTURE_COORD_ARRAY)",
        "glVertexPointer(3, GL_FIXED, 0, ptr)",
        "glColorPointer(4, GL_FIXED, 0, ptr)",
        "glTexCoordPointer(2, GL_FIXED, 0, ptr)",
        "glDrawArrays(GL_TRIANGLE_STRIP, 0, 4)",
        "glDisableClientState(GL_VERTEX_ARRAY)",
        "glDisableClientState(GL_COLOR_ARRAY)",
        "glDisableClientState(GL_TEXTURE_COORD_ARRAY)",
        "glDisable(GL_BLEND)",
        "glEnable(GL_DEPTH_TEST)",
    };
    calls.insert(calls.end(), rest.begin(), rest.end());
    return calls;
}

void append(std::vector<std::string>& to, const std::vector<std::string>& calls) {
    to.insert(to.end(), calls.begin(), calls.end());
}

class Print3DTest : public ::testing::Test {
protected:
    // Inits an overlay of the given size and clears the log.
    void start(Print3D& overlay, unsigned width, unsigned height) {
        ASSERT_TRUE(overlay.Init(width, height));
        gl.clearLog();
    }
    std::vector<const void*> pointersOf(const std::string& name) const {
        std::vector<const void*> pointers;
        for (const auto& call : gl.calls()) {
            if (call.name == name) {
                pointers.push_back(call.pointers.back());
            }
        }
        return pointers;
    }
    std::vector<std::string> logoBinds() const {
        std::vector<std::string> binds;
        const auto log = gl.log({"glBindTexture"});
        binds.assign(log.begin() + 1, log.end()); // after the font's
        return binds;
    }

    RecordDriver gl;
    SyntheticArtwork data;
};

TEST_F(Print3DTest, InitUploadsIconsFontAndLogosInOrder) {
    for (std::size_t i = 0; i < data.font.size(); ++i) {
        data.font[i] = static_cast<std::uint8_t>(i * 7);
    }
    Print3D overlay(data.artwork());
    ASSERT_TRUE(overlay.Init(640, 480));

    std::vector<std::string> expected;
    for (GLuint icon = 0; icon < 4; ++icon) {
        // R 1, G 2, B = icon number, alpha 15 - 3.
        const std::vector<std::uint16_t> pixels(256, static_cast<std::uint16_t>(0x120C | (icon << 4)));
        append(expected, uploadCalls(icon + 1, "GL_RGBA", 16, "GL_UNSIGNED_SHORT_4_4_4_4",
                                     dataText(pixels.data(), 512)));
    }
    std::vector<std::uint16_t> font(256 * 256);
    for (std::size_t i = 0; i < font.size(); ++i) {
        font[i] = static_cast<std::uint16_t>(0xFFF0 + data.font[i] / 16);
    }
    append(expected,
           uploadCalls(FontName, "GL_RGBA", 256, "GL_UNSIGNED_SHORT_4_4_4_4", dataText(font.data(), 131072)));
    // Only the top level of each logo file, right after its header.
    append(expected, uploadCalls(LogoAName, "GL_RGB", 128, "GL_UNSIGNED_SHORT_5_6_5",
                                 dataText(data.logoA.data() + kLogoHeaderBytes, kLogoTopLevelBytes)));
    append(expected, uploadCalls(LogoBName, "GL_RGB", 128, "GL_UNSIGNED_SHORT_5_6_5",
                                 dataText(data.logoB.data() + kLogoHeaderBytes, kLogoTopLevelBytes)));
    EXPECT_THAT(gl.log(), ElementsAreArray(expected));
    EXPECT_EQ(overlay.frameCapacity(), Print3D::InitialFrameCapacity);
    EXPECT_EQ(overlay.frameVertexCount(), 0);

    // A second Init only takes the new size: no GL calls, and texts are laid out for it.
    gl.clearLog();
    EXPECT_TRUE(overlay.Init(320, 240));
    EXPECT_TRUE(gl.log().empty());
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    ASSERT_EQ(overlay.frameVertexCount(), 4);
    EXPECT_EQ(overlay.frameVertices()[1].x, FixedFromFloat(0.5f * 255.0f * SyntheticArtwork::GlyphWidth));
}

TEST_F(Print3DTest, FailedUploadStopsInitAndIsCleanedUpByTheNext) {
    Print3D overlay(data.artwork());
    gl.pushGlError(GL_OUT_OF_MEMORY);
    EXPECT_FALSE(overlay.Init(640, 480));
    ASSERT_EQ(gl.log().size(), 6u);
    EXPECT_EQ(gl.log().back(), "glGetError() -> GL_OUT_OF_MEMORY");

    // Not active: nothing is queued or drawn.
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    EXPECT_EQ(overlay.frameVertexCount(), 0);
    gl.clearLog();
    EXPECT_EQ(overlay.Draw(), 0);
    EXPECT_TRUE(gl.log().empty());

    // The next Init deletes the name the failed one left, then uploads everything.
    EXPECT_TRUE(overlay.Init(640, 480));
    EXPECT_EQ(gl.log().front(), "glDeleteTextures(1, [1])");
    EXPECT_EQ(gl.log({"glGenTextures"}).size(), 7u);

    // A failing logo upload fails Init too.
    Print3D second(data.artwork());
    for (int i = 0; i < 6; ++i) {
        gl.pushGlError(GL_NO_ERROR);
    }
    gl.pushGlError(GL_INVALID_VALUE);
    EXPECT_FALSE(second.Init(640, 480));
}

TEST_F(Print3DTest, ReleaseDeletesTexturesAndSilencesPrintAndDraw) {
    Print3D overlay(data.artwork());
    start(overlay, 640, 480);
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    overlay.Release();
    EXPECT_THAT(gl.log(), ElementsAre("glDeleteTextures(1, [5])", "glDeleteTextures(1, [1])",
                                      "glDeleteTextures(1, [2])", "glDeleteTextures(1, [3])",
                                      "glDeleteTextures(1, [4])", "glDeleteTextures(1, [6])",
                                      "glDeleteTextures(1, [7])"));
    gl.clearLog();
    overlay.Release();
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    overlay.ShowTitle("Title", nullptr, LogoA);
    EXPECT_EQ(overlay.Draw(), 0);
    EXPECT_TRUE(gl.log().empty());

    // Initialised again after a context loss, it works as before.
    ASSERT_TRUE(overlay.Init(640, 480));
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    EXPECT_EQ(overlay.Draw(), 2);
}

TEST_F(Print3DTest, DrawSetsTheOverlayStateDrawsTextAndLogoAndRestores) {
    Print3D overlay(data.artwork());
    start(overlay, 640, 480);
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    overlay.ShowTitle(nullptr, nullptr, LogoA);
    const Print3DVertex* vertices = overlay.frameVertices();
    EXPECT_EQ(overlay.Draw(), 2);

    std::vector<std::string> expected = {
        "glMatrixMode(GL_MODELVIEW)", "glPushMatrix()", "glMatrixMode(GL_PROJECTION)", "glPushMatrix()",
        "glLoadIdentity()", "glMatrixMode(GL_MODELVIEW)",
        // 2/640 and -2/480 as 16.16.
        "glLoadMatrixx([204, 0, 0, 0, 0, -273, 0, 0, 0, 0, 65536, 0, -65536, 65536, 0, 65536])"};
    append(expected, overlayStateSet);
    const GLushort indices[6] = {0, 3, 1, 3, 0, 2};
    append(expected,
           {"glBindTexture(GL_TEXTURE_2D, 5)", "glEnable(GL_BLEND)", "glVertexPointer(3, GL_FIXED, 24, ptr)",
            "glColorPointer(4, GL_UNSIGNED_BYTE, 24, ptr)", "glTexCoordPointer(2, GL_FIXED, 24, ptr)",
            "glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, " + dataText(indices, sizeof indices) + ")",
            "glGetError() -> GL_NO_ERROR"});
    append(expected, logoCalls(LogoAName, false));
    append(expected, overlayStateRestore);
    EXPECT_THAT(gl.log(), ElementsAreArray(expected));

    // The arrays point into the queued vertices: position, colour at byte 12, texture coordinates at 16.
    const auto* base = reinterpret_cast<const std::uint8_t*>(vertices);
    EXPECT_THAT(pointersOf("glVertexPointer").front(), base);
    EXPECT_THAT(pointersOf("glColorPointer").front(), base + 12);
    EXPECT_THAT(pointersOf("glTexCoordPointer").front(), base + 16);

    // The queue is empty afterwards: the next Draw does nothing, logo mode or not.
    gl.clearLog();
    EXPECT_EQ(overlay.frameVertexCount(), 0);
    EXPECT_EQ(overlay.Draw(), 0);
    EXPECT_TRUE(gl.log().empty());
}

TEST_F(Print3DTest, LogosByMode) {
    Print3D overlay(data.artwork());
    start(overlay, 640, 480);
    const auto drawWith = [&](unsigned mode) {
        overlay.ShowTitle("A", nullptr, static_cast<LogoFlags>(mode));
        gl.clearLog();
        overlay.Draw();
        return logoBinds();
    };
    const std::string bindA = "glBindTexture(GL_TEXTURE_2D, 6)";
    const std::string bindB = "glBindTexture(GL_TEXTURE_2D, 7)";
    EXPECT_TRUE(drawWith(LogoNone).empty());
    EXPECT_THAT(drawWith(LogoA), ElementsAre(bindA));
    EXPECT_THAT(drawWith(LogoB), ElementsAre(bindB));
    EXPECT_THAT(drawWith(LogoA | LogoB), ElementsAre(bindB, bindA));
    EXPECT_THAT(drawWith(1), ElementsAre(bindA));
    EXPECT_THAT(drawWith(3), ElementsAre(bindA));

    // Mode 6: logo B on the left, then logo A on the right, each a quad at the bottom of clip space.
    drawWith(LogoA | LogoB);
    const auto quads = pointersOf("glVertexPointer");
    ASSERT_EQ(quads.size(), 3u);
    const auto* left = static_cast<const Fixed*>(quads[1]);
    const auto* right = static_cast<const Fixed*>(quads[2]);
    const Fixed top = FixedFromFloat(-0.7156f);
    const Fixed bottom = FixedFromFloat(-0.95f);
    const Fixed depth = FixedFromFloat(0.5f);
    const Fixed expectedLeft[12] = {
        FixedFromFloat(-0.95f), top, depth, FixedFromFloat(-0.95f), bottom, depth,
        FixedFromFloat(-0.65f), top, depth, FixedFromFloat(-0.65f), bottom, depth};
    const Fixed expectedRight[12] = {FixedFromFloat(0.65f), top, depth, FixedFromFloat(0.65f), bottom, depth,
                                     FixedFromFloat(0.95f), top, depth, FixedFromFloat(0.95f), bottom, depth};
    EXPECT_THAT(std::vector<Fixed>(left, left + 12), ElementsAreArray(expectedLeft));
    EXPECT_THAT(std::vector<Fixed>(right, right + 12), ElementsAreArray(expectedRight));
    const auto* colours = static_cast<const GLfixed*>(pointersOf("glColorPointer")[2]);
    EXPECT_THAT(std::vector<GLfixed>(colours, colours + 4), ElementsAre(65536, 65536, 65536, 49152));
    const auto* texcoords = static_cast<const GLfixed*>(pointersOf("glTexCoordPointer")[2]);
    EXPECT_THAT(std::vector<GLfixed>(texcoords, texcoords + 8),
                ElementsAre(0, 0, 0, 65536, 65536, 0, 65536, 65536));
}

TEST_F(Print3DTest, PortraitScreenRotatesOverlayAndLogos) {
    Print3D overlay(data.artwork());
    start(overlay, 240, 320);
    overlay.ShowTitle("A", nullptr, LogoA);
    overlay.Draw();
    const auto log = gl.log();
    ASSERT_GE(log.size(), 8u);
    EXPECT_THAT(
        std::vector<std::string>(log.begin() + 3, log.begin() + 8),
        ElementsAre("glPushMatrix()", "glLoadIdentity()", "glRotatex(5898240, 0, 0, 65536)",
                    "glMatrixMode(GL_MODELVIEW)",
                    // 2/240 and -2/320 as 16.16.
                    "glLoadMatrixx([546, 0, 0, 0, 0, -409, 0, 0, 0, 0, 65536, 0, -65536, 65536, 0, 65536])"));
    const auto logo = logoCalls(LogoAName, true);
    const auto at = std::search(log.begin(), log.end(), logo.begin(), logo.end());
    EXPECT_NE(at, log.end());
    EXPECT_EQ(gl.log({"glRotatex"}).size(), 2u);
}

TEST_F(Print3DTest, LargeFramesAreDrawnInBatchesOf16383Quads) {
    Print3D overlay(data.artwork());
    start(overlay, 640, 480);
    const std::string text(5000, 'A');
    for (int i = 0; i < 4; ++i) {
        overlay.Print(0.0f, static_cast<float>(i), 1.0f, 0xFFFFFFFF, "%s", text.c_str());
    }
    ASSERT_EQ(overlay.frameVertexCount(), 80000);
    EXPECT_EQ(overlay.frameCapacity(), 131072);
    const Print3DVertex* vertices = overlay.frameVertices();
    gl.clearLog();
    EXPECT_EQ(overlay.Draw(), 40000);

    const auto draws = gl.log({"glDrawElements"});
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_THAT(draws[0], ::testing::StartsWith(
                              "glDrawElements(GL_TRIANGLES, 98298, GL_UNSIGNED_SHORT, <196596 bytes"));
    EXPECT_THAT(draws[1],
                ::testing::StartsWith("glDrawElements(GL_TRIANGLES, 21702, GL_UNSIGNED_SHORT, <43404 bytes"));
    // Both batches use the index list from its start; the second batch's arrays start at vertex 65532.
    const auto indexLists = pointersOf("glDrawElements");
    EXPECT_EQ(indexLists[0], indexLists[1]);
    const auto* lastQuad = static_cast<const GLushort*>(indexLists[0]) + 6 * 16382;
    EXPECT_THAT(std::vector<GLushort>(lastQuad, lastQuad + 6),
                ElementsAre(65528, 65531, 65529, 65531, 65528, 65530));
    EXPECT_THAT(pointersOf("glVertexPointer"), ElementsAre(vertices, vertices + Print3D::VerticesPerBatch));
    EXPECT_EQ(gl.log({"glGetError"}).size(), 2u);
}

TEST_F(Print3DTest, FrameListGrowsByDoublingUpToItsLimit) {
    Print3D overlay(data.artwork());
    start(overlay, 640, 480);
    const std::string text(5119, 'A'); // 20476 vertices
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "%s", text.c_str());
    EXPECT_EQ(overlay.frameCapacity(), 32768);
    for (int i = 1; i < 51; ++i) {
        overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "%s", text.c_str());
    }
    EXPECT_EQ(overlay.frameVertexCount(), 51 * 20476);
    EXPECT_EQ(overlay.frameCapacity(), Print3D::MaxFrameCapacity);

    // A text that would pass 1,048,576 vertices is dropped whole; a smaller one still fits.
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "%s", text.c_str());
    EXPECT_EQ(overlay.frameVertexCount(), 51 * 20476);
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "%s", std::string(1075, 'B').c_str());
    EXPECT_EQ(overlay.frameVertexCount(), Print3D::MaxFrameCapacity);
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "B");
    EXPECT_EQ(overlay.frameVertexCount(), Print3D::MaxFrameCapacity);

    gl.clearLog();
    EXPECT_EQ(overlay.Draw(), Print3D::MaxFrameCapacity / 2);
    EXPECT_EQ(gl.log({"glDrawElements"}).size(), 17u);
    EXPECT_EQ(overlay.frameCapacity(), Print3D::MaxFrameCapacity); // never shrunk
}

TEST_F(Print3DTest, OneEntryCacheReusesTheLastLayout) {
    Print3D overlay(data.artwork());
    start(overlay, 640, 480);
    const auto lastRight = [&] { return overlay.frameVertices()[overlay.frameVertexCount() - 3].x; };
    const Fixed narrow = FixedFromFloat(SyntheticArtwork::GlyphWidth * 255.0f);
    const Fixed wide = FixedFromFloat(0.125f * 255.0f);

    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    // The glyph table changes behind the overlay's back: only a fresh layout shows it.
    data.largeWidth['A'] = 0.125f;
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "%c", 'A');
    EXPECT_EQ(lastRight(), narrow);
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFE, "A");
    EXPECT_EQ(lastRight(), wide);
    data.largeWidth['A'] = SyntheticArtwork::GlyphWidth;
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    EXPECT_EQ(lastRight(), narrow);
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    EXPECT_EQ(overlay.frameVertexCount(), 20);

    // Another object never takes the vertices that only the first one's text cache holds.
    Print3D other(data.artwork());
    ASSERT_TRUE(other.Init(640, 480));
    other.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "B");
    other.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    EXPECT_EQ(other.frameVertices()[4].u, FixedFromFloat(data.largeU['A']));

    // After a release the text cache is gone, and the same text is laid out afresh.
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    data.largeWidth['A'] = 0.125f;
    overlay.Release();
    ASSERT_TRUE(overlay.Init(640, 480));
    overlay.Print(0.0f, 0.0f, 1.0f, 0xFFFFFFFF, "A");
    EXPECT_EQ(lastRight(), wide);
}

TEST_F(Print3DTest, PrintFormatsAndShowTitlePlacesTitleAndDescription) {
    Print3D overlay(data.artwork());
    start(overlay, 640, 480);
    overlay.Print(50.0f, 50.0f, 1.0f, 0xFFFFFFFF, "%s", "");
    EXPECT_EQ(overlay.frameVertexCount(), 0);
    overlay.Print(50.0f, 50.0f, 1.0f, 0xFFFFFFFF, "%d%%", 42);
    ASSERT_EQ(overlay.frameVertexCount(), 12);
    // Percentages of the screen: 50% is pixel (320, 240).
    EXPECT_EQ(overlay.frameVertices()[0].x, FixedFromFloat(50.0f * 6.4f));
    EXPECT_EQ(overlay.frameVertices()[0].y, FixedFromFloat(50.0f * 4.8f));
    overlay.Draw();

    // The title is printed as it stands, '%' included.
    overlay.ShowTitle("5% Nymbus", "Go", LogoA);
    ASSERT_EQ(overlay.frameVertexCount(), 4 * (8 + 2));
    const Print3DVertex* v = overlay.frameVertices();
    EXPECT_EQ(v[0].x, Fixed{0});
    EXPECT_EQ(v[0].y, FixedFromFloat(1.0f * 4.8f));
    EXPECT_EQ(v[2].y, FixedFromFloat(1.0f * 4.8f + 1.2f * 27.0f));
    EXPECT_THAT(v[0].colour, ElementsAre(0xFF, 0xFF, 0x00, 0xFF));
    const Print3DVertex& description = v[32];
    EXPECT_EQ(description.y, FixedFromFloat(8.0f * 4.8f));
    EXPECT_EQ(v[34].y, FixedFromFloat(8.0f * 4.8f + 0.9f * 27.0f));
    EXPECT_THAT(description.colour, ElementsAre(0xFF, 0xFF, 0xFF, 0xFF));
    overlay.Draw();

    // The demo's call: an empty description prints nothing.
    overlay.ShowTitle("Nymbus Zidaz", "", LogoA);
    EXPECT_EQ(overlay.frameVertexCount(), 4 * 11);
}

} // namespace
