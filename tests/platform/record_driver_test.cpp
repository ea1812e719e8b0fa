#include "platform/gles/record_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>

using namespace platform::gles;
using ::testing::Each;
using ::testing::ElementsAre;

TEST(RecordDriver, LogsGlCallsWithReadableArguments) {
    RecordDriver gl;
    GLuint names[2];
    glGenTextures(2, names);
    glBindTexture(GL_TEXTURE_2D, names[1]);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glAlphaFuncx(GL_GREATER, 32112);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClear(0);
    glDepthMask(GL_FALSE);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glEnable(0x9999);
    EXPECT_THAT(gl.log(),
                ElementsAre("glGenTextures(2) -> [1, 2]", "glBindTexture(GL_TEXTURE_2D, 2)",
                            "glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST)",
                            "glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)",
                            "glAlphaFuncx(GL_GREATER, 32112)", "glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA)",
                            "glClear(GL_COLOR_BUFFER_BIT|GL_DEPTH_BUFFER_BIT)", "glClear(0)",
                            "glDepthMask(GL_FALSE)", "glDrawArrays(GL_TRIANGLE_STRIP, 0, 4)",
                            "glEnable(0x9999)"));
}

TEST(RecordDriver, TextureDataAndIndicesBySizeAndChecksum) {
    RecordDriver gl;
    const std::uint16_t pixels[3 * 2] = {1, 2, 3, 4, 5, 6};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3, 2, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, pixels);
    const unsigned char rgb[6 + 2 + 6] = {}; // two rows of 6 bytes, the first padded to 8
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 1, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb); // rows padded to 8
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    const unsigned char block[8] = {0xff, 0xff, 0, 0, 0x55, 0x55, 0x55, 0x55};
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, GL_COMPRESSED_RGB_NYMTC_4BPP_ZEB, 4, 4, 0, 8, block);
    const GLushort indices[3] = {0, 1, 2};
    glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, indices);

    EXPECT_THAT(
        gl.log({"glTexImage2D", "glCompressedTexImage2D", "glDrawElements"}),
        ElementsAre(
            "glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3, 2, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, " +
                dataText(pixels, 12) + ")",
            "glTexImage2D(GL_TEXTURE_2D, 1, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, " + dataText(rgb, 14) +
                ")",
            "glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, null)",
            "glCompressedTexImage2D(GL_TEXTURE_2D, 0, GL_COMPRESSED_RGB_NYMTC_4BPP_ZEB, 4, 4, 0, 8, " +
                dataText(block, 8) + ")",
            "glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, " + dataText(indices, 6) + ")"));
    EXPECT_EQ(gl.calls().back().pointers, std::vector<const void*>{indices});
    EXPECT_EQ(dataText(block, 8).substr(0, 9), "<8 bytes ");
    EXPECT_NE(dataChecksum(pixels, 12), dataChecksum(pixels, 10));
}

TEST(RecordDriver, ScriptedNamesErrorsAndStrings) {
    RecordDriver gl;
    gl.setTextureNames({7, 3});
    gl.pushGlError(GL_OUT_OF_MEMORY);
    gl.setGlString(GL_EXTENSIONS, "GL_ZEB_texture_compression_nymtc GL_OES_x");
    GLuint names[3];
    glGenTextures(3, names);
    EXPECT_EQ(names[0], 7u);
    EXPECT_EQ(names[1], 3u);
    EXPECT_EQ(names[2], 8u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_OUT_OF_MEMORY));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_STREQ(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)),
                 "GL_ZEB_texture_compression_nymtc GL_OES_x");
    EXPECT_THAT(gl.log({"glGetError", "glGetString"}),
                ElementsAre("glGetError() -> GL_OUT_OF_MEMORY", "glGetError() -> GL_NO_ERROR",
                            "glGetString(GL_EXTENSIONS) -> \"GL_ZEB_texture_compression_nymtc GL_OES_x\""));
}

TEST(RecordDriver, NameListsAnswersAndTheirPointers) {
    RecordDriver gl;
    gl.setInteger(GL_VIEWPORT, {0, 0, 240, 320});
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLint units = -1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    const GLuint names[2] = {7, 3};
    glDeleteTextures(2, names);
    glDeleteTextures(1, nullptr);
    EXPECT_EQ(glIsEnabled(GL_FOG), GL_FALSE);
    EXPECT_THAT(viewport, ElementsAre(0, 0, 240, 320));
    EXPECT_EQ(units, 0);
    EXPECT_THAT(gl.log(),
                ElementsAre("glGetIntegerv(GL_VIEWPORT) -> [0, 0, 240, 320]",
                            "glGetIntegerv(GL_MAX_TEXTURE_UNITS) -> [0]", "glDeleteTextures(2, [7, 3])",
                            "glDeleteTextures(1, null)", "glIsEnabled(GL_FOG) -> GL_FALSE"));
    EXPECT_EQ(gl.calls()[0].pointers, std::vector<const void*>{viewport});
    EXPECT_EQ(gl.calls()[2].pointers, std::vector<const void*>{names});
    EXPECT_TRUE(gl.calls()[4].pointers.empty());
}

TEST(RecordDriver, EglSequenceWithScriptedConfigsSurfacesAndFailures) {
    RecordDriver gl;
    gl.setEglString(EGL_EXTENSIONS, "EGL_ZEB_power_management");
    gl.setSurfaceSize(240, 320);
    gl.setConfigs({{{EGL_DEPTH_SIZE, 0}, {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT}},
                   {{EGL_DEPTH_SIZE, 24},
                    {EGL_SURFACE_TYPE, EGL_WINDOW_BIT | EGL_PBUFFER_BIT},
                    {EGL_SAMPLES, 4},
                    {EGL_SAMPLE_BUFFERS, 1}}});
    int nativeWindow = 0;
    const EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    EGLint major = 0, minor = 0;
    EXPECT_TRUE(eglInitialize(display, &major, &minor));
    EXPECT_STREQ(eglQueryString(display, EGL_EXTENSIONS), "EGL_ZEB_power_management");
    const EGLint attributes[] = {EGL_LEVEL, 0, EGL_SURFACE_TYPE, 5, EGL_SAMPLES, 2, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    EXPECT_TRUE(eglChooseConfig(display, attributes, &config, 1, &count));
    EXPECT_EQ(count, 1);
    const EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    const EGLSurface surface = eglCreateWindowSurface(display, config, &nativeWindow, nullptr);
    EXPECT_TRUE(eglMakeCurrent(display, surface, surface, context));
    EGLint width = 0;
    EXPECT_TRUE(eglQuerySurface(display, surface, EGL_WIDTH, &width));
    EXPECT_EQ(width, 240);
    gl.failNext("eglSwapBuffers", EGL_CONTEXT_LOST);
    EXPECT_FALSE(eglSwapBuffers(display, surface));
    EXPECT_EQ(eglGetError(), EGL_CONTEXT_LOST);
    EXPECT_TRUE(eglSwapBuffers(display, surface));
    EXPECT_EQ(eglGetError(), EGL_SUCCESS);

    EXPECT_THAT(
        gl.log(),
        ElementsAre(
            "eglGetDisplay(EGL_DEFAULT_DISPLAY) -> display1", "eglInitialize(display1) -> EGL_TRUE 1.0",
            "eglQueryString(display1, EGL_EXTENSIONS) -> \"EGL_ZEB_power_management\"",
            "eglChooseConfig(display1, [EGL_LEVEL 0, EGL_SURFACE_TYPE 5, EGL_SAMPLES 2, EGL_NONE], 1) "
            "-> EGL_TRUE [config2]",
            "eglCreateContext(display1, config2, EGL_NO_CONTEXT, null) -> context1",
            "eglCreateWindowSurface(display1, config2, ptr, null) -> surface1",
            "eglMakeCurrent(display1, surface1, surface1, context1) -> EGL_TRUE",
            "eglQuerySurface(display1, surface1, EGL_WIDTH) -> EGL_TRUE 240",
            "eglSwapBuffers(display1, surface1) -> EGL_FALSE", "eglGetError() -> EGL_CONTEXT_LOST",
            "eglSwapBuffers(display1, surface1) -> EGL_TRUE", "eglGetError() -> EGL_SUCCESS"));
    EXPECT_EQ(gl.calls()[5].pointers[0], &nativeWindow);
}

TEST(RecordDriver, ChooseConfigDefaultsToWindowSurfacesAndExactLevel) {
    RecordDriver gl;
    gl.setConfigs({{{EGL_SURFACE_TYPE, EGL_PBUFFER_BIT}},
                   {{EGL_SURFACE_TYPE, EGL_WINDOW_BIT}, {EGL_LEVEL, 1}},
                   {{EGL_SURFACE_TYPE, EGL_WINDOW_BIT}}});
    const EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    EGLConfig configs[3] = {};
    EGLint count = 0;
    const EGLint levelZero[] = {EGL_LEVEL, 0, EGL_NONE};
    EXPECT_TRUE(eglChooseConfig(display, levelZero, configs, 3, &count));
    ASSERT_EQ(count, 1);
    EXPECT_EQ(gl.log().back(), "eglChooseConfig(display1, [EGL_LEVEL 0, EGL_NONE], 3) -> EGL_TRUE [config3]");
    EXPECT_TRUE(eglChooseConfig(display, nullptr, nullptr, 0, &count));
    EXPECT_EQ(count, 2);
}

TEST(RecordDriver, SilentModeLogsNothingAndRestoresThePreviousTable) {
    {
        RecordDriver outer;
        {
            RecordDriver silent(RecordDriver::Mode::Silent);
            GLuint name = 0;
            glGenTextures(1, &name);
            EXPECT_EQ(name, 1u);
            glEnable(GL_BLEND);
            EXPECT_TRUE(silent.calls().empty());
        }
        EXPECT_TRUE(outer.calls().empty());
        glDisable(GL_BLEND);
        EXPECT_THAT(outer.log(), ElementsAre("glDisable(GL_BLEND)"));
    }
}

TEST(RecordDriver, SilentModeStillAnswersAsScripted) {
    RecordDriver gl(RecordDriver::Mode::Silent);
    gl.setInteger(GL_MAX_TEXTURE_SIZE, {512});
    gl.pushGlError(GL_INVALID_ENUM);
    gl.setGlString(GL_RENDERER, "quiet");
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    EXPECT_EQ(size, 512);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_STREQ(reinterpret_cast<const char*>(glGetString(GL_RENDERER)), "quiet");
    unsigned char pixel[4] = {9, 9, 9, 9};
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_THAT(pixel, Each(0));
    EXPECT_TRUE(gl.calls().empty());
}
