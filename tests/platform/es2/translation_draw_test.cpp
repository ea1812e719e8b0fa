// What the translation's draws hand the recording OpenGL ES 2.0 library: the program of the state's
// key (built once), the uniforms that changed, and vertices and indices streamed into buffer objects.
#include "platform/debug_output.h"
#include "recorded_translation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

// A 2 x 2 texture of the format, complete (no mipmaps, linear filter), bound on the active unit.
GLuint completeTexture(GLenum format) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    static const GLubyte texels[2 * 2 * 4] = {};
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), 2, 2, 0, format, GL_UNSIGNED_BYTE, texels);
    return name;
}

// A vertex of the race's geometry: x, y, z and a fourth value the stride skips.
struct RaceVertex {
    GLfixed x, y, z, unused;
};
const RaceVertex kQuad[4] = {
    {-kOne, -kOne, 0, 7}, {kOne, -kOne, 0, 7}, {-kOne, kOne, kOne / 2, 7}, {kOne, kOne, 0, 7}};
const GLubyte kColours[4 * 4] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128};
const GLfixed kCoordinates[4 * 2] = {0, 0, kOne, 0, 0, kOne, kOne, kOne};
const GLfixed kNormals[4 * 3] = {0, 0, kOne, 0, 0, kOne, 0, kOne, 0, kOne, 0, 0};
const GLushort kIndices[6] = {0, 1, 2, 2, 1, 3};

// The state of a two-layer draw of the race's renderer: unit 0 modulates, unit 1 adds a reflection map
// through its texture matrix; punch-through alpha test.
void raceDrawState() {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glShadeModel(GL_SMOOTH);
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    completeTexture(GL_RGB);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glActiveTexture(GL_TEXTURE1);
    glClientActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
    completeTexture(GL_RGBA);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnable(GL_ALPHA_TEST);
    glAlphaFuncx(GL_GREATER, 32112);
    glVertexPointer(3, GL_FIXED, 16, kQuad);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, kColours);
    glClientActiveTexture(GL_TEXTURE0);
    glTexCoordPointer(2, GL_FIXED, 0, kCoordinates);
    glClientActiveTexture(GL_TEXTURE1);
    glTexCoordPointer(3, GL_FIXED, 0, kNormals);
    glMatrixMode(GL_TEXTURE);
    const GLfixed reflection[16] = {kOne, 0, 0, 0, 0, kOne, 0, 0, 0, 0, kOne, 0, kOne / 2, kOne / 2, 0, kOne};
    glLoadMatrixx(reflection);
}

// The offset of the last attribute pointer of that location.
std::size_t attributeOffset(const RecordedTranslation& t, int location) {
    std::size_t offset = 0;
    for (const std::string& line : t.es2.log({"glVertexAttribPointer"})) {
        if (line.starts_with("glVertexAttribPointer(" + std::to_string(location) + ",")) {
            offset = std::stoul(line.substr(line.rfind(' ') + 1));
        }
    }
    return offset;
}

TEST(TranslationDraw, ARaceDrawSetsTheKeysProgramItsUniformsAndOneAttributePerArrayRead) {
    RecordedTranslation t;
    raceDrawState();
    t.es2.setInteger(GL_RED_BITS, {8});
    t.es2.clearLog();
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, kIndices);

    EXPECT_EQ(t.es2.log({"glCreateProgram"}).size(), 1u);
    EXPECT_EQ(t.es2.log({"glCompileShader"}).size(), 2u);
    EXPECT_THAT(t.es2.log({"glBindAttribLocation"}),
                ElementsAre(HasSubstr("0, \"a_position\""), HasSubstr("1, \"a_colour\""),
                            HasSubstr("2, \"a_texcoord0\""), HasSubstr("3, \"a_texcoord1\"")));
    EXPECT_THAT(t.es2.log({"glUniform1i"}),
                ElementsAre("glUniform1i(u_texture0, 0)", "glUniform1i(u_texture1, 1)"));
    EXPECT_THAT(
        t.es2.log({"glUniformMatrix4fv"}),
        ElementsAre(StartsWith("glUniformMatrix4fv(u_mvp, 1, GL_FALSE, [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1"),
                    "glUniformMatrix4fv(u_texture_matrix1, 1, GL_FALSE, [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, "
                    "0, 0.5, 0.5, 0, 1])"));
    // An 8-bit colour buffer: alpha is tested in its steps, the reference 0.48999 being 125 of 255.
    EXPECT_THAT(t.es2.log({"glGetIntegerv"}), ElementsAre("glGetIntegerv(GL_RED_BITS)"));
    EXPECT_THAT(t.es2.log({"glUniform2f"}), ElementsAre("glUniform2f(u_alpha_test, 125, 255)"));
    // GL_FIXED arrives as floats, padded to whole elements; colours as normalised bytes.
    EXPECT_THAT(t.es2.log({"glVertexAttribPointer"}),
                ElementsAre(StartsWith("glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 12, "),
                            StartsWith("glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, 4, "),
                            StartsWith("glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 8, "),
                            StartsWith("glVertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, 12, ")));
    EXPECT_THAT(t.es2.log({"glEnableVertexAttribArray"}),
                ElementsAre("glEnableVertexAttribArray(0)", "glEnableVertexAttribArray(1)",
                            "glEnableVertexAttribArray(2)", "glEnableVertexAttribArray(3)"));
    EXPECT_THAT(t.es2.log({"glDrawElements"}),
                ElementsAre("glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, 0)"));
    // The generated shaders: unit 1's coordinates through its matrix, projective; the alpha test.
    const std::string vertex = t.es2.programSource(1 + 2, GL_VERTEX_SHADER);
    const std::string fragment = t.es2.programSource(1 + 2, GL_FRAGMENT_SHADER);
    EXPECT_THAT(vertex, HasSubstr("v_texcoord1 = u_texture_matrix1 * a_texcoord1;"));
    EXPECT_THAT(vertex, HasSubstr("v_texcoord0 = a_texcoord0.xy;"));
    EXPECT_THAT(fragment, HasSubstr("texture2DProj(u_texture1, v_texcoord1)"));
    EXPECT_THAT(fragment, HasSubstr("p = vec4(p.rgb * t.rgb, p.a);"));                 // modulate, RGB
    EXPECT_THAT(fragment, HasSubstr("p = vec4(min(p.rgb + t.rgb, 1.0), p.a * t.a);")); // add, RGBA
    EXPECT_THAT(fragment, HasSubstr("!(a > u_alpha_test.x)"));

    // The same draw again: no program work, no uniform, the attributes stay enabled.
    t.es2.clearLog();
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, kIndices);
    EXPECT_THAT(t.es2.log({"glCreateProgram", "glUseProgram", "glUniformMatrix4fv", "glUniform2f",
                           "glGetIntegerv", "glEnableVertexAttribArray", "glDisableVertexAttribArray"}),
                IsEmpty());
    // Only what changed goes to the program.
    glAlphaFuncx(GL_GREATER, kOne / 4);
    glMatrixMode(GL_MODELVIEW);
    glTranslatex(0, 0, -kOne);
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, kIndices);
    EXPECT_THAT(t.es2.log({"glUniformMatrix4fv", "glUniform2f"}),
                ElementsAre(StartsWith("glUniformMatrix4fv(u_mvp, "), "glUniform2f(u_alpha_test, 64, 255)"));
    // Another surface may have other bits: a colour buffer of 5-6-5 compares alpha as it comes.
    t.es2.setInteger(GL_RED_BITS, {5});
    eglMakeCurrent(t.display, t.surface, t.surface, t.context);
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, kIndices);
    EXPECT_EQ(t.es2.log({"glUniform2f"}).back(), "glUniform2f(u_alpha_test, 0.25, 0)");
}

TEST(TranslationDraw, VerticesReachTheLibraryInBuffersAsFloatsBytesOrShortsNeverAsClientArraysOrFixed) {
    RecordedTranslation t;
    raceDrawState();
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, kIndices);
    EXPECT_THAT(t.floats(1, attributeOffset(t, 0), 12),
                ElementsAre(-1, -1, 0, 1, -1, 0, -1, 1, 0.5, 1, 1, 0)); // the fourth value skipped
    EXPECT_THAT(t.floats(1, attributeOffset(t, 2), 8), ElementsAre(0, 0, 1, 0, 0, 1, 1, 1));
    const std::vector<std::uint8_t>& data = t.es2.bufferData(1);
    EXPECT_TRUE(std::equal(kColours, kColours + 16, data.begin() + static_cast<long>(attributeOffset(t, 1))));

    // Positions of shorts and bytes stay shorts and bytes, padded to 4 bytes a vertex; floats are copied.
    t.es2.clearLog();
    glDisableClientState(GL_COLOR_ARRAY);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_TEXTURE_2D);
    const GLshort shorts[] = {1, 2, 3, 4, 5, 6};
    glVertexPointer(3, GL_SHORT, 0, shorts);
    glDrawArrays(GL_TRIANGLES, 0, 2);
    const GLbyte bytes[] = {1, 2, 0, 0, 3, 4};
    glVertexPointer(2, GL_BYTE, 4, bytes);
    glDrawArrays(GL_POINTS, 1, 1);
    const GLfloat floats[] = {0.25f, 0.5f, 0.75f, 1.0f};
    glVertexPointer(2, GL_FLOAT, 0, floats);
    glDrawArrays(GL_LINES, 0, 2);
    EXPECT_THAT(t.es2.log({"glVertexAttribPointer", "glDisableVertexAttribArray", "glDrawArrays"}),
                ElementsAre(StartsWith("glVertexAttribPointer(0, 3, GL_SHORT, GL_FALSE, 8, "),
                            "glDisableVertexAttribArray(1)", "glDisableVertexAttribArray(2)",
                            "glDisableVertexAttribArray(3)", "glDrawArrays(GL_TRIANGLES, 0, 2)",
                            StartsWith("glVertexAttribPointer(0, 2, GL_BYTE, GL_FALSE, 4, "),
                            "glDrawArrays(GL_POINTS, 0, 1)",
                            StartsWith("glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 8, "),
                            "glDrawArrays(GL_LINES, 0, 2)"));
    const std::vector<std::uint8_t>& streamed = t.es2.bufferData(1);
    GLbyte point[2];
    std::memcpy(point, streamed.data() + attributeOffset(t, 0) - 4, 2); // the byte draw, before the floats
    EXPECT_THAT(point, ElementsAre(3, 4));
    EXPECT_THAT(t.floats(1, attributeOffset(t, 0), 4), ElementsAre(0.25f, 0.5f, 0.75f, 1.0f));
    // Without a colour array the current colour is the attribute's constant value.
    EXPECT_THAT(t.es2.log({"glVertexAttrib4f"}), ElementsAre("glVertexAttrib4f(1, 1, 1, 1, 1)"));

    // Never client memory, never GL_FIXED, and no buffer is both a vertex and an element buffer.
    const std::vector<std::string> log = t.es2.log();
    EXPECT_THAT(log, Not(Contains(HasSubstr("client"))));
    EXPECT_THAT(log, Not(Contains(HasSubstr("GL_FIXED"))));
}

TEST(TranslationDraw, ElementsUploadTheVerticesTheyUseAndIndicesCountedFromTheFirstOfThem) {
    RecordedTranslation t;
    glEnableClientState(GL_VERTEX_ARRAY);
    GLfixed line[10 * 2];
    for (int i = 0; i < 20; ++i) {
        line[i] = i * kOne;
    }
    glVertexPointer(2, GL_FIXED, 0, line);
    const GLubyte bytes[4] = {7, 5, 9, 5};
    glDrawElements(GL_LINE_STRIP, 4, GL_UNSIGNED_BYTE, bytes);
    // Vertices 5 to 9, indices 2, 0, 4, 0 into them.
    EXPECT_THAT(t.floats(1, attributeOffset(t, 0), 10), ElementsAre(10, 11, 12, 13, 14, 15, 16, 17, 18, 19));
    EXPECT_THAT(t.es2.log({"glBufferSubData"}),
                ElementsAre(HasSubstr("GL_ARRAY_BUFFER, 0, 40"), HasSubstr("GL_ELEMENT_ARRAY_BUFFER, 0, 4")));
    EXPECT_THAT(std::vector<int>(t.es2.bufferData(2).begin(), t.es2.bufferData(2).begin() + 4),
                ElementsAre(2, 0, 4, 0));
    const GLushort shorts[3] = {3, 1, 2};
    glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, shorts);
    EXPECT_THAT(t.es2.log({"glDrawElements"}),
                ElementsAre("glDrawElements(GL_LINE_STRIP, 4, GL_UNSIGNED_BYTE, 0)",
                            "glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, 4)"));
    GLushort rebased[3];
    std::memcpy(rebased, t.es2.bufferData(2).data() + 4, sizeof rebased);
    EXPECT_THAT(rebased, ElementsAre(2, 0, 1));

    // The buffers: one of each kind, never bound to the other target.
    std::set<std::string> arrays;
    std::set<std::string> elements;
    for (const std::string& bind : t.es2.log({"glBindBuffer"})) {
        (bind.find("GL_ARRAY_BUFFER") != std::string::npos ? arrays : elements)
            .insert(bind.substr(bind.rfind(' ')));
    }
    EXPECT_EQ(arrays.size(), 1u);
    EXPECT_EQ(elements.size(), 1u);
    EXPECT_NE(*arrays.begin(), *elements.begin());
}

TEST(TranslationDraw, AFullBufferIsOrphanedAndADrawLargerThanItGetsALargerOne) {
    RecordedTranslation t;
    glEnableClientState(GL_VERTEX_ARRAY);
    static std::vector<GLfloat> vertices(3 * 70000, 1.0f); // 840000 bytes: 1 MiB holds one
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glDrawArrays(GL_POINTS, 0, 70000);
    glDrawArrays(GL_POINTS, 0, 70000);
    static std::vector<GLfloat> more(3 * 100000, 1.0f);
    glVertexPointer(3, GL_FLOAT, 0, more.data());
    glDrawArrays(GL_POINTS, 0, 100000);
    EXPECT_THAT(t.es2.log({"glBufferData", "glBufferSubData"}),
                ElementsAre("glBufferData(GL_ARRAY_BUFFER, 1048576, null, GL_STREAM_DRAW)",
                            HasSubstr("glBufferSubData(GL_ARRAY_BUFFER, 0, 840000"),
                            "glBufferData(GL_ARRAY_BUFFER, 1048576, null, GL_STREAM_DRAW)",
                            HasSubstr("glBufferSubData(GL_ARRAY_BUFFER, 0, 840000"),
                            "glBufferData(GL_ARRAY_BUFFER, 2097152, null, GL_STREAM_DRAW)",
                            HasSubstr("glBufferSubData(GL_ARRAY_BUFFER, 0, 1200000")));
}

TEST(TranslationDraw, FlatShadingGivesEachTriangleItsLastVertexsColour) {
    RecordedTranslation t;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glShadeModel(GL_FLAT);
    const GLfloat positions[4 * 2] = {0, 0, 1, 0, 0, 1, 1, 1};
    const GLubyte colours[4 * 4] = {10, 0, 0, 0, 20, 0, 0, 0, 30, 0, 0, 0, 40, 0, 0, 0};
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    EXPECT_THAT(t.es2.log({"glDrawArrays"}), ElementsAre("glDrawArrays(GL_TRIANGLES, 0, 6)"));
    // Triangle 0: vertices 0 1 2 coloured as 2; triangle 1 wound as 2 1 3, coloured as 3.
    EXPECT_THAT(t.floats(1, attributeOffset(t, 0), 12), ElementsAre(0, 0, 1, 0, 0, 1, 0, 1, 1, 0, 1, 1));
    const std::uint8_t* c = t.es2.bufferData(1).data() + attributeOffset(t, 1);
    EXPECT_THAT(std::vector<int>({c[0], c[4], c[8], c[12], c[16], c[20]}),
                ElementsAre(30, 30, 30, 40, 40, 40));
    // With one colour for every vertex, flat and smooth are the same: no expansion.
    t.es2.clearLog();
    glDisableClientState(GL_COLOR_ARRAY);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    EXPECT_THAT(t.es2.log({"glDrawArrays"}), ElementsAre("glDrawArrays(GL_TRIANGLE_STRIP, 0, 4)"));
}

TEST(TranslationDraw, ADrawWithoutVerticesOrWithAMissingArrayDrawsNothing) {
    RecordedTranslation t;
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glEnableClientState(GL_VERTEX_ARRAY);
    glDrawArrays(GL_TRIANGLES, 0, 3); // no pointer given
    const GLfloat positions[3 * 2] = {};
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glEnableClientState(GL_COLOR_ARRAY);
    glDrawArrays(GL_TRIANGLES, 0, 3); // no colour pointer
    glDisableClientState(GL_COLOR_ARRAY);
    glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, nullptr);
    glDrawArrays(GL_TRIANGLES, 0, 0);
    EXPECT_THAT(t.es2.log({"glDrawArrays", "glDrawElements", "glBufferSubData"}), IsEmpty());
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
}

TEST(TranslationPrograms, OneProgramPerKeyBuiltOnceAndSharedByTheContextsOfAShareGroup) {
    RecordedTranslation t;
    glEnableClientState(GL_VERTEX_ARRAY);
    const GLfloat positions[3 * 2] = {};
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glEnable(GL_ALPHA_TEST);
    glAlphaFuncx(GL_LESS, kOne / 2);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glDisable(GL_ALPHA_TEST);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    // Enabling texturing without a complete texture keeps the key.
    glEnable(GL_TEXTURE_2D);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_THAT(t.es2.log({"glCreateProgram", "glUseProgram"}),
                ElementsAre("glCreateProgram() -> 3", "glUseProgram(3)", "glCreateProgram() -> 6",
                            "glUseProgram(6)", "glUseProgram(3)"));

    // A context sharing with this one uses its programs; its state is its own.
    const EGLContext shared = eglCreateContext(t.display, t.config, t.context, nullptr);
    const EGLContext alone = eglCreateContext(t.display, t.config, EGL_NO_CONTEXT, nullptr);
    eglMakeCurrent(t.display, t.surface, t.surface, shared);
    t.es2.clearLog();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, positions);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_THAT(t.es2.log({"glCreateProgram", "glUseProgram"}), ElementsAre("glUseProgram(3)"));
    eglMakeCurrent(t.display, t.surface, t.surface, alone);
    t.es2.clearLog();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_THAT(t.es2.log({"glCreateProgram"}), ElementsAre("glCreateProgram() -> 9"));
    // The first context kept its state.
    eglMakeCurrent(t.display, t.surface, t.surface, t.context);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_TRUE);
    eglDestroyContext(t.display, shared);
    eglDestroyContext(t.display, alone);
}

TEST(TranslationPrograms, AShaderThatDoesNotBuildIsOneTraceLineAndItsDrawsAreSkipped) {
    RecordedTranslation t;
    std::wstring output;
    platform::setDebugOutputSink([&](const wchar_t* text) { output += text; });
    t.es2.failCompile(GL_FRAGMENT_SHADER, "0:7(12): error: no\nsuch function\n");
    glEnableClientState(GL_VERTEX_ARRAY);
    const GLfloat positions[3 * 2] = {};
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glEnable(GL_ALPHA_TEST);
    glAlphaFuncx(GL_GREATER, 0);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_EQ(output,
              L"nymbus: OpenGL ES 2.0 translation: shader variant 050000: the fragment shader does not "
              L"compile: 0:7(12): error: no such function\n");
    t.es2.failCompile(GL_FRAGMENT_SHADER, "");
    t.es2.failLink("too many varyings");
    glDisable(GL_ALPHA_TEST);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_THAT(output, HasSubstr(L"shader variant 000000: the program does not link: too many varyings\n"));
    EXPECT_THAT(t.es2.log({"glDrawArrays"}), IsEmpty());
    t.es2.failLink("");
    glEnable(GL_FOG);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_THAT(t.es2.log({"glDrawArrays"}), ElementsAre("glDrawArrays(GL_TRIANGLES, 0, 3)"));
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
    platform::setDebugOutputSink({});
}

TEST(TranslationTextures, GenerateMipmapMakesTheLevelsAndDeletingABoundTextureUnbindsIt) {
    RecordedTranslation t;
    glEnableClientState(GL_VERTEX_ARRAY);
    const GLfloat positions[3 * 2] = {};
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glEnable(GL_TEXTURE_2D);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterx(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    static const GLubyte texels[4 * 4] = {};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, 4, 4, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, texels);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 2, 2, GL_LUMINANCE, GL_UNSIGNED_BYTE, texels);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_THAT(t.es2.log({"glGenerateMipmap", "glTexParameteri"}),
                ElementsAre("glGenerateMipmap(GL_TEXTURE_2D)", "glGenerateMipmap(GL_TEXTURE_2D)"));
    // The default filter mipmaps: complete only with the generated levels, so the unit textures.
    EXPECT_THAT(t.es2.log({"glUniform1i"}), ElementsAre("glUniform1i(u_texture0, 0)"));

    t.es2.clearLog();
    glDeleteTextures(1, &name);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_THAT(t.es2.log({"glUseProgram"}), ElementsAre("glUseProgram(6)")); // the untextured program
}

} // namespace
