// The list of reference frames, the comparison of a frame with its reference, and the options of the
// benchmark, the report files and the validation.
#include "runner/options.h"
#include "runner/validation/image_difference.h"
#include "runner/validation/reference_list.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace runner::validation;

TEST(ReferenceList, NamesFramesAndScreensWithCommentsAndBlankLines) {
    std::vector<ReferenceFrame> frames;
    std::string error;
    ASSERT_TRUE(parseReferenceList("# title\n\nstart 0 320x240  # first\r\n\tportrait-1   725\t240x320",
                                   frames, error))
        << error;
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].name, "start");
    EXPECT_EQ(frames[0].frame, 0);
    EXPECT_EQ(frames[0].width, 320);
    EXPECT_EQ(frames[0].height, 240);
    EXPECT_EQ(frames[1].name, "portrait-1");
    EXPECT_EQ(frames[1].frame, 725);
    EXPECT_EQ(frames[1].width, 240);

    for (const auto& [text, reason] :
         {std::pair("a 1 2x2\n\nb 1\n", "line 3: expected NAME FRAME WIDTHxHEIGHT"),
          std::pair("../up 1 2x2", "line 1: a name is made of letters, digits, - and _"),
          std::pair("a -1 2x2", "line 1: expected a frame number"),
          std::pair("a 1 2x", "line 1: expected a screen size such as 320x240"),
          std::pair("a 1 0x2", "line 1: expected a screen size such as 320x240"),
          std::pair("a 1 2x2\na 2 2x2", "line 2: the name a is used twice"),
          std::pair("# nothing\n", "no frames listed")}) {
        EXPECT_FALSE(parseReferenceList(text, frames, error)) << text;
        EXPECT_EQ(error, reason) << text;
    }
}

runner::PngImage grey(int width, int height, std::uint8_t level) {
    runner::PngImage image;
    image.width = width;
    image.height = height;
    image.rgba.assign(static_cast<std::size_t>(width) * height * 4, level);
    for (std::size_t i = 3; i < image.rgba.size(); i += 4) {
        image.rgba[i] = 255;
    }
    return image;
}

TEST(ImageDifference, PsnrLargestDifferenceAndShareOffOverTheColourChannels) {
    const runner::PngImage reference = grey(10, 10, 100);
    runner::PngImage frame = reference;
    const ImageDifference same = compareImages(reference, frame);
    EXPECT_TRUE(same.sameSize);
    EXPECT_TRUE(std::isinf(same.psnr));
    EXPECT_EQ(same.largest, 0);
    EXPECT_TRUE(withinThresholds(same));

    // Alpha is not compared.
    frame.rgba[3] = 0;
    EXPECT_TRUE(std::isinf(compareImages(reference, frame).psnr));

    // One channel of one pixel off by 20, one of another off by 16 (not counted as off): of 300 channel
    // values, squares 400 + 256.
    frame.rgba[0] = 120;
    frame.rgba[4 * 7 + 2] = 84;
    const ImageDifference d = compareImages(reference, frame);
    EXPECT_EQ(d.largest, 20);
    EXPECT_DOUBLE_EQ(d.shareOff, 0.01);
    EXPECT_NEAR(d.psnr, 10 * std::log10(255.0 * 255.0 / (656.0 / 300.0)), 1e-9);
    EXPECT_TRUE(withinThresholds(d));
    EXPECT_FALSE(withinThresholds(d, {30, 0.005}));
    EXPECT_FALSE(withinThresholds(d, {50, 0.01}));

    // Every pixel off by 8: PSNR 30.07 dB, nothing off by more than 16.
    const ImageDifference uniform = compareImages(reference, grey(10, 10, 108));
    EXPECT_NEAR(uniform.psnr, 20 * std::log10(255.0 / 8), 1e-9);
    EXPECT_EQ(uniform.shareOff, 0);
    EXPECT_TRUE(withinThresholds(uniform));
    EXPECT_FALSE(withinThresholds(compareImages(reference, grey(10, 10, 109))));

    EXPECT_FALSE(compareImages(reference, grey(10, 9, 100)).sameSize);
    EXPECT_FALSE(withinThresholds(compareImages(reference, grey(10, 9, 100))));
    EXPECT_FALSE(compareImages({}, {}).sameSize);
}

TEST(ImageDifference, TheDifferencePictureMarksPixelsOffInRedAndSmallDifferencesInBlue) {
    const runner::PngImage reference = grey(3, 1, 100);
    runner::PngImage frame = reference;
    frame.rgba[4] = 104;     // pixel 1: off by 4
    frame.rgba[8 + 1] = 200; // pixel 2: off by 100
    const runner::PngImage d = differenceImage(reference, frame);
    ASSERT_EQ(d.width, 3);
    ASSERT_EQ(d.rgba.size(), 12u);
    EXPECT_EQ(d.rgba[0], d.rgba[2]); // unchanged: grey
    EXPECT_GT(d.rgba[4 + 2], d.rgba[4 + 0]);
    EXPECT_GT(d.rgba[8 + 0], 200);
    EXPECT_LT(d.rgba[8 + 1], 100);
    EXPECT_EQ(d.rgba[11], 255);
}

TEST(ReportOptions, AreParsedWithTheirDefaultsAndMalformedOnesRejected) {
    const char* argv[] = {"nymbus",       "--benchmark=3", "--results=r.json", "--frame-times=t.csv",
                          "--plot=p.svg", "-qaf=5"};
    runner::PlatformOptions options;
    std::string error;
    ASSERT_TRUE(runner::parsePlatformOptions(static_cast<int>(std::size(argv)), argv, options, error))
        << error;
    EXPECT_EQ(options.report.benchmarkLaps, 3);
    EXPECT_EQ(options.report.resultsPath, "r.json");
    EXPECT_EQ(options.report.frameTimesPath, "t.csv");
    EXPECT_EQ(options.report.plotPath, "p.svg");
    EXPECT_TRUE(options.report.reportsFrames());
    EXPECT_EQ(options.shellArguments, std::vector<std::string>{"-qaf=5"});

    const char* validation[] = {"nymbus", "--validate=refs", "--validate-out=out"};
    runner::PlatformOptions validating;
    ASSERT_TRUE(runner::parsePlatformOptions(3, validation, validating, error)) << error;
    EXPECT_TRUE(validating.report.validate);
    EXPECT_EQ(validating.report.referencesDir, "refs");
    EXPECT_EQ(validating.report.validateOut, "out");
    EXPECT_FALSE(validating.report.reportsFrames());

    const char* plain[] = {"nymbus", "--benchmark"};
    runner::PlatformOptions defaults;
    ASSERT_TRUE(runner::parsePlatformOptions(2, plain, defaults, error)) << error;
    EXPECT_EQ(defaults.report.benchmarkLaps, 1);
    const char* own[] = {"nymbus", "--validate"};
    runner::PlatformOptions ownReferences;
    ASSERT_TRUE(runner::parsePlatformOptions(2, own, ownReferences, error)) << error;
    EXPECT_TRUE(ownReferences.report.referencesDir.empty()); // the program's own
    const char* writing[] = {"nymbus", "--write-references=new"};
    runner::PlatformOptions written;
    ASSERT_TRUE(runner::parsePlatformOptions(2, writing, written, error)) << error;
    EXPECT_EQ(written.report.writeReferencesDir, "new");
    EXPECT_FALSE(runner::PlatformOptions().report.reportsFrames());

    for (const char* bad : {"--benchmark=0", "--benchmark=", "--benchmark=2x", "--results=r.txt", "--results",
                            "--results=.json", "--frame-times=t.json", "--plot=p.jpg", "--plot",
                            "--validate=", "--validate-out", "--write-references="}) {
        const char* args[] = {"nymbus", bad};
        runner::PlatformOptions o;
        EXPECT_FALSE(runner::parsePlatformOptions(2, args, o, error)) << bad;
        EXPECT_EQ(error.rfind("invalid option ", 0), 0u) << error;
    }
}

} // namespace
