// The PNG and y4m sinks behind the queue: the bytes of each file are those of a direct encoding, the
// files come whole and in order, and a failed write leaves whole files only.
#include "platform/output_file.h"
#include "runner/capture/capture_queue.h"
#include "runner/capture/png_sequence_sink.h"
#include "runner/capture/video_container.h"
#include "runner/capture/yuv420.h"
#include "runner/png_file.h"
#include "tests/support/small_tmpfs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::path freshFolder(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("nym_capture_" + std::to_string(::getpid())) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A frame that compresses like a rendered one: smooth gradients with some noise.
std::vector<std::uint8_t> frameOf(int width, int height, int seed) {
    std::mt19937 random(static_cast<unsigned>(seed));
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &rgba[static_cast<std::size_t>((y * width + x) * 4)];
            p[0] = static_cast<std::uint8_t>(x * 255 / width + seed);
            p[1] = static_cast<std::uint8_t>(y * 255 / height);
            p[2] = static_cast<std::uint8_t>(random() % 8 == 0 ? random() : 128);
            p[3] = 255;
        }
    }
    return rgba;
}

void capture(runner::CaptureQueue& queue, const std::vector<std::vector<std::uint8_t>>& frames, int width,
             int height) {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        runner::CapturedFrame* frame = queue.acquire(static_cast<int>(i), width, height);
        ASSERT_NE(frame, nullptr);
        frame->stride = static_cast<std::size_t>(width) * 4;
        frame->pixels = frames[i];
        queue.submit(frame);
    }
}

TEST(PngSequenceSink, NumbersAreFormattedWholeSoFramesNeverShareAFile) {
    using runner::PngSequenceSink;
    EXPECT_EQ(PngSequenceSink::numberedPath("frames/%05d.png", 42), "frames/00042.png");
    EXPECT_EQ(PngSequenceSink::numberedPath("f%d-x.png", 1234567), "f1234567-x.png");
    EXPECT_EQ(PngSequenceSink::numberedPath("a%032d.png", 7), "a" + std::string(31, '0') + "7.png");
    EXPECT_EQ(PngSequenceSink::numberedPath("a%999d.png", 12).size(), 1 + 999 + 4u);
    EXPECT_NE(PngSequenceSink::numberedPath("a%032d.png", 10),
              PngSequenceSink::numberedPath("a%032d.png", 11));
    EXPECT_NE(PngSequenceSink::numberedPath("a%999d.png", 10),
              PngSequenceSink::numberedPath("a%999d.png", 11));
}

TEST(PngSequenceSink, EachFileHoldsTheBytesOfADirectEncodingWithTheCaptureCompression) {
    const fs::path dir = freshFolder("png");
    const int width = 96;
    const int height = 64;
    std::vector<std::vector<std::uint8_t>> frames;
    for (int i = 0; i < 12; ++i) {
        frames.push_back(frameOf(width, height, i));
    }
    runner::CaptureQueue queue(runner::makeFrameSink((dir / "f%03d.png").string(), 30), 2);
    capture(queue, frames, width, height);
    ASSERT_TRUE(queue.finish()) << queue.error();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        std::vector<std::uint8_t> expected;
        ASSERT_TRUE(runner::encodePng(expected, width, height, frames[i].data(), 0, true,
                                      runner::capturePngCompression));
        const std::string name = runner::PngSequenceSink::numberedPath("f%03d.png", static_cast<int>(i));
        EXPECT_EQ(fileBytes(dir / name), std::string(expected.begin(), expected.end())) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 12);
    // 8-bit RGB (colour type 2 in the header): a presented frame is opaque.
    const std::string first = fileBytes(dir / "f000.png");
    ASSERT_GT(first.size(), 26u);
    EXPECT_EQ(first[24], 8);
    EXPECT_EQ(first[25], 2);
    // Upright: the first row of the file is the last row read back.
    runner::PngImage image;
    ASSERT_TRUE(runner::readPng((dir / "f005.png").string(), image));
    const std::size_t lastRow = static_cast<std::size_t>((height - 1) * width * 4);
    EXPECT_TRUE(std::equal(image.rgba.begin(), image.rgba.begin() + width * 4, frames[5].begin() + lastRow));
}

TEST(Y4mSink, TheStreamIsTheHeaderThenEachFrameConvertedInOrder) {
    const fs::path video = freshFolder("y4m") / "v.y4m";
    std::vector<std::vector<std::uint8_t>> frames;
    for (int i = 0; i < 9; ++i) {
        frames.push_back(frameOf(33, 17, i));
    }
    runner::CaptureQueue queue(runner::makeFrameSink(video.string(), 25), 2);
    capture(queue, frames, 33, 17);
    // A frame of another size is cropped to the stream's size.
    const std::vector<std::uint8_t> larger = frameOf(40, 20, 99);
    runner::CapturedFrame* frame = queue.acquire(9, 40, 20);
    frame->stride = 40 * 4;
    frame->pixels = larger;
    queue.submit(frame);
    ASSERT_TRUE(queue.finish()) << queue.error();

    std::string expected = "YUV4MPEG2 W33 H17 F25:1 Ip A1:1 C420jpeg\n";
    std::vector<std::uint8_t> planes(runner::yuv420Size(33, 17));
    frames.push_back(larger);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        runner::CapturedFrame captured;
        captured.width = i < 9 ? 33 : 40;
        captured.height = i < 9 ? 17 : 20;
        captured.stride = static_cast<std::size_t>(captured.width) * 4;
        captured.pixels = frames[i];
        runner::convertToYuv420(captured, 33, 17, planes.data());
        expected += "FRAME\n" + std::string(planes.begin(), planes.end());
    }
    EXPECT_EQ(fileBytes(video), expected);
}

TEST(VideoContainer, AMissingEncoderIsNamedWithAContainerThatCanBeRecorded) {
    const auto without = [](std::string missing) {
        return [missing](const char* encoder) { return missing.find(encoder) == std::string::npos; };
    };
    EXPECT_EQ(runner::videoCaptureProblem("out/race.mp4", without("")), "");
    EXPECT_EQ(runner::videoCaptureProblem("out/race.y4m", without("libx264 libvpx-vp9")), "");
    EXPECT_EQ(
        runner::videoCaptureProblem("out/race.mkv", without("libx264")),
        "cannot record out/race.mkv: this FFmpeg has no H.264 encoder (libx264); --capture=out/race.webm "
        "records VP9");
    EXPECT_EQ(
        runner::videoCaptureProblem("race.webm", without("libvpx-vp9")),
        "cannot record race.webm: this FFmpeg has no VP9 encoder (libvpx-vp9); --capture=race.mp4 records "
        "H.264");
    EXPECT_EQ(
        runner::videoCaptureProblem("race.mp4", without("libx264 libvpx-vp9")),
        "cannot record race.mp4: this FFmpeg has no H.264 encoder (libx264) and no VP9 encoder (libvpx-vp9); "
        "--capture=race.y4m records uncompressed video");
}

TEST(OutputFile, FailuresNameTheFileAndTheReasonAndLeaveNoPartialFile) {
    std::string error;
    platform::OutputFile full;
    ASSERT_TRUE(full.open("/dev/full", error));
    EXPECT_FALSE(full.write("x", 1, error));
    EXPECT_EQ(error, "cannot write /dev/full: No space left on device");

    EXPECT_FALSE(platform::writeWholeFile("/nonexistent/a.png", "x", error));
    EXPECT_EQ(error, "cannot create /nonexistent/a.png: No such file or directory");

    SmallTmpfs disk(16 * 1024);
    if (!disk.error().empty()) {
        GTEST_SKIP() << disk.error();
    }
    const std::string kept = disk.path() + "/kept.bin";
    ASSERT_TRUE(platform::writeWholeFile(kept, "old", error)) << error;
    // Too large for the disk: the earlier file stays as it was and no temporary file is left.
    const std::vector<char> big(64 * 1024, 'n');
    EXPECT_FALSE(platform::writeWholeFile(kept, {big.data(), big.size()}, error));
    EXPECT_EQ(error, "cannot write " + kept + ": No space left on device");
    EXPECT_EQ(fileBytes(kept), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 1);
}

} // namespace
