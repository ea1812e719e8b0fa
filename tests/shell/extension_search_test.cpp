#include "shell/extension_search.h"

#include "platform/gles/record_driver.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtensionSearch, MatchesWholeWordsOnly) {
    const char* list = "GL_OES_foo_bar GL_ZEB_x GL_OES_foo GL_last";
    EXPECT_TRUE(ExtensionListed(list, "GL_OES_foo_bar"));
    EXPECT_TRUE(ExtensionListed(list, "GL_ZEB_x"));
    EXPECT_TRUE(ExtensionListed(list, "GL_last"));
    // Listed twice, the first time as the head of a longer name.
    EXPECT_TRUE(ExtensionListed(list, "GL_OES_foo"));
    // Only the head or the tail of a longer name.
    EXPECT_FALSE(ExtensionListed(list, "GL_OES"));
    EXPECT_FALSE(ExtensionListed(list, "foo_bar"));
    EXPECT_FALSE(ExtensionListed(list, "_x"));
    EXPECT_FALSE(ExtensionListed(list, "GL_las"));
    // Empty names and names with blanks are never present, even when the text occurs.
    EXPECT_FALSE(ExtensionListed(list, ""));
    EXPECT_FALSE(ExtensionListed(list, "GL_ZEB_x GL_OES_foo"));
    EXPECT_FALSE(ExtensionListed("", "GL_x"));
    EXPECT_FALSE(ExtensionListed(nullptr, "GL_x"));
    // A search that resumes inside a word does not take the resume point for a word start.
    EXPECT_FALSE(ExtensionListed("AAA", "AA"));
    EXPECT_FALSE(ExtensionListed("GL_AGL_A", "GL_A"));
    EXPECT_TRUE(ExtensionListed("GL_AGL_A GL_A", "GL_A"));
    EXPECT_TRUE(ExtensionListed("  GL_A  ", "GL_A"));
}

TEST(ExtensionSearch, ReadsTheDriversStrings) {
    platform::gles::RecordDriver driver;
    driver.setGlString(GL_EXTENSIONS, "GL_OES_x GL_ZEB_texture_compression_nymtc");
    driver.setEglString(EGL_EXTENSIONS, "EGL_ZEB_power_management_v2");
    EXPECT_TRUE(HasGLExtension("GL_ZEB_texture_compression_nymtc"));
    EXPECT_FALSE(HasGLExtension("GL_ZEB"));
    const EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    EXPECT_FALSE(HasEGLExtension(display, "EGL_ZEB_power_management"));
    EXPECT_TRUE(HasEGLExtension(display, "EGL_ZEB_power_management_v2"));
}

} // namespace
