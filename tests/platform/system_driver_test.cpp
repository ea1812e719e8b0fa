// The system driver's loading of the libraries and the choice of its path.
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"
#include "platform/gles/system_driver.h"
#include "tests/support/environment_variable.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(SystemDriverDeathTest, MissingGlesLibraryNamesItAndItsPackagesThenExitsWithOne) {
    EXPECT_EXIT(
        {
            setenv("NYM_GLES_LIBRARY", "/nonexistent/libGLESv1_CM.so.1", 1);
            glGetError();
        },
        ::testing::ExitedWithCode(1),
        "^nymbus: cannot load the OpenGL ES 1.x library /nonexistent/libGLESv1_CM.so.1 \\(named by "
        "NYM_GLES_LIBRARY\\); on Debian it comes with the packages libgles1 and libgl1-mesa-dri\n$");
}

TEST(SystemDriverDeathTest, MissingEglLibraryNamesItAndItsPackagesThenExitsWithOne) {
    EXPECT_EXIT(
        {
            setenv("NYM_EGL_LIBRARY", "/nonexistent/libEGL.so.1", 1);
            eglGetError();
        },
        ::testing::ExitedWithCode(1),
        "^nymbus: cannot load the EGL library /nonexistent/libEGL.so.1 .*libegl1");
}

TEST(SystemDriverDeathTest, MissingGles2LibraryOnTheEs2PathNamesItAndItsPackagesThenExitsWithOne) {
    EXPECT_EXIT(
        {
            setenv("NYM_GLES2_LIBRARY", "/nonexistent/libGLESv2.so.2", 1);
            platform::gles::setGlPath(platform::gles::GlPath::Es2);
            glGetError();
        },
        ::testing::ExitedWithCode(1),
        "^nymbus: cannot load the OpenGL ES 2.0 library /nonexistent/libGLESv2.so.2 \\(named by "
        "NYM_GLES2_LIBRARY\\); on Debian it comes with the packages libgles2 and libgl1-mesa-dri\n$");
}

// The choice of path tries the libraries (and EGL on Mesa's surfaceless display) without installing
// anything.
TEST(GlPathChoice, TheDefaultIsEs1WhenItStartsElseEs2WithANoteAndANamedPathThatCannotStartIsAnError) {
    const std::optional<std::string> es1Library = environmentVariable("NYM_GLES_LIBRARY");
    const std::optional<std::string> es2Library = environmentVariable("NYM_GLES2_LIBRARY");
    using platform::gles::GlPath;
    std::string note;
    std::string error;
    EXPECT_EQ(platform::gles::glPathProblem(GlPath::Es1), "");
    EXPECT_EQ(platform::gles::glPathProblem(GlPath::Es2), "");
    EXPECT_TRUE(platform::gles::chooseGlPath(std::nullopt, note, error));
    EXPECT_EQ(platform::gles::glPath(), GlPath::Es1);
    EXPECT_EQ(note, "");

    setenv("NYM_GLES_LIBRARY", "/nonexistent/libGLESv1_CM.so.1", 1);
    EXPECT_TRUE(platform::gles::chooseGlPath(std::nullopt, note, error));
    EXPECT_EQ(platform::gles::glPath(), GlPath::Es2);
    EXPECT_EQ(note, "no OpenGL ES 1.x (cannot load the OpenGL ES 1.x library /nonexistent/libGLESv1_CM.so.1 "
                    "(named by NYM_GLES_LIBRARY); on Debian it comes with the packages libgles1 and "
                    "libgl1-mesa-dri): drawing through the OpenGL ES 2.0 translation (--gl=es2)");
    EXPECT_FALSE(platform::gles::chooseGlPath(GlPath::Es1, note, error));
    EXPECT_EQ(error,
              "--gl=es1: cannot load the OpenGL ES 1.x library /nonexistent/libGLESv1_CM.so.1 (named by "
              "NYM_GLES_LIBRARY); on Debian it comes with the packages libgles1 and libgl1-mesa-dri");

    setenv("NYM_GLES2_LIBRARY", "/nonexistent/libGLESv2.so.2", 1);
    EXPECT_FALSE(platform::gles::chooseGlPath(std::nullopt, note, error));
    EXPECT_EQ(error.find("no OpenGL ES to draw with: cannot load the OpenGL ES 1.x library"), 0u) << error;
    EXPECT_NE(error.find("; and cannot load the OpenGL ES 2.0 library"), std::string::npos) << error;

    restoreEnvironmentVariable("NYM_GLES_LIBRARY", es1Library);
    restoreEnvironmentVariable("NYM_GLES2_LIBRARY", es2Library);
    platform::gles::setGlPath(GlPath::Es1);
}
