// The translation's OpenGL ES 1.1 state on a recording OpenGL ES 2.0 library: matrix stacks, the errors
// of 1.1, what reaches the library and what the queries answer.
#include "recorded_translation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// One point drawn, so that the program's uniforms are brought up to date.
void drawPoint() {
    static const GLfixed point[3] = {0, 0, 0};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FIXED, 0, point);
    glDrawArrays(GL_POINTS, 0, 1);
}

// The values of the last glUniformMatrix4fv of that uniform.
std::vector<float> lastMatrix(const RecordedTranslation& t, const std::string& uniform) {
    std::vector<float> values;
    for (const std::string& line : t.es2.log({"glUniformMatrix4fv"})) {
        if (line.starts_with("glUniformMatrix4fv(" + uniform + ",")) {
            values.clear();
            for (const char* at = line.c_str() + line.find('[') + 1; values.size() < 16; ++at) {
                char* end = nullptr;
                values.push_back(std::strtof(at, &end));
                at = end;
            }
        }
    }
    return values;
}

void expectMatrix(const std::vector<float>& actual, const std::vector<float>& expected) {
    ASSERT_EQ(actual.size(), 16u);
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-6) << "element " << i;
    }
}

GLint integer(GLenum pname) {
    GLint value = -1;
    glGetIntegerv(pname, &value);
    return value;
}

TEST(TranslationMatrices, OperationsComposeAsOpenGlEs11AndReachTheShaderAsOneMatrix) {
    RecordedTranslation t;
    glMatrixMode(GL_PROJECTION);
    glOrthox(-2 * kOne, 2 * kOne, -kOne, kOne, kOne, 3 * kOne); // x / 2, y, z: -(z + 2)
    glMatrixMode(GL_MODELVIEW);
    glTranslatex(kOne, 0, 0);
    glScalex(2 * kOne, 3 * kOne, kOne);
    drawPoint();
    // Column-major: projection x translation x scale.
    expectMatrix(lastMatrix(t, "u_mvp"), {1, 0, 0, 0, 0, 3, 0, 0, 0, 0, -1, 0, 0.5, 0, -2, 1});

    const GLfixed m[16] = {0, kOne, 0, 0, -kOne, 0, 0, 0, 0, 0, kOne, 0, 0, 0, 0, kOne}; // 90 degrees about z
    glLoadMatrixx(m);
    glMultMatrixx(m);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    drawPoint();
    expectMatrix(lastMatrix(t, "u_mvp"), {-1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatex(90 * kOne, 0, 0, kOne);
    drawPoint();
    expectMatrix(lastMatrix(t, "u_mvp"), {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    glLoadIdentity();
    glRotatex(180 * kOne, kOne, kOne, 0); // about the diagonal: x and y swap, z turns round
    drawPoint();
    expectMatrix(lastMatrix(t, "u_mvp"), {0, 1, 0, 0, 1, 0, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1});

    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glFrustumx(-kOne, kOne, -kOne, kOne, kOne, 3 * kOne);
    drawPoint();
    expectMatrix(lastMatrix(t, "u_mvp"), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2, -1, 0, 0, -3, 0});
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
}

TEST(TranslationMatrices, StacksHaveTheDepthsOfOpenGlEs11AndReportOverflowAndUnderflow) {
    RecordedTranslation t;
    EXPECT_EQ(integer(GL_MAX_MODELVIEW_STACK_DEPTH), 16);
    EXPECT_EQ(integer(GL_MAX_PROJECTION_STACK_DEPTH), 2);
    EXPECT_EQ(integer(GL_MAX_TEXTURE_STACK_DEPTH), 2);
    const struct {
        GLenum mode;
        GLenum depthName;
        int depth;
    } stacks[] = {{GL_MODELVIEW, GL_MODELVIEW_STACK_DEPTH, 16},
                  {GL_PROJECTION, GL_PROJECTION_STACK_DEPTH, 2},
                  {GL_TEXTURE, GL_TEXTURE_STACK_DEPTH, 2}};
    for (const auto& stack : stacks) {
        SCOPED_TRACE(stack.mode);
        glMatrixMode(stack.mode);
        EXPECT_EQ(integer(GL_MATRIX_MODE), static_cast<GLint>(stack.mode));
        glPopMatrix();
        EXPECT_EQ(glGetError(), GL_STACK_UNDERFLOW);
        for (int i = 1; i < stack.depth; ++i) {
            glPushMatrix();
        }
        EXPECT_EQ(glGetError(), GL_NO_ERROR);
        EXPECT_EQ(integer(stack.depthName), stack.depth);
        glScalex(2 * kOne, 2 * kOne, 2 * kOne);
        glPushMatrix();
        EXPECT_EQ(glGetError(), GL_STACK_OVERFLOW);
        EXPECT_EQ(integer(stack.depthName), stack.depth);
        // The failed push left the top as it was; popping goes back to the identity below.
        GLint m[16];
        glGetIntegerv(stack.mode == GL_MODELVIEW    ? GL_MODELVIEW_MATRIX
                      : stack.mode == GL_PROJECTION ? GL_PROJECTION_MATRIX
                                                    : GL_TEXTURE_MATRIX,
                      m);
        EXPECT_EQ(m[0], 2);
        for (int i = 1; i < stack.depth; ++i) {
            glPopMatrix();
        }
        glGetIntegerv(stack.mode == GL_MODELVIEW    ? GL_MODELVIEW_MATRIX
                      : stack.mode == GL_PROJECTION ? GL_PROJECTION_MATRIX
                                                    : GL_TEXTURE_MATRIX,
                      m);
        EXPECT_EQ(m[0], 1);
        EXPECT_EQ(integer(stack.depthName), 1);
        EXPECT_EQ(glGetError(), GL_NO_ERROR);
    }
    // Each texture unit has a stack of its own.
    glActiveTexture(GL_TEXTURE1);
    glPushMatrix();
    EXPECT_EQ(integer(GL_TEXTURE_STACK_DEPTH), 2);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(integer(GL_TEXTURE_STACK_DEPTH), 1);
    EXPECT_THAT(t.es2.log({"glUniformMatrix4fv"}), IsEmpty());
}

TEST(TranslationMatrices, ProjectionsWithDegenerateVolumesAreInvalidValuesAndChangeNothing) {
    RecordedTranslation t;
    glMatrixMode(GL_PROJECTION);
    glFrustumx(-kOne, kOne, -kOne, kOne, 0, kOne);
    EXPECT_EQ(glGetError(), GL_INVALID_VALUE);
    glFrustumx(-kOne, kOne, -kOne, kOne, kOne, kOne);
    EXPECT_EQ(glGetError(), GL_INVALID_VALUE);
    glFrustumx(kOne, kOne, -kOne, kOne, kOne, 2 * kOne);
    EXPECT_EQ(glGetError(), GL_INVALID_VALUE);
    glOrthox(-kOne, kOne, kOne, kOne, 0, kOne);
    EXPECT_EQ(glGetError(), GL_INVALID_VALUE);
    glMatrixMode(GL_COLOR_MATERIAL);
    EXPECT_EQ(glGetError(), GL_INVALID_ENUM);
    drawPoint();
    expectMatrix(lastMatrix(t, "u_mvp"), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

TEST(TranslationErrors, CallsOpenGlEs11RefusesAreErrorsOfItsOwnAndNeverReachTheLibrary) {
    RecordedTranslation t;
    const struct {
        const char* call;
        void (*make)();
        GLenum error;
    } cases[] = {
        {"glEnable of a capability 1.1 lacks", [] { glEnable(0x8642); }, GL_INVALID_ENUM},
        {"glBlendFunc with a source colour as source", [] { glBlendFunc(GL_SRC_COLOR, GL_ZERO); },
         GL_INVALID_ENUM},
        {"glBlendFunc with a constant colour (2.0 only)", [] { glBlendFunc(GL_ONE, 0x8001); },
         GL_INVALID_ENUM},
        {"glTexEnvx with the combiner", [] { glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE); },
         GL_INVALID_ENUM},
        {"glTexEnvx of a combiner parameter", [] { glTexEnvx(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_ADD); },
         GL_INVALID_ENUM},
        {"glTexParameterx with mirrored repeat (2.0 only)",
         [] { glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, 0x8370); }, GL_INVALID_ENUM},
        {"glTexParameterx with a mipmapping magnification",
         [] { glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR_MIPMAP_LINEAR); },
         GL_INVALID_ENUM},
        {"glBindTexture of a cube map (2.0 only)", [] { glBindTexture(GL_TEXTURE_CUBE_MAP, 1); },
         GL_INVALID_ENUM},
        {"glActiveTexture of a third unit", [] { glActiveTexture(GL_TEXTURE2); }, GL_INVALID_ENUM},
        {"glClientActiveTexture of a third unit", [] { glClientActiveTexture(GL_TEXTURE2); },
         GL_INVALID_ENUM},
        {"glTexImage2D of a size not a power of two",
         [] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr); },
         GL_INVALID_VALUE},
        {"glTexImage2D with a border",
         [] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 1, GL_RGB, GL_UNSIGNED_BYTE, nullptr); },
         GL_INVALID_VALUE},
        {"glTexImage2D whose format is not its internal format",
         [] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr); },
         GL_INVALID_OPERATION},
        {"glTexImage2D of 5-6-5 pixels as RGBA",
         [] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_SHORT_5_6_5, nullptr); },
         GL_INVALID_OPERATION},
        {"glCompressedTexImage2D of a paletted format",
         [] {
             const GLubyte data[16 * 3 + 8] = {};
             glCompressedTexImage2D(GL_TEXTURE_2D, 0, GL_PALETTE4_RGB8_OES, 4, 4, 0, sizeof data, data);
         },
         GL_INVALID_ENUM},
        {"glTexImage2D of floats",
         [] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_FLOAT, nullptr); }, GL_INVALID_ENUM},
        {"glDrawArrays of quads", [] { glDrawArrays(7, 0, 4); }, GL_INVALID_ENUM},
        {"glDrawArrays of a negative count", [] { glDrawArrays(GL_TRIANGLES, 0, -1); }, GL_INVALID_VALUE},
        {"glDrawElements of 32-bit indices", [] { glDrawElements(GL_TRIANGLES, 3, 0x1405, nullptr); },
         GL_INVALID_ENUM},
        {"glVertexPointer of one coordinate", [] { glVertexPointer(1, GL_FLOAT, 0, nullptr); },
         GL_INVALID_VALUE},
        {"glVertexPointer of unsigned bytes", [] { glVertexPointer(3, GL_UNSIGNED_BYTE, 0, nullptr); },
         GL_INVALID_ENUM},
        {"glColorPointer of three components", [] { glColorPointer(3, GL_UNSIGNED_BYTE, 0, nullptr); },
         GL_INVALID_VALUE},
        {"glColorPointer of shorts", [] { glColorPointer(4, GL_SHORT, 0, nullptr); }, GL_INVALID_ENUM},
        {"glTexCoordPointer with a negative stride", [] { glTexCoordPointer(2, GL_FLOAT, -4, nullptr); },
         GL_INVALID_VALUE},
        {"glEnableClientState of the point-size array", [] { glEnableClientState(GL_POINT_SIZE_ARRAY_OES); },
         GL_INVALID_ENUM},
        {"glFogx of a negative density", [] { glFogx(GL_FOG_DENSITY, -kOne); }, GL_INVALID_VALUE},
        {"glFogx of a mode 1.1 lacks", [] { glFogx(GL_FOG_MODE, GL_LINEAR_MIPMAP_LINEAR); }, GL_INVALID_ENUM},
        {"glFogx of the colour (a vector)", [] { glFogx(GL_FOG_COLOR, 0); }, GL_INVALID_ENUM},
        {"glAlphaFuncx of a non-comparison", [] { glAlphaFuncx(GL_ADD, 0); }, GL_INVALID_ENUM},
        {"glShadeModel of neither", [] { glShadeModel(GL_LINEAR); }, GL_INVALID_ENUM},
        {"glHint of polygon smoothing", [] { glHint(0x0C53, GL_NICEST); }, GL_INVALID_ENUM},
        {"glHint of an invalid mode", [] { glHint(GL_FOG_HINT, GL_LINEAR); }, GL_INVALID_ENUM},
        {"glGetIntegerv of a light's state",
         [] {
             GLint value[4];
             glGetIntegerv(GL_LIGHT_MODEL_AMBIENT, value);
         },
         GL_INVALID_ENUM},
        {"glGetString of the shading language", [] { glGetString(GL_SHADING_LANGUAGE_VERSION); },
         GL_INVALID_ENUM},
        // What the translation does not carry out changes the picture: refused, not ignored.
        {"glEnable of lighting", [] { glEnable(GL_LIGHTING); }, GL_INVALID_ENUM},
        {"glEnable of line smoothing", [] { glEnable(GL_LINE_SMOOTH); }, GL_INVALID_ENUM},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        t.es2.clearLog();
        c.make();
        EXPECT_EQ(glGetError(), c.error);
        // Only the library's own error flag was looked at afterwards: nothing else reached it.
        EXPECT_THAT(t.es2.log(), IsEmpty());
        EXPECT_EQ(glGetError(), GL_NO_ERROR);
    }
}

TEST(TranslationErrors, TheFirstErrorWaitsForGlGetErrorThenTheLibrarysComeThrough) {
    RecordedTranslation t;
    glEnable(GL_LIGHTING);
    glMatrixMode(GL_FOG);
    t.es2.pushError(GL_OUT_OF_MEMORY);
    EXPECT_EQ(glGetError(), GL_INVALID_ENUM);
    EXPECT_EQ(glGetError(), GL_OUT_OF_MEMORY);
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
    // Turning off what is refused is no error: it is off.
    glDisable(GL_LIGHTING);
    glDisable(GL_POINT_SMOOTH);
    EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_FALSE);
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
}

TEST(TranslationCapabilities, OnlyOpenGlEs20CapabilitiesReachTheLibraryAndOnlyWhenTheyChange) {
    RecordedTranslation t;
    const GLenum capabilities[] = {GL_FOG,
                                   GL_LIGHTING,
                                   GL_TEXTURE_2D,
                                   GL_CULL_FACE,
                                   GL_ALPHA_TEST,
                                   GL_BLEND,
                                   GL_COLOR_LOGIC_OP,
                                   GL_DITHER,
                                   GL_STENCIL_TEST,
                                   GL_DEPTH_TEST,
                                   GL_POINT_SMOOTH,
                                   GL_LINE_SMOOTH,
                                   GL_SCISSOR_TEST,
                                   GL_COLOR_MATERIAL,
                                   GL_NORMALIZE,
                                   GL_RESCALE_NORMAL,
                                   GL_POLYGON_OFFSET_FILL,
                                   GL_MULTISAMPLE,
                                   GL_SAMPLE_ALPHA_TO_COVERAGE,
                                   GL_SAMPLE_ALPHA_TO_ONE,
                                   GL_SAMPLE_COVERAGE,
                                   GL_LIGHT0,
                                   GL_LIGHT7,
                                   GL_CLIP_PLANE0,
                                   GL_CLIP_PLANE5};
    for (GLenum cap : capabilities) {
        glEnable(cap);
        glEnable(cap);
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    for (GLenum cap : capabilities) {
        glDisable(cap);
    }
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
    // Dithering starts on: its enable changes nothing.
    EXPECT_THAT(t.es2.log({"glEnable"}),
                ElementsAre("glEnable(GL_CULL_FACE)", "glEnable(GL_BLEND)", "glEnable(GL_STENCIL_TEST)",
                            "glEnable(GL_DEPTH_TEST)", "glEnable(GL_SCISSOR_TEST)",
                            "glEnable(GL_POLYGON_OFFSET_FILL)", "glEnable(GL_SAMPLE_ALPHA_TO_COVERAGE)",
                            "glEnable(GL_SAMPLE_COVERAGE)"));
    EXPECT_THAT(t.es2.log({"glDisable"}),
                ElementsAre("glDisable(GL_CULL_FACE)", "glDisable(GL_BLEND)", "glDisable(GL_DITHER)",
                            "glDisable(GL_STENCIL_TEST)", "glDisable(GL_DEPTH_TEST)",
                            "glDisable(GL_SCISSOR_TEST)", "glDisable(GL_POLYGON_OFFSET_FILL)",
                            "glDisable(GL_SAMPLE_ALPHA_TO_COVERAGE)", "glDisable(GL_SAMPLE_COVERAGE)"));
}

TEST(TranslationCapabilities, IsEnabledAnswersForEveryCapabilityAndArray) {
    RecordedTranslation t;
    EXPECT_EQ(glIsEnabled(GL_DITHER), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_MULTISAMPLE), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
    glEnable(GL_BLEND);
    glEnable(GL_LIGHT3);
    glEnable(GL_FOG);
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    glClientActiveTexture(GL_TEXTURE1);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_LIGHT3), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_LIGHT2), GL_FALSE);
    EXPECT_EQ(glIsEnabled(GL_FOG), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_COORD_ARRAY), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_COLOR_ARRAY), GL_TRUE);
    EXPECT_EQ(glIsEnabled(GL_VERTEX_ARRAY), GL_FALSE);
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_COORD_ARRAY), GL_FALSE);
    EXPECT_EQ(glIsEnabled(0x8642), GL_FALSE);
    EXPECT_EQ(glGetError(), GL_INVALID_ENUM);

    // A multisampled surface cannot stop multisampling; one without samples can.
    t.es2.setInteger(GL_SAMPLE_BUFFERS, {1});
    glDisable(GL_MULTISAMPLE);
    EXPECT_EQ(glGetError(), GL_INVALID_ENUM);
    EXPECT_EQ(glIsEnabled(GL_MULTISAMPLE), GL_TRUE);
    t.es2.setInteger(GL_SAMPLE_BUFFERS, {0});
    glDisable(GL_MULTISAMPLE);
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
    EXPECT_EQ(glIsEnabled(GL_MULTISAMPLE), GL_FALSE);
}

TEST(TranslationQueries, StateOfOpenGlEs11IsAnsweredByTheTranslationAndSharedStateByTheLibrary) {
    RecordedTranslation t;
    static const GLshort coordinates[8] = {};
    glClientActiveTexture(GL_TEXTURE1);
    glTexCoordPointer(3, GL_SHORT, 8, coordinates);
    glActiveTexture(GL_TEXTURE1);
    glAlphaFuncx(GL_GEQUAL, kOne / 2);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glShadeModel(GL_FLAT);
    glHint(GL_FOG_HINT, GL_NICEST);
    glColor4x(kOne, 0, kOne / 2, kOne);
    t.es2.setInteger(GL_VIEWPORT, {1, 2, 3, 4});
    t.es2.clearLog();

    EXPECT_EQ(integer(GL_MAX_TEXTURE_UNITS), 2);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE1);
    EXPECT_EQ(integer(GL_CLIENT_ACTIVE_TEXTURE), GL_TEXTURE1);
    EXPECT_EQ(integer(GL_TEXTURE_COORD_ARRAY_SIZE), 3);
    EXPECT_EQ(integer(GL_TEXTURE_COORD_ARRAY_TYPE), GL_SHORT);
    EXPECT_EQ(integer(GL_TEXTURE_COORD_ARRAY_STRIDE), 8);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_SIZE), 4);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_TYPE), GL_FLOAT);
    EXPECT_EQ(integer(GL_ALPHA_TEST_FUNC), GL_GEQUAL);
    EXPECT_EQ(integer(GL_ALPHA_TEST_REF), 1073741824);
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE);
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_FLAT);
    EXPECT_EQ(integer(GL_FOG_HINT), GL_NICEST);
    EXPECT_EQ(integer(GL_PERSPECTIVE_CORRECTION_HINT), GL_DONT_CARE);
    GLint colour[4];
    glGetIntegerv(GL_CURRENT_COLOR, colour);
    EXPECT_THAT(colour, ElementsAre(2147483647, 0, 1073741824, 2147483647));
    // The library's buffers are the translation's: the program has none bound.
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);
    EXPECT_THAT(t.es2.log(), IsEmpty());

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_THAT(viewport, ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(t.es2.log(), ElementsAre("glGetIntegerv(GL_VIEWPORT)"));
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
}

TEST(TranslationQueries, StringsNameTheTranslationAndTheLibraryUnderIt) {
    RecordedTranslation t;
    t.es2.setString(GL_RENDERER, "llvmpipe");
    t.es2.setString(GL_VERSION, "OpenGL ES 3.2 Mesa");
    t.es2.setString(GL_EXTENSIONS, "GL_EXT_blend_minmax GL_EXT_texture_compression_dxt1 GL_OES_texture_npot "
                                   "GL_OES_compressed_ETC1_RGB8_texture");
    const auto text = [](GLenum name) {
        return std::string(reinterpret_cast<const char*>(glGetString(name)));
    };
    EXPECT_EQ(text(GL_VENDOR), "Nymbus");
    EXPECT_EQ(text(GL_RENDERER), "llvmpipe through the OpenGL ES 1.1 translation");
    EXPECT_EQ(text(GL_VERSION), "OpenGL ES-CM 1.1 Nymbus translation on OpenGL ES 3.2 Mesa");
    // Only what holds through the translation: the compressed formats it passes on.
    EXPECT_EQ(text(GL_EXTENSIONS), "GL_EXT_texture_compression_dxt1 GL_OES_compressed_ETC1_RGB8_texture");
    // A string handed out stays valid.
    const GLubyte* version = glGetString(GL_VERSION);
    glGetString(GL_RENDERER);
    EXPECT_STREQ(reinterpret_cast<const char*>(version),
                 "OpenGL ES-CM 1.1 Nymbus translation on OpenGL ES 3.2 Mesa");
}

} // namespace
