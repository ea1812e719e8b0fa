// The frame digest over the record driver: what changes a frame's hash and what must not.
#include "platform/gles/frame_digest.h"

#include "platform/gles/dispatch.h"
#include "platform/gles/record_driver.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

using namespace platform::gles;

namespace {

// One triangle of a strided fixed-point mesh: x, y, z, then a padding word, then s, t.
struct Vertex {
    std::array<GLfixed, 3> position;
    GLfixed padding;
    std::array<GLfixed, 2> texCoord;
};

struct Mesh {
    std::vector<Vertex> vertices{{{0, 0, 0}, 0, {0, 0}},
                                 {{65536, 0, 0}, 0, {65536, 0}},
                                 {{0, 65536, 0}, 0, {0, 65536}},
                                 {{65536, 65536, 0}, 0, {65536, 65536}},
                                 {{9, 9, 9}, 0, {9, 9}}};
    std::vector<GLushort> indices{3, 1, 2, 1};
    std::vector<GLubyte> colours = std::vector<GLubyte>(5 * 4, 200);
};

// The calls of a frame that draws the mesh: arrays, a matrix, an upload and the indexed draw.
void drawFrame(const Mesh& mesh, const std::vector<std::uint8_t>& texels, GLint alignment = 4) {
    glClear(GL_COLOR_BUFFER_BIT);
    const GLfixed matrix[16] = {65536, 0, 0, 0, 0, 65536, 0, 0, 0, 0, 65536, 0, 1, 2, 3, 65536};
    glLoadMatrixx(matrix);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FIXED, sizeof(Vertex), &mesh.vertices[0].position);
    glClientActiveTexture(GL_TEXTURE0);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FIXED, sizeof(Vertex), &mesh.vertices[0].texCoord);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, mesh.colours.data()); // not enabled: not read
    glDrawElements(GL_TRIANGLE_STRIP, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_SHORT,
                   mesh.indices.data());
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

// Two rows of three RGB texels, each row padded to 12 bytes at the default alignment.
std::vector<std::uint8_t> texels() {
    std::vector<std::uint8_t> t(24, 0xEE);
    for (int i = 0; i < 9; ++i) {
        t[i] = static_cast<std::uint8_t>(i);
        t[12 + i] = static_cast<std::uint8_t>(40 + i);
    }
    return t;
}

class FrameDigest : public testing::Test {
protected:
    void SetUp() override {
        startFrameDigest();
        takeFrameDigest();
    }
    void TearDown() override { stopFrameDigest(); }

    std::uint64_t digestOf(const Mesh& mesh, const std::vector<std::uint8_t>& t, GLint alignment = 4) {
        drawFrame(mesh, t, alignment);
        return takeFrameDigest();
    }

    RecordDriver gl{RecordDriver::Mode::Silent};
};

TEST_F(FrameDigest, DependsOnTheDataEachCallHandsOverAndNotOnWhereItIs) {
    const Mesh mesh;
    const std::uint64_t first = digestOf(mesh, texels());
    EXPECT_EQ(digestOf(mesh, texels()), first) << "the same frame again";
    const Mesh copy = mesh; // the same values at other addresses
    EXPECT_EQ(digestOf(copy, texels()), first);

    Mesh drawnVertex = mesh;
    drawnVertex.vertices[2].position[1] += 1;
    EXPECT_NE(digestOf(drawnVertex, texels()), first);
    Mesh drawnTexCoord = mesh;
    drawnTexCoord.vertices[3].texCoord[0] += 1;
    EXPECT_NE(digestOf(drawnTexCoord, texels()), first);
    Mesh index = mesh;
    index.indices[1] = 0;
    EXPECT_NE(digestOf(index, texels()), first);
    std::vector<std::uint8_t> texel = texels();
    texel[13] ^= 1;
    EXPECT_NE(digestOf(mesh, texel), first);
}

TEST_F(FrameDigest, IgnoresBytesTheGlDoesNotRead) {
    const Mesh mesh;
    const std::uint64_t first = digestOf(mesh, texels());
    Mesh unread = mesh;
    unread.vertices[0].position[0] = 12345; // vertex 0 is not indexed
    unread.vertices[4].texCoord[1] = 777;   // nor vertex 4
    unread.vertices[2].padding = 5;         // between the elements of a strided array
    unread.colours[8] = 1;                  // the colour array is not enabled
    EXPECT_EQ(digestOf(unread, texels()), first);
    std::vector<std::uint8_t> padding = texels();
    padding[10] = 0; // the first row's alignment padding
    EXPECT_EQ(digestOf(mesh, padding), first);
    // With rows packed tightly the same bytes are other pixels.
    EXPECT_NE(digestOf(mesh, texels(), 1), first);
}

TEST_F(FrameDigest, CoversEveryCallWithItsArgumentsInOrder) {
    glBindTexture(GL_TEXTURE_2D, 1);
    glEnable(GL_BLEND);
    const std::uint64_t reference = takeFrameDigest();
    glBindTexture(GL_TEXTURE_2D, 2);
    glEnable(GL_BLEND);
    EXPECT_NE(takeFrameDigest(), reference);
    glBindTexture(GL_TEXTURE_2D, 1);
    glDisable(GL_BLEND);
    EXPECT_NE(takeFrameDigest(), reference);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, 1);
    EXPECT_NE(takeFrameDigest(), reference);
    glBindTexture(GL_TEXTURE_2D, 1);
    glEnable(GL_BLEND);
    EXPECT_EQ(takeFrameDigest(), reference);
    EXPECT_NE(takeFrameDigest(), reference) << "a frame without calls";
}

// Generates two textures, binds one of them and deletes the other, on a driver that hands out `names`.
std::uint64_t digestOfTextures(std::vector<GLuint> names, int bound) {
    RecordDriver gl{RecordDriver::Mode::Silent};
    gl.setTextureNames(std::move(names));
    startFrameDigest();
    takeFrameDigest();
    GLuint textures[2];
    glGenTextures(2, textures);
    glBindTexture(GL_TEXTURE_2D, textures[bound]);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &textures[1 - bound]);
    const std::uint64_t digest = takeFrameDigest();
    stopFrameDigest();
    return digest;
}

TEST(FrameDigestTextures, NamesCountInTheOrderTheGlHandedThemOut) {
    const std::uint64_t mesa = digestOfTextures({1, 2}, 1);
    EXPECT_EQ(digestOfTextures({7, 3}, 1), mesa) << "another GL's names for the same objects";
    EXPECT_NE(digestOfTextures({1, 2}, 0), mesa) << "the other texture";
}

// A driver whose swap reads the frame back through the dispatch table, as the runner does around a
// presented frame.
decltype(DispatchTable::eglSwapBuffers) recordSwap = nullptr;
EGLBoolean swapWithReadBack(EGLDisplay display, EGLSurface surface) {
    std::uint8_t pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    glGetString(GL_RENDERER);
    return recordSwap(display, surface);
}

TEST(FrameDigestSwap, LeavesOutTheCallsMadeDuringTheSwap) {
    RecordDriver gl{RecordDriver::Mode::Silent};
    recordSwap = dispatchTable.eglSwapBuffers;
    dispatchTable.eglSwapBuffers = swapWithReadBack;
    startFrameDigest();
    takeFrameDigest();
    glClear(GL_COLOR_BUFFER_BIT);
    const std::uint64_t withoutSwap = takeFrameDigest();
    glClear(GL_COLOR_BUFFER_BIT);
    eglSwapBuffers(EGL_NO_DISPLAY, EGL_NO_SURFACE);
    EXPECT_EQ(takeFrameDigest(), withoutSwap);
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, nullptr); // the program's own read-back counts
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_NE(takeFrameDigest(), withoutSwap);
    stopFrameDigest();
    EXPECT_EQ(dispatchTable.eglSwapBuffers, swapWithReadBack);
}

} // namespace
