// EGL_ZEB_power_management, the share group and the config choice on Mesa.
#include "platform/gles/emulation.h"
#include "platform/gles/system_driver.h"
#include "tests/support/offscreen_gl.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>

namespace {

// The attribute list the shell builds for an anti-aliasing request of `samples` (0: none).
std::vector<EGLint> shellAttributes(EGLint samples) {
    std::vector<EGLint> list = {EGL_LEVEL,
                                0,
                                EGL_NATIVE_RENDERABLE,
                                EGL_FALSE,
                                EGL_SURFACE_TYPE,
                                EGL_WINDOW_BIT | EGL_PBUFFER_BIT,
                                EGL_SAMPLE_BUFFERS,
                                samples ? 1 : 0};
    if (samples) {
        list.insert(list.end(), {EGL_SAMPLES, samples});
    }
    list.push_back(EGL_NONE);
    return list;
}

EGLint attribute(EGLDisplay display, EGLConfig config, EGLint name) {
    EGLint value = -1;
    eglGetConfigAttrib(display, config, name, &value);
    return value;
}

TEST(ConfigChoice, TheShellsRequestsFindADepthBufferedConfigWithTheSamplesRoundedUp) {
    const EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    ASSERT_TRUE(eglInitialize(display, nullptr, nullptr));
    for (EGLint samples : {0, 2, 4}) {
        SCOPED_TRACE(testing::Message() << "samples " << samples);
        const std::vector<EGLint> list = shellAttributes(samples);

        // What the library itself answers: nothing (every Mesa config is native-renderable, and a
        // surfaceless display has no window configs).
        EGLConfig config = nullptr;
        EGLint count = -1;
        ASSERT_TRUE(
            platform::gles::systemLibrary().eglChooseConfig(display, list.data(), &config, 1, &count));
        EXPECT_EQ(count, 0);

        count = -1;
        ASSERT_TRUE(eglChooseConfig(display, list.data(), &config, 1, &count));
        ASSERT_EQ(count, 1);
        const EGLint depth = attribute(display, config, EGL_DEPTH_SIZE);
        const EGLint chosenSamples = attribute(display, config, EGL_SAMPLES);
        const EGLint red = attribute(display, config, EGL_RED_SIZE);
        const EGLint green = attribute(display, config, EGL_GREEN_SIZE);
        const EGLint blue = attribute(display, config, EGL_BLUE_SIZE);
        std::cout << "samples " << samples << " -> config " << attribute(display, config, EGL_CONFIG_ID)
                  << ": RGB " << red << green << blue << ", depth " << depth << ", samples " << chosenSamples
                  << "\n";
        EXPECT_GE(depth, 16);
        EXPECT_TRUE((red == 8 && green == 8 && blue == 8) || (red == 5 && green == 6 && blue == 5));
        EXPECT_EQ(chosenSamples, samples == 0 ? 0 : 4); // Mesa offers 0 and 4 samples only
        EXPECT_NE(attribute(display, config, EGL_SURFACE_TYPE) & EGL_PBUFFER_BIT, 0);

        // The count without a config array is the number of matches.
        EXPECT_TRUE(eglChooseConfig(display, list.data(), nullptr, 0, &count));
        EXPECT_GT(count, 1);
    }
}

TEST(PowerManagement, ExtensionIsListed) {
    const EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    ASSERT_TRUE(eglInitialize(display, nullptr, nullptr));
    const std::string extensions = eglQueryString(display, EGL_EXTENSIONS);
    EXPECT_NE((" " + extensions + " ").find(" EGL_ZEB_power_management "), std::string::npos);
}

TEST(PowerManagement, InjectedLossFailsSwapsUntilANewContextAndTexturesSurviveTheRecovery) {
    OffscreenGl gl;
    ASSERT_TRUE(gl.open(2, 1));
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const std::uint8_t texels[] = {10, 200, 30, 255, 250, 40, 60, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    ASSERT_TRUE(eglSwapBuffers(gl.display, gl.surface));

    platform::gles::injectContextLoss();
    EXPECT_FALSE(eglSwapBuffers(gl.display, gl.surface));
    EXPECT_EQ(eglGetError(), EGL_CONTEXT_LOST);
    EXPECT_EQ(eglGetError(), EGL_SUCCESS);
    EXPECT_FALSE(eglSwapBuffers(gl.display, gl.surface)); // still lost: the same context is current
    EXPECT_EQ(eglGetError(), EGL_CONTEXT_LOST);

    // The recovery the shell makes: everything down, terminate, then up again.
    gl.close();
    ASSERT_TRUE(gl.open(2, 1));
    EXPECT_TRUE(eglSwapBuffers(gl.display, gl.surface));
    drawTextureOnQuad(texture, 2, 1);
    EXPECT_EQ(readPixels(2, 1), std::vector<std::uint8_t>(std::begin(texels), std::end(texels)));
    glDeleteTextures(1, &texture);
    gl.close();
}

// Sees the frames and does nothing.
struct IdleObserver final : platform::gles::PresentObserver {
    void beforePresent(int, EGLint, EGLint) override {}
    void afterPresent(int) override {}
    void presentFailed(int) override {}
};

TEST(PowerManagement, LossesRecoveriesAndGlErrorsAreCounted) {
    IdleObserver observer;
    platform::gles::setPresentObserver(&observer);
    OffscreenGl gl;
    ASSERT_TRUE(gl.open(2, 1));
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
    glEnable(0x1234);
    EXPECT_EQ(glGetError(), GL_INVALID_ENUM);
    ASSERT_TRUE(eglSwapBuffers(gl.display, gl.surface));

    // Two losses: one recovered from, one not (yet).
    platform::gles::injectContextLoss();
    EXPECT_FALSE(eglSwapBuffers(gl.display, gl.surface));
    EXPECT_FALSE(eglSwapBuffers(gl.display, gl.surface));
    platform::gles::EmulationCounts counts = platform::gles::emulationCounts();
    EXPECT_EQ(counts.contextLosses, 1);
    EXPECT_EQ(counts.recoveries, 0);
    const EGLContext lost = gl.context;
    ASSERT_TRUE(gl.newContext());
    eglDestroyContext(gl.display, lost);
    EXPECT_TRUE(eglSwapBuffers(gl.display, gl.surface));
    EXPECT_TRUE(eglSwapBuffers(gl.display, gl.surface));
    platform::gles::injectContextLoss();
    EXPECT_FALSE(eglSwapBuffers(gl.display, gl.surface));
    counts = platform::gles::emulationCounts();
    EXPECT_EQ(counts.contextLosses, 2);
    EXPECT_EQ(counts.recoveries, 1);
    EXPECT_EQ(counts.glErrors, 1);

    // They stay when the observer goes, for the report at the end of a run; a new one starts them again.
    platform::gles::setPresentObserver(nullptr);
    EXPECT_EQ(platform::gles::emulationCounts().contextLosses, 2);
    platform::gles::setPresentObserver(&observer);
    counts = platform::gles::emulationCounts();
    EXPECT_EQ(counts.contextLosses + counts.recoveries + counts.glErrors, 0);
    platform::gles::setPresentObserver(nullptr);
    gl.close();
}

} // namespace
