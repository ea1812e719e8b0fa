// The same scenes drawn through the OpenGL ES 1.x library and through the translation on the OpenGL ES
// 2.0 library (both Mesa, llvmpipe unless GALLIUM_DRIVER says otherwise) give the same pixels, to a
// rounding step or two: texture environments of every mode and format on both units, texture matrices
// and projective coordinates, alpha test, fog, flat shading, array types, draws, textures' completeness
// and mipmaps, matrix stacks.
#include "path_rendering.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

using platform::gles::GlPath;

namespace {

constexpr GLfixed kOne = 0x10000;
constexpr int kTile = 16;
constexpr int kColumns = 8;

// The viewport of tile i.
void tile(int i) {
    glViewport((i % kColumns) * kTile, (i / kColumns) * kTile, kTile, kTile);
}

void expectSamePixels(const char* scene, int tiles, const std::function<void()>& draw, int tolerance = 2) {
    const int width = kColumns * kTile;
    const int height = (tiles + kColumns - 1) / kColumns * kTile;
    const auto withClear = [&] {
        glClearColorx(kOne / 4, kOne / 8, kOne / 2, kOne);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        draw();
    };
    const Rendering es1 = renderThrough(GlPath::Es1, width, height, withClear);
    const Rendering es2 = renderThrough(GlPath::Es2, width, height, withClear);
    SCOPED_TRACE(scene);
    ASSERT_EQ(es1.failure, "");
    ASSERT_EQ(es2.failure, "");
    ASSERT_FALSE(es1.rgba.empty());
    ASSERT_EQ(es1.rgba.size(), es2.rgba.size());
    const PixelComparison c = comparePixels(es1, es2, width, tolerance);
    EXPECT_EQ(c.beyond, 0) << "largest difference " << c.largest << ": " << c.examples;
}

// A quad over the viewport with a colour and alpha gradient, and texture coordinates 0 to 1 on the units
// whose arrays are enabled.
const GLfixed kCorners[4 * 2] = {-kOne, -kOne, kOne, -kOne, -kOne, kOne, kOne, kOne};
const GLubyte kColours[4 * 4] = {255, 40, 0, 255, 0, 255, 60, 160, 30, 0, 255, 90, 250, 250, 250, 20};
const GLfixed kCoordinates[4 * 2] = {0, 0, kOne, 0, 0, kOne, kOne, kOne};

void quad() {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FIXED, 0, kCorners);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, kColours);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void coordinates(GLenum unit, GLint size, const GLfixed* values) {
    glClientActiveTexture(unit);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(size, GL_FIXED, 0, values);
}

// A 4 x 4 texture of the format with texels of different values, nearest filtering, bound on the active
// unit.
void texture(GLenum format) {
    std::array<GLubyte, 4 * 4 * 4> texels{};
    for (std::size_t i = 0; i < texels.size(); ++i) {
        texels[i] = static_cast<GLubyte>((i * 73 + 19) % 256);
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), 4, 4, 0, format, GL_UNSIGNED_BYTE,
                 texels.data());
}

void environment(GLenum unit, GLenum mode, GLenum format) {
    glActiveTexture(unit);
    glEnable(GL_TEXTURE_2D);
    texture(format);
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfixed>(mode));
}

constexpr GLenum kModes[] = {GL_MODULATE, GL_REPLACE, GL_DECAL, GL_ADD, GL_BLEND};
constexpr GLenum kFormats[] = {GL_ALPHA, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};

bool defined(GLenum mode, GLenum format) {
    // Decal is defined for RGB and RGBA textures only.
    return mode != GL_DECAL || format == GL_RGB || format == GL_RGBA;
}

TEST(TranslationPixels, EveryTextureEnvironmentOfEveryFormatOnEitherUnit) {
    for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
        int tiles = 0;
        for (GLenum mode : kModes) {
            for (GLenum format : kFormats) {
                tiles += defined(mode, format) ? 1 : 0;
            }
        }
        expectSamePixels(unit == GL_TEXTURE0 ? "unit 0" : "unit 1", tiles, [unit] {
            int i = 0;
            coordinates(unit, 2, kCoordinates);
            for (GLenum mode : kModes) {
                for (GLenum format : kFormats) {
                    if (defined(mode, format)) {
                        tile(i++);
                        environment(unit, mode, format);
                        quad();
                    }
                }
            }
        });
    }
}

TEST(TranslationPixels, TwoUnitsTextureMatricesAndProjectiveCoordinates) {
    expectSamePixels("two units", 4, [] {
        static const GLfixed normals[4 * 3] = {0, 0,    kOne,     kOne, 0,    kOne / 2,
                                               0, kOne, kOne / 2, kOne, kOne, 0};
        static const GLfixed projective[4 * 4] = {0, 0,        0, kOne,     2 * kOne, 0,    0, 2 * kOne,
                                                  0, kOne / 2, 0, kOne / 2, kOne,     kOne, 0, kOne};
        // The race's two layers: modulate, then add a reflection through unit 1's texture matrix.
        tile(0);
        environment(GL_TEXTURE0, GL_MODULATE, GL_RGB);
        coordinates(GL_TEXTURE0, 2, kCoordinates);
        environment(GL_TEXTURE1, GL_ADD, GL_RGBA);
        coordinates(GL_TEXTURE1, 3, normals);
        glMatrixMode(GL_TEXTURE);
        const GLfixed reflection[16] = {kOne / 2, 0, 0,    0, 0,        kOne / 2, 0, 0,
                                        0,        0, kOne, 0, kOne / 2, kOne / 2, 0, kOne};
        glLoadMatrixx(reflection);
        quad();
        // Unit 1 alone.
        tile(1);
        glLoadIdentity();
        glActiveTexture(GL_TEXTURE0);
        glDisable(GL_TEXTURE_2D);
        environment(GL_TEXTURE1, GL_MODULATE, GL_LUMINANCE);
        coordinates(GL_TEXTURE1, 2, kCoordinates);
        quad();
        // Replace then decal.
        tile(2);
        environment(GL_TEXTURE0, GL_REPLACE, GL_LUMINANCE_ALPHA);
        environment(GL_TEXTURE1, GL_DECAL, GL_RGBA);
        quad();
        // Four coordinates: s and t divided by q; a rotated texture matrix.
        tile(3);
        glActiveTexture(GL_TEXTURE0);
        glDisable(GL_TEXTURE_2D);
        environment(GL_TEXTURE1, GL_BLEND, GL_RGB);
        coordinates(GL_TEXTURE1, 4, projective);
        glMatrixMode(GL_TEXTURE);
        glRotatex(30 * kOne, 0, 0, kOne);
        quad();
    });
}

// Alpha is tested in the 8-bit colour buffer's steps, as OpenGL ES 1.1 says and llvmpipe's OpenGL ES 1.x
// does (softpipe's compares the unrounded values). Where a fragment's alpha falls between two steps the
// libraries may round it either way, so the alphas here lie on steps: 8, 23, 38, ... 233 of 255 across a
// tile, and the texture's own.
TEST(TranslationPixels, AlphaTestOfEveryFunction) {
    const GLenum functions[] = {GL_NEVER,   GL_LESS,     GL_EQUAL,  GL_LEQUAL,
                                GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    expectSamePixels("alpha test", 9, [&] {
        static const GLfloat steps[4 * 4] = {1,    0.2f, 0.5f, 0.5f / 255, 0.3f, 1, 0.1f, 240.5f / 255,
                                             0.9f, 0.6f, 0,    0.5f / 255, 0,    1, 1,    240.5f / 255};
        static const GLfloat white[4 * 4] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        glEnable(GL_ALPHA_TEST);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(2, GL_FIXED, 0, kCorners);
        glColorPointer(4, GL_FLOAT, 0, steps);
        int i = 0;
        for (GLenum function : functions) {
            tile(i++);
            glAlphaFuncx(function, kOne / 2); // 128 of 255
            glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        }
        // Against a texture's alpha, with the reference of the race's punch-through geometry.
        tile(i);
        glAlphaFuncx(GL_GREATER, 32112);
        environment(GL_TEXTURE0, GL_MODULATE, GL_RGBA);
        coordinates(GL_TEXTURE0, 2, kCoordinates);
        glColorPointer(4, GL_FLOAT, 0, white);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    });
}

TEST(TranslationPixels, FogOfEveryModeOverDepth) {
    expectSamePixels("fog", 4, [] {
        static const GLfixed receding[4 * 3] = {-kOne, -kOne, -kOne,     kOne, -kOne, -kOne,
                                                -kOne, kOne,  -8 * kOne, kOne, kOne,  -8 * kOne};
        glMatrixMode(GL_PROJECTION);
        glFrustumx(-kOne / 2, kOne / 2, -kOne / 2, kOne / 2, kOne / 2, 10 * kOne);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FIXED, 0, receding);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, kColours);
        const GLenum modes[] = {GL_LINEAR, GL_EXP, GL_EXP2};
        int i = 0;
        for (GLenum mode : modes) {
            tile(i++);
            glEnable(GL_FOG);
            glFogx(GL_FOG_MODE, static_cast<GLfixed>(mode));
            glFogx(GL_FOG_START, 2 * kOne);
            glFogx(GL_FOG_END, 7 * kOne);
            glFogx(GL_FOG_DENSITY, kOne / 4);
            glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        }
        tile(i);
        glDisable(GL_FOG);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    });
}

TEST(TranslationPixels, FlatShadingOfStripsFansTrianglesAndLines) {
    expectSamePixels("flat shading", 5, [] {
        static const GLfixed fan[6 * 2] = {0,     0,    kOne,  -kOne, kOne, kOne,
                                           -kOne, kOne, -kOne, -kOne, kOne, -kOne};
        static const GLubyte colours[6 * 4] = {255, 0,   0, 255, 0, 255, 0,   255, 0,   0, 255, 255,
                                               255, 255, 0, 255, 0, 255, 255, 255, 255, 0, 255, 255};
        static const GLushort triangles[6] = {0, 1, 2, 0, 3, 4};
        glShadeModel(GL_FLAT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(2, GL_FIXED, 0, fan);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours);
        tile(0);
        glDrawArrays(GL_TRIANGLE_FAN, 0, 6);
        tile(1);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 6);
        tile(2);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, triangles);
        // Lines clear of the pixels' edges, where the two libraries' rasterisers may round either way.
        tile(3);
        static const GLfixed loop[4 * 2] = {-kOne * 7 / 10, -kOne * 6 / 10, kOne * 6 / 10,  -kOne * 7 / 10,
                                            kOne * 7 / 10,  kOne * 6 / 10,  -kOne * 6 / 10, kOne * 7 / 10};
        glVertexPointer(2, GL_FIXED, 0, loop);
        glDrawArrays(GL_LINE_LOOP, 0, 4);
        glVertexPointer(2, GL_FIXED, 0, fan);
        // Culling sees the strip's triangles wound as they were.
        tile(4);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 6);
    });
}

TEST(TranslationPixels, ArraysOfEveryTypeDrawnAsArraysAndElements) {
    expectSamePixels("arrays", 6, [] {
        static const GLbyte bytes[4 * 2] = {-1, -1, 1, -1, -1, 1, 1, 1};
        static const GLshort shorts[4 * 3] = {-100, -100, 0, 100, -100, 0, -100, 100, 0, 100, 100, 0};
        static const GLfloat floats[4 * 4] = {-1, -1, 0, 1, 1, -1, 0, 1, -1, 1, 0, 1, 1, 1, 0, 1};
        static const GLfloat floatColours[4 * 4] = {1, 0, 0, 1, 0, 1, 0, 0.5f, 0, 0, 1, 1, 1, 1, 0, 0.25f};
        static const GLfixed fixedColours[4 * 4] = {kOne, kOne, 0,    kOne, 0, kOne / 3, kOne, kOne, kOne / 2,
                                                    0,    kOne, kOne, kOne, 0, kOne / 5, kOne};
        static const GLshort shortCoordinates[4 * 2] = {0, 0, 2, 0, 0, 2, 2, 2};
        static const GLbyte byteCoordinates[4 * 2] = {0, 0, 3, 0, 0, 3, 3, 3};
        static const GLubyte byteIndices[6] = {0, 1, 2, 2, 1, 3};
        static const GLushort shortIndices[4] = {1, 3, 0, 2};
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        environment(GL_TEXTURE0, GL_MODULATE, GL_RGB);
        glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glClientActiveTexture(GL_TEXTURE0);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_SHORT, 0, shortCoordinates);
        tile(0);
        glVertexPointer(2, GL_BYTE, 0, bytes);
        glColorPointer(4, GL_FLOAT, 0, floatColours);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_BYTE, byteIndices);
        tile(1);
        glMatrixMode(GL_MODELVIEW);
        glScalex(kOne / 100, kOne / 100, kOne);
        glVertexPointer(3, GL_SHORT, 0, shorts);
        glColorPointer(4, GL_FIXED, 0, fixedColours);
        glTexCoordPointer(2, GL_BYTE, 0, byteCoordinates);
        glDrawElements(GL_TRIANGLE_STRIP, 4, GL_UNSIGNED_SHORT, shortIndices);
        glLoadIdentity();
        tile(2);
        glVertexPointer(4, GL_FLOAT, 16, floats);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        // The current colour instead of an array.
        tile(3);
        glDisableClientState(GL_COLOR_ARRAY);
        glColor4x(kOne, kOne / 2, kOne / 4, kOne);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        // Points and lines without texturing, clear of the pixels' edges.
        tile(4);
        glDisable(GL_TEXTURE_2D);
        static const GLfloat inside[4 * 2] = {-0.55f, -0.6f, 0.6f, -0.55f, -0.6f, 0.55f, 0.55f, 0.6f};
        glVertexPointer(2, GL_FLOAT, 0, inside);
        glDrawArrays(GL_POINTS, 0, 4);
        glDrawArrays(GL_LINE_STRIP, 0, 4);
        glVertexPointer(4, GL_FLOAT, 16, floats);
        // Texturing with the coordinate array off: every fragment samples (0, 0).
        tile(5);
        glEnable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    });
}

TEST(TranslationPixels, IncompleteTexturesDoNotTextureAndMipmapsFilterAsTheLibrarysDo) {
    expectSamePixels("texture states", 4, [] {
        coordinates(GL_TEXTURE0, 2, kCoordinates);
        // A mipmapping filter without the levels: the unit does not texture.
        tile(0);
        environment(GL_TEXTURE0, GL_REPLACE, GL_RGB);
        glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        quad();
        // Generated mipmaps of a 16 x 16 texture on a smaller quad, linear, repeated.
        tile(1);
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameterx(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
        glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        std::array<GLubyte, 16 * 16 * 3> texels{};
        for (std::size_t i = 0; i < texels.size(); ++i) {
            texels[i] = static_cast<GLubyte>(i % 7 * 40);
        }
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 16, 16, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        glViewport(kTile, 0, kTile / 4, kTile / 4);
        quad();
        // A texture of 5-6-5 and one of 4-4-4-4 texels, as the overlay's and the logos'.
        tile(2);
        glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        const std::array<GLushort, 4 * 4> packed{0xF800, 0x07E0, 0x001F, 0xFFFF, 0x1234, 0x5678,
                                                 0x9ABC, 0xDEF0, 0x0F0F, 0xF0F0, 0x3333, 0xCCCC,
                                                 0x8000, 0x0001, 0x7FFF, 0xA5A5};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, packed.data());
        quad();
        tile(3);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4, packed.data());
        quad();
    });
}

TEST(TranslationPixels, MatrixStacksDepthAndCullingInAPerspectiveScene) {
    expectSamePixels("matrices", 2, [] {
        static const GLfixed cube[8 * 3] = {-kOne, -kOne, -kOne, kOne,  -kOne, -kOne, -kOne, kOne,
                                            -kOne, kOne,  kOne,  -kOne, -kOne, -kOne, kOne,  kOne,
                                            -kOne, kOne,  -kOne, kOne,  kOne,  kOne,  kOne,  kOne};
        static const GLubyte colours[8 * 4] = {255, 0,   0,   255, 0,   255, 0,   255, 0,   0,   255,
                                               255, 255, 255, 0,   255, 0,   255, 255, 255, 255, 0,
                                               255, 255, 128, 128, 128, 255, 255, 255, 255, 255};
        static const GLubyte faces[36] = {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
                                          2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5};
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_CULL_FACE);
        glMatrixMode(GL_PROJECTION);
        glFrustumx(-kOne / 4, kOne / 4, -kOne / 4, kOne / 4, kOne / 2, 20 * kOne);
        glMatrixMode(GL_MODELVIEW);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FIXED, 0, cube);
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours);
        for (int i = 0; i < 2; ++i) {
            tile(i);
            glPushMatrix();
            glTranslatex(0, 0, -5 * kOne);
            glRotatex((35 + 50 * i) * kOne, kOne, kOne / 2, kOne / 3);
            glPushMatrix();
            glScalex(kOne / 2, kOne / 2, kOne / 2);
            glDrawElements(GL_TRIANGLES, 36, GL_UNSIGNED_BYTE, faces);
            glPopMatrix();
            glTranslatex(kOne, 0, 0);
            glCullFace(i ? GL_FRONT : GL_BACK);
            glDrawElements(GL_TRIANGLES, 36, GL_UNSIGNED_BYTE, faces);
            glPopMatrix();
        }
    });
}

// OpenGL ES 1.1 clamps each vertex's colour before it is interpolated; Mesa's OpenGL ES 1.x library
// interpolates the colours as given and clamps the fragments, so this is checked on the translation only.
TEST(TranslationPixels, ColoursOutOfRangeAreClampedAtEachVertex) {
    const Rendering es2 = renderThrough(GlPath::Es2, 16, 1, [] {
        static const GLfixed line[2 * 2] = {-kOne, 0, kOne, 0};
        static const GLfixed colours[2 * 4] = {3 * kOne, -kOne,    kOne / 2, kOne,
                                               -kOne,    3 * kOne, kOne / 2, kOne};
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(2, GL_FIXED, 0, line);
        glColorPointer(4, GL_FIXED, 0, colours);
        glDrawArrays(GL_LINES, 0, 2);
    });
    ASSERT_EQ(es2.failure, "");
    ASSERT_EQ(es2.rgba.size(), 16u * 4);
    // Halfway, (1, 0) and (0, 1) give a half of each; unclamped, (3, -1) and (-1, 3) would give one of each.
    EXPECT_NEAR(es2.rgba[8 * 4], 128, 10);
    EXPECT_NEAR(es2.rgba[8 * 4 + 1], 128, 10);
    EXPECT_NEAR(es2.rgba[8 * 4 + 2], 128, 2);
}

} // namespace
