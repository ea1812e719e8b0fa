// The system driver's loading of the libraries.
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"

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
