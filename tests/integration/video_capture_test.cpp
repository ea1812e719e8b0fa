// The race recorded as the program records it into each video container, read back and decoded: the
// stream, its rate and length, and its frames against the frames the program rendered; a run stopped by a
// signal; outputs that cannot be written.
#include "runner/png_file.h"
#include "runner/validation/image_difference.h"
#include "tests/support/child_process.h"
#include "tests/support/decoded_video.h"
#include "tests/support/program_messages.h"
#include "tests/support/small_tmpfs.h"
#include "tests/support/text_and_folders.h"
#include "tests/support/wait_for.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The decoded frames against the rendered ones. On the race at 321x241, chroma kept for 2 x 2 blocks
// alone limits a frame to 31.8 dB, and the encodings at the default qualities give 31.4 dB; the frame
// upside down gives 8 dB, red and blue swapped 16 dB, the video range shown as the full range 27 dB.
constexpr double minimumPsnr = 29.5;

struct Recording {
    int exitCode = -1;
    std::string messages; // the program's own lines on standard error
};

Recording record(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--backend=headless", "--fixed-fps=25"});
    ChildProcess program(NYM_PROGRAM, arguments);
    Recording run;
    run.exitCode = program.waitForExit(60s).value_or(-1);
    run.messages = programMessages(program.output());
    return run;
}

// The rendered frame's top-left width x height pixels against a decoded frame of that size.
double psnrAgainst(const fs::path& screenshot, const std::vector<std::uint8_t>& decoded, int width,
                   int height) {
    runner::PngImage image;
    if (!runner::readPng(screenshot.string(), image)) {
        return 0;
    }
    runner::PngImage cropped{width, height, {}};
    for (int y = 0; y < height; ++y) {
        const auto row = image.rgba.begin() + static_cast<std::ptrdiff_t>(y) * image.width * 4;
        cropped.rgba.insert(cropped.rgba.end(), row, row + width * 4);
    }
    return runner::validation::compareImages(cropped, {width, height, decoded}).psnr;
}

TEST(VideoCapture, EachContainerHoldsTheRaceAtTheVirtualClocksRateFrameForFrame) {
    struct Case {
        const char* extension;
        const char* codec;
        int width, height; // H.264 takes even sizes only
    };
    for (const Case c :
         {Case{"mp4", "h264", 320, 240}, Case{"mkv", "h264", 320, 240}, Case{"webm", "vp9", 321, 241}}) {
        SCOPED_TRACE(c.extension);
        const fs::path dir = freshFolder("nym_video", c.extension);
        const fs::path video = dir / (std::string("race.") + c.extension);
        const Recording run = record({"--screen=321x241", "-qaf=11", "--capture=" + video.string(),
                                      "--screenshot=0:" + (dir / "first.png").string(),
                                      "--screenshot=11:" + (dir / "last.png").string()});
        ASSERT_EQ(run.exitCode, 0) << run.messages;
        EXPECT_EQ(run.messages, "");
        EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"first.png", "last.png", video.filename()}));
        const DecodedVideo decoded = decodeVideo(video.string(), 12);
        ASSERT_EQ(decoded.error, "");
        EXPECT_EQ(decoded.streams, 1);
        EXPECT_EQ(decoded.codec, c.codec);
        EXPECT_EQ(decoded.rateNumerator, 25);
        EXPECT_EQ(decoded.rateDenominator, 1);
        EXPECT_NEAR(decoded.seconds, 12 / 25.0, 0.0015);
        ASSERT_EQ(decoded.frames, 12);
        ASSERT_EQ(decoded.width, c.width);
        ASSERT_EQ(decoded.height, c.height);
        EXPECT_GE(psnrAgainst(dir / "first.png", decoded.rgba.front(), c.width, c.height), minimumPsnr);
        EXPECT_GE(psnrAgainst(dir / "last.png", decoded.rgba.back(), c.width, c.height), minimumPsnr);
    }
}

// The y4m stream in a file and on standard output, read by FFmpeg: it takes the range the frames are
// converted to (the full range) from the header, and decodes the rendered frames. At 320x240 frames 0
// and 50 give 32.1 and 30.2 dB (the chroma kept for 2 x 2 blocks alone limits them), read as the video
// range 27.0 and 27.2 dB.
TEST(VideoCapture, FfmpegReadsTheY4mStreamAsTheRenderedFrames) {
    const fs::path dir = freshFolder("nym_video", "y4m");
    const fs::path video = dir / "race.y4m";
    const std::vector<std::string> arguments = {"--screen=320x240", "-qaf=50",
                                                "--screenshot=0:" + (dir / "first.png").string(),
                                                "--screenshot=50:" + (dir / "last.png").string()};
    std::vector<std::string> toFile = arguments;
    toFile.push_back("--capture=" + video.string());
    const Recording run = record(toFile);
    ASSERT_EQ(run.exitCode, 0) << run.messages;
    std::vector<std::string> toStandardOutput = arguments;
    toStandardOutput.insert(toStandardOutput.begin(),
                            {"--backend=headless", "--fixed-fps=25", "--capture=-"});
    ChildProcess piped(NYM_PROGRAM, toStandardOutput);
    ASSERT_EQ(piped.waitForExit(60s), 0) << piped.output();
    std::ofstream(dir / "piped.y4m", std::ios::binary) << piped.standardOutput();

    for (const fs::path& stream : {video, dir / "piped.y4m"}) {
        SCOPED_TRACE(stream.filename());
        const DecodedVideo decoded = decodeVideo(stream.string(), 51);
        ASSERT_EQ(decoded.error, "");
        EXPECT_EQ(decoded.codec, "rawvideo");
        EXPECT_TRUE(decoded.fullRange);
        EXPECT_EQ(decoded.rateNumerator, 25);
        ASSERT_EQ(decoded.frames, 51);
        ASSERT_EQ(decoded.width, 320);
        ASSERT_EQ(decoded.height, 240);
        EXPECT_GE(psnrAgainst(dir / "first.png", decoded.rgba.front(), 320, 240), minimumPsnr);
        EXPECT_GE(psnrAgainst(dir / "last.png", decoded.rgba.back(), 320, 240), minimumPsnr);
    }
}

TEST(VideoCapture, EveryKthFrameAndTheQualityAreThoseAsked) {
    const fs::path dir = freshFolder("nym_video", "options");
    const fs::path fine = dir / "fine.mp4";
    const fs::path coarse = dir / "coarse.mp4";
    ASSERT_EQ(record({"--screen=96x64", "-qaf=11", "--capture-every=3", "--capture-quality=5",
                      "--capture=" + fine.string(), "--screenshot=9:" + (dir / "shot.png").string()})
                  .exitCode,
              0);
    ASSERT_EQ(record({"--screen=96x64", "-qaf=11", "--capture-every=3", "--capture-quality=45",
                      "--capture=" + coarse.string()})
                  .exitCode,
              0);
    const DecodedVideo decoded = decodeVideo(fine.string(), 4);
    const DecodedVideo lesser = decodeVideo(coarse.string(), 4);
    ASSERT_EQ(decoded.error, "");
    ASSERT_EQ(lesser.error, "");
    // Frames 0, 3, 6 and 9, still at the virtual clock's rate.
    ASSERT_EQ(decoded.frames, 4);
    EXPECT_NEAR(decoded.seconds, 4 / 25.0, 0.0015);
    const double finePsnr = psnrAgainst(dir / "shot.png", decoded.rgba[3], 96, 64);
    EXPECT_GT(finePsnr, psnrAgainst(dir / "shot.png", lesser.rgba[3], 96, 64) + 3);
    EXPECT_GT(fs::file_size(fine), 3 * fs::file_size(coarse));
}

TEST(VideoCapture, ASignalEndsTheRunWithAWholeFile) {
    for (const auto& [extension, signal] : {std::pair{"mp4", SIGINT}, std::pair{"webm", SIGTERM}}) {
        SCOPED_TRACE(extension);
        const fs::path dir = freshFolder("nym_video", extension);
        const fs::path video = dir / (std::string("race.") + extension);
        ChildProcess program(NYM_PROGRAM, {"--backend=headless", "--screen=64x48", "--fixed-fps=30",
                                           "--capture=" + video.string()});
        // The new file is there once the first frame has been encoded.
        waitFor([&] { return !fs::is_empty(dir); }, 20s, 10ms);
        std::this_thread::sleep_for(200ms);
        program.signal(signal);
        ASSERT_EQ(program.waitForExit(20s), 0) << program.output();
        const DecodedVideo decoded = decodeVideo(video.string());
        ASSERT_EQ(decoded.error, "");
        EXPECT_GE(decoded.frames, 1);
        EXPECT_NEAR(decoded.seconds, decoded.frames / 30.0, 0.0015);
        EXPECT_EQ(namesIn(dir), std::vector<std::string>{video.filename()});
    }
}

// Two runs that record into one file at once each write a file of their own, and the last one renamed
// is the one that stays, whole. A link where a run might have put its temporary file is not followed.
TEST(VideoCapture, RunsIntoOneFileLeaveAWholeFileAndNoLinkIsFollowed) {
    const fs::path dir = freshFolder("nym_video", "shared");
    const fs::path twin = dir / "twin.mkv";
    std::ofstream(dir / "victim.txt") << "victim";
    fs::create_symlink("victim.txt", dir / "race.mp4.tmp");
    std::vector<std::unique_ptr<ChildProcess>> runs;
    for (const fs::path& video : {twin, twin, dir / "race.mp4"}) {
        runs.push_back(std::make_unique<ChildProcess>(
            NYM_PROGRAM, std::vector<std::string>{"--backend=headless", "--screen=160x120", "--fixed-fps=25",
                                                  "-qaf=49", "--capture=" + video.string()}));
    }
    for (const auto& run : runs) {
        EXPECT_EQ(run->waitForExit(60s), 0) << programMessages(run->output());
    }
    const DecodedVideo decoded = decodeVideo(twin.string());
    ASSERT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.frames, 50);
    EXPECT_NEAR(decoded.seconds, 2.0, 0.0015);
    EXPECT_EQ(decodeVideo((dir / "race.mp4").string()).frames, 50);
    EXPECT_FALSE(fs::is_symlink(dir / "race.mp4"));
    EXPECT_TRUE(fs::is_symlink(dir / "race.mp4.tmp"));
    EXPECT_TRUE(fileText(dir / "victim.txt") == "victim");
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"race.mp4", "race.mp4.tmp", "twin.mkv", "victim.txt"}));
}

TEST(VideoCapture, AFolderThatDoesNotExistOrAFullDiskIsOneLineAndLeavesNoFile) {
    const Recording missing = record({"--screen=64x48", "-qaf=100", "--capture=/nonexistent/race.mkv"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.messages,
              "nymbus: capture: cannot create /nonexistent/race.mkv: No such file or directory\n");

    SmallTmpfs disk(48 * 1024);
    if (!disk.error().empty()) {
        GTEST_SKIP() << disk.error();
    }
    const std::string video = disk.path() + "/race.mp4";
    std::ofstream(video) << "old";
    const Recording full = record({"--screen=320x240", "-qaf=2000", "--capture=" + video});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.messages, "nymbus: capture: cannot write " + video + ": No space left on device\n");
    // The earlier file is as it was, and nothing else is left.
    EXPECT_EQ(fileText(video), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 1);
}

} // namespace
