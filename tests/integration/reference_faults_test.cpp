// Faults planted in the drawing of a reference frame (a sky box face missing, one texture swapped, the
// camera moved by one unit) and in the picture itself (shifted by one pixel) fail the validation
// thresholds; the same frame drawn without a fault passes them. Each frame is drawn by a child process
// (the race keeps process-wide state from its first frame on), on the system's GL.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "engine/render.h"
#include "platform/gles/dispatch.h"
#include "platform/gles/system_driver.h"
#include "race/app_class.h"
#include "runner/png_file.h"
#include "runner/run_program.h"
#include "runner/validation/image_difference.h"
#include "shell/shell_main.h"

namespace {

namespace fs = std::filesystem;
using platform::gles::dispatchTable;
using runner::PngImage;
using runner::validation::compareImages;
using runner::validation::ImageDifference;

// The committed reference of the race's first frame at 320 x 240.
const fs::path kReference = fs::path(NYM_SOURCE_DIR) / "tests/references/title-and-logo.png";

platform::gles::DispatchTable inner;
GLuint boundTexture = 0;
GLuint missingTexture = 0; // draws with this texture bound are left out
GLuint swapFrom = 0;       // binding this texture binds swapTo instead
GLuint swapTo = 0;
bool moveCamera = false;
FixedMatrix movedView{};

void trackBindTexture(GLenum target, GLuint texture) {
    boundTexture = texture;
    inner.glBindTexture(target, texture != 0 && texture == swapFrom ? swapTo : texture);
}

void skipDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    if (missingTexture == 0 || boundTexture != missingTexture) {
        inner.glDrawElements(mode, count, type, indices);
    }
}

void skipDrawArrays(GLenum mode, GLint first, GLsizei count) {
    if (missingTexture == 0 || boundTexture != missingTexture) {
        inner.glDrawArrays(mode, first, count);
    }
}

// The race loads the projection (and the viewport) before it hands the frame's camera to the renderer
// and again before it draws the sky: the second time the camera of the frame is in place and is moved
// one unit along the world's x axis.
void moveCameraAtViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    inner.glViewport(x, y, width, height);
    NymRender* render = NymRender::instance();
    if (!moveCamera || render == nullptr) {
        return;
    }
    FixedMatrix view;
    render->getViewMatrix(view, 1);
    if (std::memcmp(&view, &movedView, sizeof view) != 0) {
        view[12] += FixedOne;
        render->SetCamMatrix(view);
        movedView = view;
    }
}

struct Fault {
    std::string name;
    // Sets the fault up once the world exists (called at each texture binding until it returns true).
    std::function<bool(const RaceTrack&)> plant;
    bool camera = false;
};

GLuint skyFace(const RaceTrack& world, int face) {
    const NymTexture* texture = world.skybox ? world.skybox->faces[face] : nullptr;
    return texture ? texture->texname : 0;
}

const Fault* activeFault = nullptr;
bool planted = false;

void bindAndPlant(GLenum target, GLuint texture) {
    if (!planted && activeFault && activeFault->plant && appClass) {
        planted = activeFault->plant(*appClass);
    }
    trackBindTexture(target, texture);
}

// What a child drew: its exit code (kNotPlanted when the fault had nothing to act on) and the picture.
constexpr int kNotPlanted = 3;
struct Drawn {
    int exitCode = -1;
    PngImage picture;
};

// Draws frame 0 at 320 x 240 with the fault (none: null) in a child process.
Drawn drawFrame(const Fault* fault, const fs::path& file) {
    std::fflush(nullptr);
    fs::remove(file);
    const pid_t child = fork();
    if (child == 0) {
        platform::gles::installSystemDriver();
        inner = dispatchTable;
        activeFault = fault;
        moveCamera = fault && fault->camera;
        dispatchTable.glBindTexture = bindAndPlant;
        dispatchTable.glDrawElements = skipDrawElements;
        dispatchTable.glDrawArrays = skipDrawArrays;
        dispatchTable.glViewport = moveCameraAtViewport;
        const std::string shot = "--screenshot=0:" + file.string();
        const std::string log = "--log=" + file.string() + ".log";
        const char* argv[] = {"nymbus",         "--backend=headless", "--screen=320x240",
                              "--fixed-fps=30", shot.c_str(),         log.c_str(),
                              "-qaf=0"};
        const int code = runner::runProgram(static_cast<int>(std::size(argv)), argv, ShellMain);
        std::fflush(nullptr);
        _exit(code != 0 ? code : (fault && fault->plant && !planted) ? kNotPlanted : 0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    Drawn drawn;
    drawn.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    if (drawn.exitCode == 0) {
        EXPECT_TRUE(runner::readPng(file.string(), drawn.picture)) << file;
    }
    return drawn;
}

std::string describe(const std::string& name, const ImageDifference& d) {
    char text[160];
    std::snprintf(text, sizeof text, "%-26s PSNR %6.2f dB, largest %3d, off>16 %6.2f %%", name.c_str(),
                  d.psnr, d.largest, 100 * d.shareOff);
    return text;
}

class ReferenceFaults : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("nym_reference_faults_" + std::to_string(getpid()));
        fs::create_directories(dir_);
        ASSERT_TRUE(runner::readPng(kReference.string(), reference_)) << kReference;
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    PngImage reference_;
};

TEST_F(ReferenceFaults, TheFrameDrawnWithoutAFaultPasses) {
    const Drawn drawn = drawFrame(nullptr, dir_ / "clean.png");
    ASSERT_EQ(drawn.exitCode, 0);
    const ImageDifference d = compareImages(reference_, drawn.picture);
    std::printf("%s\n", describe("no fault", d).c_str());
    EXPECT_TRUE(runner::validation::withinThresholds(d));
}

TEST_F(ReferenceFaults, AMissingSkyFaceASwappedTextureAndAMovedCameraFail) {
    std::vector<Fault> faults;
    for (int face = 0; face < 6; ++face) {
        faults.push_back({"sky face " + std::to_string(face) + " missing", [face](const RaceTrack& world) {
                              missingTexture = skyFace(world, face);
                              return missingTexture != 0;
                          }});
    }
    faults.push_back({"road and town textures swapped", [](const RaceTrack& world) {
                          swapFrom = world.sceneryTextures[0].texname;
                          swapTo = world.sceneryTextures[1].texname;
                          return swapFrom != 0 && swapTo != 0;
                      }});
    faults.push_back({"camera moved by one unit", nullptr, true});

    int visibleSkyFaces = 0;
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        const Drawn drawn = drawFrame(&fault, dir_ / "fault.png");
        const bool skyFace = fault.name.starts_with("sky face");
        if (skyFace && drawn.exitCode == kNotPlanted) {
            continue; // the sky has no such face
        }
        ASSERT_EQ(drawn.exitCode, 0);
        const ImageDifference d = compareImages(reference_, drawn.picture);
        std::printf("%s\n", describe(fault.name, d).c_str());
        if (skyFace && d.largest == 0) {
            continue; // a face this camera does not see
        }
        visibleSkyFaces += skyFace ? 1 : 0;
        EXPECT_FALSE(runner::validation::withinThresholds(d));
    }
    EXPECT_GE(visibleSkyFaces, 1);
}

// Every reference picture, shifted by one pixel to the right or down (the edge row or column repeated).
TEST(ReferencePictures, AreNoLongerMatchedWhenShiftedByOnePixel) {
    int pictures = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kReference.parent_path())) {
        PngImage reference;
        if (entry.path().extension() != ".png" || !runner::readPng(entry.path().string(), reference)) {
            continue;
        }
        ++pictures;
        for (const auto& [dx, dy] : {std::pair(1, 0), std::pair(0, 1)}) {
            PngImage shifted = reference;
            for (int y = 0; y < reference.height; ++y) {
                for (int x = 0; x < reference.width; ++x) {
                    const std::size_t from =
                        static_cast<std::size_t>(std::max(0, y - dy) * reference.width + std::max(0, x - dx));
                    const std::size_t to = static_cast<std::size_t>(y * reference.width + x);
                    std::memcpy(&shifted.rgba[to * 4], &reference.rgba[from * 4], 4);
                }
            }
            const ImageDifference d = compareImages(reference, shifted);
            const std::string name = entry.path().stem().string() + (dx ? " right" : " down");
            std::printf("%s\n", describe(name, d).c_str());
            EXPECT_FALSE(runner::validation::withinThresholds(d)) << name;
        }
    }
    EXPECT_GE(pictures, 10);
}

} // namespace
