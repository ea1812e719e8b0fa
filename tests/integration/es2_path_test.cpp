// The demo through the OpenGL ES 1.1 translation (--gl=es2), run as a program on Mesa: the race drawn as
// through the OpenGL ES 1.x library, the choice of path and its failures, context loss, anti-aliasing,
// capture, validation's child processes and an X11 window on that path.
#include "runner/png_file.h"
#include "runner/validation/image_difference.h"
#include "tests/support/child_process.h"
#include "tests/support/text_and_folders.h"
#include "tests/support/xvfb_server.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Off-screen unless a test gives the programs a display.
const std::vector<std::string> headless = {"DISPLAY", "WAYLAND_DISPLAY"};

class Es2Path : public ::testing::Test {
protected:
    void SetUp() override { folder_ = freshFolder("nym_es2_path"); }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

runner::PngImage picture(const std::string& file) {
    runner::PngImage image;
    EXPECT_TRUE(runner::readPng(file, image)) << file;
    return image;
}

TEST_F(Es2Path, TheRaceThroughTheTranslationIsTheRaceOfTheOpenGlEs1Library) {
    const int frames[] = {0, 450, 725};
    for (const char* gl : {"es1", "es2"}) {
        std::vector<std::string> arguments = {"--backend=headless", "--screen=320x240", "--fixed-fps=30",
                                              std::string("--gl=") + gl, "-qaf=725"};
        for (int frame : frames) {
            arguments.push_back("--screenshot=" + std::to_string(frame) + ":" +
                                path(gl + std::to_string(frame) + ".png"));
        }
        ChildProcess program(NYM_PROGRAM, arguments, headless);
        ASSERT_EQ(program.waitForExit(300s), 0) << program.output();
    }
    // Closer than any two rasterisers: the same library draws both, with other shaders.
    for (int frame : frames) {
        SCOPED_TRACE(frame);
        const runner::validation::ImageDifference d =
            runner::validation::compareImages(picture(path("es1" + std::to_string(frame) + ".png")),
                                              picture(path("es2" + std::to_string(frame) + ".png")));
        EXPECT_TRUE(d.sameSize);
        EXPECT_GE(d.psnr, 40.0);
        EXPECT_LE(d.shareOff, 0.001);
    }
}

TEST_F(Es2Path, ANamedPathThatCannotStartIsOneLineAndExitCodeOne) {
    ChildProcess es2(NYM_PROGRAM, {"--backend=headless", "--gl=es2", "-qaf=1"},
                     {"DISPLAY", "WAYLAND_DISPLAY", "NYM_GLES2_LIBRARY=/nonexistent/libGLESv2.so.2"});
    EXPECT_EQ(es2.waitForExit(60s), 1);
    EXPECT_EQ(es2.output(),
              "nymbus: --gl=es2: cannot load the OpenGL ES 2.0 library /nonexistent/libGLESv2.so.2 "
              "(named by NYM_GLES2_LIBRARY); on Debian it comes with the packages libgles2 and "
              "libgl1-mesa-dri\n");
    ChildProcess es1(NYM_PROGRAM, {"--backend=headless", "--gl=es1", "--validate"},
                     {"DISPLAY", "WAYLAND_DISPLAY", "NYM_GLES_LIBRARY=/nonexistent/libGLESv1_CM.so.1"});
    EXPECT_EQ(es1.waitForExit(60s), 1);
    EXPECT_EQ(es1.output(),
              "nymbus: --gl=es1: cannot load the OpenGL ES 1.x library /nonexistent/libGLESv1_CM.so.1 "
              "(named by NYM_GLES_LIBRARY); on Debian it comes with the packages libgles1 and "
              "libgl1-mesa-dri\n");
}

TEST_F(Es2Path, WithoutTheOpenGlEs1LibraryTheDemoSaysSoOnceAndDrawsThroughTheTranslation) {
    ChildProcess program(NYM_PROGRAM, {"--backend=headless", "--screen=64x48", "--stats", "-qaf=3"},
                         {"DISPLAY", "WAYLAND_DISPLAY", "NYM_GLES_LIBRARY=/nonexistent/libGLESv1_CM.so.1"});
    ASSERT_EQ(program.waitForExit(60s), 0) << program.output();
    const std::string note =
        "nymbus: no OpenGL ES 1.x (cannot load the OpenGL ES 1.x library "
        "/nonexistent/libGLESv1_CM.so.1 (named by NYM_GLES_LIBRARY); on Debian it comes with "
        "the packages libgles1 and libgl1-mesa-dri): drawing through the OpenGL ES 2.0 "
        "translation (--gl=es2)\n";
    const std::string output = program.output();
    ASSERT_NE(output.find(note), std::string::npos) << output;
    EXPECT_EQ(output.find(note, output.find(note) + 1), std::string::npos);
    EXPECT_NE(program.standardOutput().find("frames presented: 4\n"), std::string::npos);
    EXPECT_NE(program.standardOutput().find("shader variants: "), std::string::npos);
}

TEST_F(Es2Path, ContextLossAntiAliasingAndCaptureWorkThroughTheTranslation) {
    fs::create_directories(path("frames"));
    ChildProcess program(NYM_PROGRAM,
                         {"--backend=headless", "--screen=64x48", "--gl=es2", "--fixed-fps=30",
                          "--lose-context=2", "--capture=" + path("frames/%03d.png"), "--stats", "-qaf=4"},
                         headless);
    ASSERT_EQ(program.waitForExit(60s), 0) << program.output();
    EXPECT_NE(program.standardOutput().find("context losses: 1, recovered: 1\nGL errors: 0\n"),
              std::string::npos)
        << program.standardOutput();
    for (int frame = 0; frame <= 4; ++frame) {
        char name[32];
        std::snprintf(name, sizeof name, "frames/%03d.png", frame);
        const runner::PngImage image = picture(path(name));
        EXPECT_EQ(image.width, 64);
        EXPECT_EQ(image.height, 48);
    }
    // Mesa's llvmpipe leaks a buffer of a multisampled surface on either path: a build with the leak
    // sanitizer is told not to look.
    std::vector<std::string> environment = headless;
    environment.push_back("ASAN_OPTIONS=detect_leaks=0");
    ChildProcess multisampled(NYM_PROGRAM,
                              {"--backend=headless", "--screen=64x48", "--gl=es2", "--fixed-fps=30",
                               "--lose-context=2", "-FSAAMode=2", "--screenshot=4:" + path("fsaa.png"),
                               "--stats", "-qaf=4"},
                              environment);
    ASSERT_EQ(multisampled.waitForExit(60s), 0) << multisampled.output();
    EXPECT_NE(multisampled.standardOutput().find("context losses: 1, recovered: 1\nGL errors: 0\n"),
              std::string::npos)
        << multisampled.standardOutput();
    EXPECT_EQ(picture(path("fsaa.png")).width, 64);
}

TEST_F(Es2Path, ValidationsChildProcessesTakeThePathOfTheRun) {
    fs::create_directories(path("es1"));
    {
        std::ofstream list(path("es1/frames.txt"));
        list << "title 0 320x240\n";
    }
    ChildProcess es1(NYM_PROGRAM, {"--gl=es1", "--write-references=" + path("es1")}, headless);
    ASSERT_EQ(es1.waitForExit(120s), 0) << es1.output();
    // The same frame through the translation passes against the OpenGL ES 1.x library's picture, and is
    // not that picture: the child drew it through the translation.
    ChildProcess es2(NYM_PROGRAM, {"--gl=es2", "--validate=" + path("es1")}, headless);
    ASSERT_EQ(es2.waitForExit(120s), 0) << es2.output() << es2.standardOutput();
    EXPECT_NE(es2.standardOutput().find("pass"), std::string::npos);
    EXPECT_EQ(es2.standardOutput().find("identical"), std::string::npos) << es2.standardOutput();
}

TEST_F(Es2Path, AnX11WindowThroughTheTranslation) {
    if (!XvfbServer::installed()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    XvfbServer server;
    ASSERT_TRUE(server.start());
    ChildProcess program(NYM_PROGRAM,
                         {"--backend=x11", "--gl=es2", "-windowed", "-width=160", "-height=120",
                          "--fixed-fps=30", "--screenshot=5:" + path("x11.png"), "-qaf=5"},
                         {"WAYLAND_DISPLAY"});
    ASSERT_EQ(program.waitForExit(120s), 0) << program.output();
    const runner::PngImage image = picture(path("x11.png"));
    EXPECT_EQ(image.width, 160);
    EXPECT_EQ(image.height, 120);
}

} // namespace
