// The translation's EGL half and its table: OpenGL ES 2.0 configs and contexts, the translation's state
// switched with the current context, and no allocation on the drawing path after the warm-up.
#include "platform/gles/emulation.h"
#include "recorded_translation.h"
#include "tests/support/replaced_allocator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

TEST(TranslationTable, EveryGlEntryIsTheTranslationsAndOnlyConfigsContextsAndCurrencyOfEglAreWrapped) {
    platform::gles::RecordDriver egl;
    platform::gles::es2::RecordEs2 es2;
    const platform::gles::DispatchTable lower = platform::gles::dispatchTable;
    const platform::gles::DispatchTable table = platform::gles::es2::translate(es2.functions(), lower);
    std::vector<std::string> kept;
#define NYM_CHECK_GL(ret, name, params, args)                                                                \
    if (table.name == lower.name || table.name == nullptr) {                                                 \
        kept.push_back(#name);                                                                               \
    }
    NYM_GL_FUNCTIONS(NYM_CHECK_GL)
#undef NYM_CHECK_GL
    EXPECT_THAT(kept, IsEmpty());
    std::vector<std::string> wrapped;
#define NYM_CHECK_EGL(ret, name, params, args)                                                               \
    if (table.name != lower.name) {                                                                          \
        wrapped.push_back(#name);                                                                            \
    }
    NYM_EGL_FUNCTIONS(NYM_CHECK_EGL)
#undef NYM_CHECK_EGL
    EXPECT_THAT(wrapped, ElementsAre("eglChooseConfig", "eglCreateContext", "eglDestroyContext",
                                     "eglGetConfigAttrib", "eglMakeCurrent"));
}

TEST(TranslationEgl, ConfigsAndContextsAreOpenGlEs20OnesAndItsConfigsRenderOpenGlEs1Too) {
    RecordedTranslation t;
    const EGLint wanted[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_ES_BIT, EGL_DEPTH_SIZE, 16, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    ASSERT_TRUE(eglChooseConfig(t.display, wanted, &config, 1, &count));
    EXPECT_EQ(count, 1);
    const EGLint version1[] = {EGL_CONTEXT_CLIENT_VERSION, 1, EGL_NONE};
    const EGLContext context = eglCreateContext(t.display, config, EGL_NO_CONTEXT, version1);
    EXPECT_NE(context, EGL_NO_CONTEXT);
    EXPECT_THAT(
        t.egl.log({"eglChooseConfig", "eglCreateContext"}),
        ElementsAre("eglChooseConfig(display1, [EGL_DEPTH_SIZE 16, EGL_RENDERABLE_TYPE 4, EGL_NONE], 1) -> "
                    "EGL_TRUE [config1]",
                    "eglCreateContext(display1, config1, EGL_NO_CONTEXT, [EGL_CONTEXT_CLIENT_VERSION 2, "
                    "EGL_NONE]) -> context2"));
    EGLint renderable = 0;
    ASSERT_TRUE(eglGetConfigAttrib(t.display, config, EGL_RENDERABLE_TYPE, &renderable));
    EXPECT_EQ(renderable, EGL_OPENGL_ES_BIT | EGL_OPENGL_ES2_BIT);
    eglDestroyContext(t.display, context);
}

TEST(TranslationEgl, WithoutACurrentContextNothingIsDrawnAndADestroyedContextLastsWhileCurrent) {
    RecordedTranslation t;
    const GLfloat positions[3 * 2] = {};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glEnable(GL_BLEND);
    eglDestroyContext(t.display, t.context);
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE); // still current
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_THAT(t.es2.log({"glDrawArrays"}), ElementsAre("glDrawArrays(GL_TRIANGLES, 0, 3)"));
    eglMakeCurrent(t.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    t.es2.clearLog();
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_THAT(t.es2.log({"glDrawArrays", "glCreateProgram", "glBufferSubData"}), IsEmpty());
}

TEST(TranslationEgl, AfterAContextLossTheRecoveredContextDrawsWithTheShareGroupsPrograms) {
    RecordedTranslation t;
    const platform::gles::DispatchTable translated = platform::gles::dispatchTable;
    platform::gles::dispatchTable = platform::gles::emulate(translated);
    const EGLContext first = eglCreateContext(t.display, t.config, EGL_NO_CONTEXT, nullptr);
    eglMakeCurrent(t.display, t.surface, t.surface, first);
    const GLfloat positions[3 * 2] = {};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    platform::gles::injectContextLoss();
    EXPECT_FALSE(eglSwapBuffers(t.display, t.surface));
    EXPECT_EQ(eglGetError(), EGL_CONTEXT_LOST);
    eglDestroyContext(t.display, first);

    t.es2.clearLog();
    const EGLContext second = eglCreateContext(t.display, t.config, EGL_NO_CONTEXT, nullptr);
    eglMakeCurrent(t.display, t.surface, t.surface, second);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_TRUE(eglSwapBuffers(t.display, t.surface));
    EXPECT_THAT(t.es2.log({"glCreateProgram", "glUseProgram", "glDrawArrays"}),
                ElementsAre("glUseProgram(3)", "glDrawArrays(GL_TRIANGLES, 0, 3)"));
    eglMakeCurrent(t.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(t.display, second);
    platform::gles::dispatchTable = translated;
}

int allocations = 0;

bool countAllocation(std::size_t, bool) {
    ++allocations;
    return true;
}

// A frame of the kinds of draw the race makes, and some it does not.
void drawFrame() {
    static const GLfixed quad[4 * 4] = {0, 0,       0, 0, 0x10000, 0,       0, 0,
                                        0, 0x10000, 0, 0, 0x10000, 0x10000, 0, 0};
    static const GLubyte colours[4 * 4] = {};
    static const GLfixed coordinates[4 * 2] = {};
    static const GLushort indices[6] = {0, 1, 2, 2, 1, 3};
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FIXED, 16, quad);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours);
    glMatrixMode(GL_MODELVIEW);
    for (int object = 0; object < 4; ++object) {
        glLoadIdentity();
        glTranslatex(object * 0x10000, 0, 0);
        (object % 2 ? glEnable : glDisable)(GL_TEXTURE_2D);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FIXED, 0, coordinates);
        glAlphaFuncx(GL_GREATER, object * 1000);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, indices);
    }
    glShadeModel(GL_FLAT);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glShadeModel(GL_SMOOTH);
    glDisableClientState(GL_COLOR_ARRAY);
    glColor4x(0x10000, 0, 0, 0x10000);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    glColor4x(0, 0x10000, 0, 0x10000);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}

TEST(TranslationAllocation, DrawsAllocateNothingAfterTheWarmUp) {
    RecordedTranslation t(platform::gles::es2::RecordEs2::Mode::Silent,
                          platform::gles::RecordDriver::Mode::Silent);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    static const GLubyte texels[4 * 4] = {};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glEnable(GL_ALPHA_TEST);
    drawFrame();
    allocations = 0;
    test_allocator::setPolicy(countAllocation);
    for (int frame = 0; frame < 3; ++frame) {
        drawFrame();
    }
    test_allocator::setPolicy(nullptr);
    EXPECT_EQ(allocations, 0);
}

} // namespace
