// The PNG and y4m sinks behind the queue: each file decoded by libpng, and the stream by FFmpeg, shows the
// frame captured; the files come whole and in order, and a failed write leaves whole files only.
#include "platform/output_file.h"
#include "runner/capture/capture_queue.h"
#include "runner/capture/png_sequence_sink.h"
#include "runner/capture/video_container.h"
#include "runner/capture/yuv420.h"
#include "runner/png_file.h"
#include "runner/validation/image_difference.h"
#include "tests/support/small_tmpfs.h"
#include "tests/support/text_and_folders.h"
#ifdef NYM_TEST_VIDEO
#include "tests/support/decoded_video.h"
#endif

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;

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

// Smooth gradients, different for each seed: what 4:2:0 chroma keeps nearly exactly.
std::vector<std::uint8_t> smoothFrameOf(int width, int height, int seed) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &rgba[static_cast<std::size_t>((y * width + x) * 4)];
            p[0] = static_cast<std::uint8_t>(x * 255 / (width - 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / (height - 1));
            p[2] = static_cast<std::uint8_t>(seed * 20);
            p[3] = 255;
        }
    }
    return rgba;
}

// The upright picture of a frame given bottom row first, its top-left width x height pixels.
runner::PngImage upright(const std::vector<std::uint8_t>& bottomUp, int frameWidth, int frameHeight,
                         int width, int height) {
    runner::PngImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        const auto row = bottomUp.begin() + static_cast<std::ptrdiff_t>(frameHeight - 1 - y) * frameWidth * 4;
        image.rgba.insert(image.rgba.end(), row, row + width * 4);
    }
    return image;
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

// A PNG file decoded by libpng itself: its pixels as RGBA, and whether it has an alpha channel.
struct DecodedPng {
    runner::PngImage image;
    bool alpha = false;
};

DecodedPng decodePng(const fs::path& path) {
    DecodedPng decoded;
    png_image reader{};
    reader.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&reader, path.c_str())) {
        ADD_FAILURE() << path << ": " << reader.message;
        return decoded;
    }
    decoded.alpha = (reader.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    reader.format = PNG_FORMAT_RGBA;
    decoded.image = {static_cast<int>(reader.width), static_cast<int>(reader.height),
                     std::vector<std::uint8_t>(PNG_IMAGE_SIZE(reader))};
    EXPECT_TRUE(png_image_finish_read(&reader, nullptr, decoded.image.rgba.data(), 0, nullptr)) << path;
    return decoded;
}

TEST(PngSequenceSink, EachFileDecodesToItsFrameUprightAsRgb) {
    const fs::path dir = freshFolder("nym_capture", "png");
    const int width = 96;
    const int height = 64;
    std::vector<std::vector<std::uint8_t>> frames;
    for (int i = 0; i < 12; ++i) {
        frames.push_back(frameOf(width, height, i));
    }
    runner::CaptureQueue queue(runner::makeFrameSink((dir / "f%03d.png").string(), 30), 2);
    capture(queue, frames, width, height);
    ASSERT_TRUE(queue.finish()) << queue.error();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 12);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::string name = runner::PngSequenceSink::numberedPath("f%03d.png", static_cast<int>(i));
        SCOPED_TRACE(name);
        const DecodedPng decoded = decodePng(dir / name);
        // 8-bit RGB: a presented frame is opaque.
        EXPECT_FALSE(decoded.alpha);
        ASSERT_EQ(decoded.image.width, width);
        ASSERT_EQ(decoded.image.height, height);
        EXPECT_TRUE(decoded.image.rgba == upright(frames[i], width, height, width, height).rgba);
    }
}

TEST(Y4mSink, FfmpegDecodesTheFramesInOrderUprightAndCroppedToTheFirstFramesSize) {
#ifndef NYM_TEST_VIDEO
    GTEST_SKIP() << "built without FFmpeg's libraries";
#else
    const fs::path video = freshFolder("nym_capture", "y4m") / "v.y4m";
    std::vector<std::vector<std::uint8_t>> frames;
    for (int i = 0; i < 9; ++i) {
        frames.push_back(smoothFrameOf(33, 17, i));
    }
    runner::CaptureQueue queue(runner::makeFrameSink(video.string(), 25), 2);
    capture(queue, frames, 33, 17);
    // A frame of another size is cropped to the stream's size.
    const std::vector<std::uint8_t> larger = smoothFrameOf(40, 20, 9);
    runner::CapturedFrame* frame = queue.acquire(9, 40, 20);
    ASSERT_NE(frame, nullptr);
    frame->stride = 40 * 4;
    frame->pixels = larger;
    queue.submit(frame);
    ASSERT_TRUE(queue.finish()) << queue.error();

    const DecodedVideo decoded = decodeVideo(video.string(), 10);
    ASSERT_EQ(decoded.error, "");
    EXPECT_TRUE(decoded.fullRange);
    EXPECT_EQ(decoded.rateNumerator, 25);
    EXPECT_EQ(decoded.rateDenominator, 1);
    ASSERT_EQ(decoded.frames, 10);
    ASSERT_EQ(decoded.width, 33);
    ASSERT_EQ(decoded.height, 17);
    frames.push_back(larger);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const int frameWidth = i < 9 ? 33 : 40;
        const int frameHeight = i < 9 ? 17 : 20;
        const runner::PngImage shown{33, 17, decoded.rgba[i]};
        // Within what 4:2:0 chroma leaves of these gradients (34 dB or more); read as the video range they
        // give 28 dB or less, the next frame less than 30 dB.
        EXPECT_GE(
            runner::validation::compareImages(upright(frames[i], frameWidth, frameHeight, 33, 17), shown)
                .psnr,
            32);
        if (i + 1 < 9) {
            EXPECT_LT(runner::validation::compareImages(upright(frames[i + 1], 33, 17, 33, 17), shown).psnr,
                      30);
        }
    }
#endif
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
    EXPECT_EQ(fileText(kept), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 1);
}

} // namespace
