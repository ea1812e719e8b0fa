// Outputs that cannot be written: a missing folder, a full device, a full disk. Each failure is said
// once with its reason, stops the run and makes the exit code 1; files are left whole.
#include "runner/capture/png_sequence_sink.h"
#include "runner/png_file.h"
#include "tests/runner/mini_shell.h"
#include "tests/support/program_messages.h"
#include "tests/support/small_tmpfs.h"
#include "tests/support/text_and_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace platformtest;

// Standard output sent to a file, or to a pipe that nobody reads (null), while it exists.
class StandardOutputTo {
public:
    explicit StandardOutputTo(const char* path) {
        std::fflush(stdout);
        saved_ = ::dup(STDOUT_FILENO);
        int fd = -1;
        if (path) {
            fd = ::open(path, O_WRONLY);
        } else {
            int ends[2];
            EXPECT_EQ(::pipe(ends), 0);
            ::close(ends[0]);
            fd = ends[1];
        }
        ::dup2(fd, STDOUT_FILENO);
        ::close(fd);
    }
    ~StandardOutputTo() {
        std::fflush(stdout);
        std::clearerr(stdout);
        ::dup2(saved_, STDOUT_FILENO);
        ::close(saved_);
    }
    StandardOutputTo(const StandardOutputTo&) = delete;
    StandardOutputTo& operator=(const StandardOutputTo&) = delete;

private:
    int saved_ = -1;
};

struct Outcome {
    int exitCode = 0;
    std::string err;
};

Outcome runMiniShell(int count, std::vector<const char*> options) {
    frames = count;
    ticksAfterFrames.clear();
    // 30 frames a second unless the case gives its own rate (an option given twice is refused).
    if (std::none_of(options.begin(), options.end(),
                     [](std::string_view o) { return o.starts_with("--fixed-fps="); })) {
        options.insert(options.begin(), "--fixed-fps=30");
    }
    options.insert(options.begin(), "--backend=headless");
    testing::internal::CaptureStderr();
    Outcome outcome;
    outcome.exitCode = run(options, miniShell);
    outcome.err = programMessages(testing::internal::GetCapturedStderr());
    return outcome;
}

TEST(OutputFailure, AFolderThatDoesNotExistIsReportedOnceAndStopsTheRun) {
    struct Case {
        const char* option;
        const char* message;
    };
    for (const Case c : {
             Case{"--capture=/nonexistent/a.y4m",
                  "nymbus: capture: cannot create /nonexistent/a.y4m: No such file or directory\n"},
             Case{"--capture=/nonexistent/%d.png",
                  "nymbus: capture: cannot create /nonexistent/0.png: No such file or directory\n"},
             Case{"--screenshot=2:/nonexistent/a.png",
                  "nymbus: screenshot: cannot create /nonexistent/a.png: No such file or directory\n"},
             Case{"--frame-digest=/nonexistent/d.txt",
                  "nymbus: frame digest: cannot create /nonexistent/d.txt: No such file or directory\n"},
         }) {
        SCOPED_TRACE(c.option);
        const Outcome run = runMiniShell(100, {"--screen=16x16", c.option});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.message);
        EXPECT_LT(ticksAfterFrames.size(), 10u);
    }
    const Outcome run = runMiniShell(100, {"--log=/nonexistent/x.log"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "nymbus: log: cannot create /nonexistent/x.log: No such file or directory\n");
    EXPECT_TRUE(ticksAfterFrames.empty());
}

TEST(OutputFailure, AFullDeviceOrAClosedPipeOnStandardOutputOrUnderTheLogIsAnError) {
    for (const char* screen : {"--screen=1x1", "--screen=64x48"}) {
        SCOPED_TRACE(screen);
        StandardOutputTo full("/dev/full");
        const Outcome run = runMiniShell(20, {screen, "--capture=-"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "nymbus: capture: cannot write standard output: No space left on device\n");
    }
    {
        // The reader of the video has gone: a failed write like the others, not the end of the process.
        StandardOutputTo closed(nullptr);
        const Outcome run = runMiniShell(20, {"--screen=8x8", "--capture=-"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "nymbus: capture: cannot write standard output: Broken pipe\n");
    }
    {
        StandardOutputTo full("/dev/full");
        const Outcome run = runMiniShell(20, {"--screen=8x8", "--frame-digest=-"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "nymbus: frame digest: cannot write standard output: No space left on device\n");
        EXPECT_EQ(ticksAfterFrames.size(), 1u);
    }
    {
        StandardOutputTo full("/dev/full");
        const Outcome run = runMiniShell(3, {"--screen=8x8", "--stats"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("nymbus: cannot write standard output: No space left on device\n"),
                  std::string::npos)
            << run.err;
    }
    for (const char* asked : {"--help", "--version"}) {
        SCOPED_TRACE(asked);
        StandardOutputTo full("/dev/full");
        const Outcome run = runMiniShell(3, {asked});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "nymbus: cannot write standard output: No space left on device\n");
    }
    // The failure is said once; what the log could not take goes to standard error.
    frames = 3;
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--backend=headless", "--screen=8x8", "--log=/dev/full"}, miniShell), 1);
    EXPECT_TRUE(testing::internal::GetCapturedStderr().ends_with(
        "nymbus: log: cannot write /dev/full: No space left on device\nmini shell done: \xC3\xA9\n"));
}

TEST(OutputFailure, AFullDiskLeavesAY4mOfWholeFrames) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.error().empty()) {
        GTEST_SKIP() << disk.error();
    }
    const std::string video = disk.path() + "/race.y4m";
    const std::string option = "--capture=" + video;
    const Outcome run = runMiniShell(200, {"--screen=64x48", option.c_str()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "nymbus: capture: cannot write " + video + ": No space left on device\n");
    EXPECT_LT(ticksAfterFrames.size(), 30u);

    const std::string header = "YUV4MPEG2 W64 H48 F30:1 Ip A1:1 C420jpeg XCOLORRANGE=FULL\n";
    const std::size_t frameBytes = 6 + 64 * 48 + 2 * 32 * 24;
    const std::string data = fileText(video);
    ASSERT_GT(data.size(), header.size());
    EXPECT_EQ((data.size() - header.size()) % frameBytes, 0u) << data.size();
    const std::size_t whole = (data.size() - header.size()) / frameBytes;
    EXPECT_GE(whole, 10u); // 64 KiB hold 14 frames
    for (std::size_t i = 0; i < whole; ++i) {
        EXPECT_EQ(data.substr(header.size() + i * frameBytes, 6), "FRAME\n") << "frame " << i;
    }
}

TEST(OutputFailure, AFullDiskLeavesWholePngFilesWithoutGaps) {
    SmallTmpfs disk(48 * 1024);
    if (!disk.error().empty()) {
        GTEST_SKIP() << disk.error();
    }
    const std::string option = "--capture=" + disk.path() + "/f%03d.png";
    const Outcome run = runMiniShell(200, {"--screen=64x48", option.c_str()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.starts_with("nymbus: capture: cannot write " + disk.path() + "/f0")) << run.err;
    EXPECT_TRUE(run.err.ends_with(".png: No space left on device\n")) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;

    const std::vector<std::string> names = namesIn(disk.path());
    ASSERT_GE(names.size(), 5u);
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i], runner::PngSequenceSink::numberedPath("f%03d.png", static_cast<int>(i)));
        runner::PngImage image;
        EXPECT_TRUE(runner::readPng(disk.path() + "/" + names[i], image)) << names[i];
    }
}

TEST(OutputFailure, AScreenshotOfAFrameNeverPresentedIsReported) {
    const fs::path taken = scratch("taken.png");
    const fs::path missed = scratch("missed.png");
    fs::remove(missed);
    const std::string takenOption = "--screenshot=4:" + taken.string();
    const std::string missedOption = "--screenshot=50:" + missed.string();
    const Outcome run = runMiniShell(5, {"--screen=8x8", takenOption.c_str(), missedOption.c_str()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "nymbus: screenshot: frame 50 was never presented (the last was frame 4): " +
                           missed.string() + " not written\n");
    EXPECT_TRUE(fs::exists(taken));
    EXPECT_FALSE(fs::exists(missed));
}

TEST(FrameNumbers, AFrameLostWithTheContextGivesItsNumberToTheNext) {
    const fs::path dir = scratch("lost");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string capture = "--capture=" + (dir / "%d.png").string();
    const std::string shot = "--screenshot=3:" + (dir / "shot.png").string();
    recovers = true;
    const Outcome run = runMiniShell(
        7, {"--screen=8x8", "--fixed-fps=10", "--lose-context=2,4", capture.c_str(), shot.c_str()});
    recovers = false;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(swapResults, (std::vector<EGLint>{EGL_SUCCESS, EGL_SUCCESS, EGL_CONTEXT_LOST, EGL_SUCCESS,
                                                EGL_SUCCESS, EGL_CONTEXT_LOST, EGL_SUCCESS}));
    // Lost frames do not move the virtual clock.
    EXPECT_EQ(ticksAfterFrames, (std::vector<std::uint32_t>{100, 200, 200, 300, 400, 400, 500}));
    EXPECT_EQ(namesIn(dir),
              (std::vector<std::string>{"0.png", "1.png", "2.png", "3.png", "4.png", "shot.png"}));
}

TEST(FrameNumbers, AWidePatternNumbersEveryFrameApart) {
    const fs::path dir = scratch("wide");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string capture = "--capture=" + (dir / "a%032d.png").string();
    const Outcome run = runMiniShell(12, {"--screen=4x4", capture.c_str()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 12);
    EXPECT_TRUE(fs::exists(dir / ("a" + std::string(30, '0') + "11.png")));
}

// Outputs are written under names of their own: files of the user's that a run might have taken for its
// own (NAME.tmp, a link there) stay as they are, and the longest names a file can have are written.
TEST(OutputFiles, AUsersFilesAreNeverTouchedAndTheLongestNamesAreWritten) {
    const fs::path dir = scratch("names");
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "shot.png.tmp") << "mine";
    std::ofstream(dir / "victim.txt") << "victim";
    fs::create_symlink("victim.txt", dir / "f0.png.tmp");
    const std::string longShot = std::string(251, 's') + ".png";
    const std::string longTimes = std::string(251, 't') + ".csv";
    const std::string longFrames = std::string(241, 'f') + "%010d.png"; // names of 255 bytes
    const std::string shotOption = "--screenshot=0:" + (dir / "shot.png").string();
    const std::string longShotOption = "--screenshot=1:" + (dir / longShot).string();
    const std::string timesOption = "--frame-times=" + (dir / longTimes).string();
    const std::string framesOption = "--capture=" + (dir / longFrames).string();
    const Outcome longNames = runMiniShell(3, {"--screen=8x8", shotOption.c_str(), longShotOption.c_str(),
                                               timesOption.c_str(), framesOption.c_str()});
    EXPECT_EQ(longNames.exitCode, 0);
    EXPECT_EQ(longNames.err, "");
    const std::string trap = "--capture=" + (dir / "f%d.png").string();
    const Outcome linked = runMiniShell(2, {"--screen=8x8", trap.c_str()});
    EXPECT_EQ(linked.exitCode, 0);
    EXPECT_EQ(linked.err, "");

    EXPECT_EQ(fileText(dir / "shot.png.tmp"), "mine");
    EXPECT_EQ(fileText(dir / "victim.txt"), "victim");
    EXPECT_TRUE(fs::is_symlink(dir / "f0.png.tmp"));
    EXPECT_FALSE(fs::is_symlink(dir / "f0.png"));
    const std::vector<std::string> names = namesIn(dir);
    for (const std::string& name : names) {
        const fs::path file = dir / name;
        if (file.extension() == ".png" && !fs::is_symlink(file)) {
            runner::PngImage image;
            EXPECT_TRUE(runner::readPng(file.string(), image)) << name;
        }
    }
    const std::string frame = std::string(241, 'f') + "000000000";
    EXPECT_EQ(names, (std::vector<std::string>{"f0.png", "f0.png.tmp", "f1.png", frame + "0.png",
                                               frame + "1.png", frame + "2.png", "shot.png", "shot.png.tmp",
                                               longShot, longTimes, "victim.txt"}));
}

} // namespace
