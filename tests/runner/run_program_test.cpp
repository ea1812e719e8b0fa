// main's work: options, wide command line, clock, capture, stats, signals.
#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"
#include "platform/window/window.h"
#include "runner/options.h"
#include "runner/png_file.h"
#include "runner/run_program.h"
#include "tests/runner/mini_shell.h"
#include "tests/support/text_and_folders.h"
#include "tests/support/virtual_clock.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace platformtest;

std::wstring lastCommandLine;
int recordCommandLine(void*, const wchar_t* commandLine) {
    lastCommandLine = commandLine;
    return 5;
}

TEST(PlatformOptions, MalformedOptionsGiveOneLineAndTheUsageThenExitCodeTwo) {
    for (const char* bad : {"--fixed-fps=0",
                            "--fixed-fps=x",
                            "--screen=640",
                            "--input=jump@3",
                            "--input=escape@",
                            "--capture=frames.png",
                            "--capture=a%d%d.png",
                            "--capture=a%999d.png",
                            "--capture=x/ab%252d.png/y",
                            "--screenshot=5",
                            "--backend=gdi",
                            "--gl=es3",
                            "--gl",
                            "--lose-context=1,,2",
                            "--stats=1",
                            "--capture-every=0",
                            "--frobnicate",
                            "--log",
                            "--capture=race.avi",
                            "--capture=.mp4",
                            "--capture-quality=64",
                            "--capture-quality",
                            "--frame-digest",
                            "--frame-digest="}) {
        SCOPED_TRACE(bad);
        lastCommandLine = L"untouched";
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        EXPECT_EQ(run({bad}, recordCommandLine), 2);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(lastCommandLine, L"untouched");
        EXPECT_EQ(err.substr(0, 8), "nymbus: ");
        EXPECT_EQ(err.substr(err.find('\n') + 1), runner::platformUsage());
    }
}

TEST(PlatformOptions, HelpAndVersionGoToStandardOutput) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(run({"--help"}, recordCommandLine), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), runner::platformUsage());
    testing::internal::CaptureStdout();
    EXPECT_EQ(run({"--version"}, recordCommandLine), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout().substr(0, 7), "nymbus ");
}

TEST(PlatformOptions, ValuesAreParsed) {
    const char* argv[] = {"nymbus",
                          "-width=200",
                          "--screen=240x320",
                          "--input=escape@3,tap@0,close@12",
                          "--fixed-fps=30",
                          "--lose-context=4,9",
                          "--screenshot=7:a.png",
                          "--capture=f/%05d.png",
                          "--capture-every=3",
                          "--stats",
                          "--gl=es2",
                          "--frame-digest=-",
                          "-qaf=10"};
    runner::PlatformOptions options;
    std::string error;
    ASSERT_TRUE(runner::parsePlatformOptions(static_cast<int>(std::size(argv)), argv, options, error))
        << error;
    EXPECT_EQ(options.headless.screenWidth, 240);
    EXPECT_EQ(options.headless.screenHeight, 320);
    ASSERT_EQ(options.headless.input.size(), 3u);
    EXPECT_EQ(options.headless.input[0].event, platform::ScriptedInput::Event::Escape);
    EXPECT_EQ(options.headless.input[0].frame, 3);
    EXPECT_EQ(options.headless.input[2].event, platform::ScriptedInput::Event::Close);
    EXPECT_EQ(options.fixedFps, 30);
    EXPECT_EQ(options.loseContextFrames, (std::vector<int>{4, 9}));
    ASSERT_EQ(options.screenshots.size(), 1u);
    EXPECT_EQ(options.screenshots[0].frame, 7);
    EXPECT_EQ(options.captureEvery, 3);
    EXPECT_TRUE(options.stats);
    EXPECT_EQ(options.gl, platform::gles::GlPath::Es2);
    EXPECT_EQ(options.frameDigestPath, "-");
    EXPECT_EQ(options.shellArguments, (std::vector<std::string>{"-width=200", "-qaf=10"}));
}

TEST(PlatformOptions, TheCaptureQualityIsOnTheScaleOfTheVideosEncoder) {
    struct Case {
        std::vector<const char*> argv;
        const char* error; // empty: accepted
    };
    for (const Case& c : {
             Case{{"nymbus", "--capture-quality=63", "--capture=a.webm"}, ""},
             Case{{"nymbus", "--capture=a.mkv", "--capture-quality=51"}, ""},
             Case{{"nymbus", "--capture=a.mp4", "--capture-quality=52"},
                  "invalid option --capture-quality=52: expected 0 (best) to 51 for H.264"},
             Case{{"nymbus", "--capture-quality=20", "--capture=f/%d.png"},
                  "invalid option --capture-quality=20: applies to .mp4, .mkv and .webm captures"},
             Case{{"nymbus", "--capture-quality=0"},
                  "invalid option --capture-quality=0: applies to .mp4, .mkv and .webm captures"},
         }) {
        SCOPED_TRACE(c.argv[1]);
        runner::PlatformOptions options;
        std::string error;
        EXPECT_EQ(
            runner::parsePlatformOptions(static_cast<int>(c.argv.size()), c.argv.data(), options, error),
            *c.error == 0);
        EXPECT_EQ(error, c.error);
    }
}

// An option that would do nothing (another option it needs is missing, a later one of its kind or another
// output of the same file replaces it, the run it is for is not made) is refused as a malformed one.
TEST(PlatformOptions, OptionsThatWouldDoNothingAreRefused) {
    struct Case {
        std::vector<const char*> arguments;
        const char* error;
    };
    for (const Case& c : {
             Case{{"--validate-out=out"}, "invalid option --validate-out=out: applies to --validate"},
             Case{{"--write-references=r", "--validate-out=out"},
                  "invalid option --validate-out=out: applies to --validate"},
             Case{{"--capture-every=3"}, "invalid option --capture-every=3: applies to --capture"},
             Case{{"--capture-every=3", "--screenshot=1:a.png"},
                  "invalid option --capture-every=3: applies to --capture"},
             Case{{"--results=a.json", "--results=b.json"},
                  "invalid option --results=b.json: --results=a.json was given already"},
             Case{{"--plot=a.png", "--frame-times=t.csv", "--plot=b.svg"},
                  "invalid option --plot=b.svg: --plot=a.png was given already"},
             Case{{"--capture=a.mp4", "--capture=b.mkv"},
                  "invalid option --capture=b.mkv: --capture=a.mp4 was given already"},
             Case{{"--backend=x11", "--backend=headless"},
                  "invalid option --backend=headless: --backend=x11 was given already"},
             Case{{"--validate", "--validate=refs"},
                  "invalid option --validate=refs: --validate was given already"},
             Case{{"--screenshot=5:out/x.png", "--plot=out/x.png"},
                  "invalid option --plot=out/x.png: --screenshot=5:out/x.png writes the same file"},
             Case{{"--screenshot=5:x.png", "--screenshot=9:./x.png"},
                  "invalid option --screenshot=9:./x.png: --screenshot=5:x.png writes the same file"},
             Case{{"--log=run.y4m", "--capture=out/../run.y4m"},
                  "invalid option --capture=out/../run.y4m: --log=run.y4m writes the same file"},
             Case{{"--results=r.json", "--frame-digest=./r.json"},
                  "invalid option --frame-digest=./r.json: --results=r.json writes the same file"},
             Case{{"--frame-digest=-", "--frame-digest=d.txt"},
                  "invalid option --frame-digest=d.txt: --frame-digest=- was given already"},
             Case{{"--validate", "--frame-digest=-"},
                  "invalid option --frame-digest=-: not used by --validate"},
             Case{{"--capture=f/%03d.png", "--screenshot=7:f/012.png"},
                  "invalid option --screenshot=7:f/012.png: --capture=f/%03d.png writes the same file"},
             Case{{"--backend=x11", "--screen=320x240"},
                  "invalid option --screen=320x240: applies to the headless backend"},
             Case{{"--input=tap@3", "--backend=wayland"},
                  "invalid option --input=tap@3: applies to the headless backend"},
             Case{{"--validate", "--capture=a.mp4"},
                  "invalid option --capture=a.mp4: not used by --validate"},
             Case{{"--stats", "--write-references=r"},
                  "invalid option --stats: not used by --write-references"},
             Case{{"--validate", "-qaf=10"}, "invalid option -qaf=10: not used by --validate"},
             Case{{"--validate", "--write-references=r"},
                  "invalid option --write-references=r: not used by --validate"},
             Case{{"--gl=es1", "--gl=es2"}, "invalid option --gl=es2: --gl=es1 was given already"},
         }) {
        std::vector<const char*> argv = c.arguments;
        argv.insert(argv.begin(), "nymbus");
        SCOPED_TRACE(c.error);
        runner::PlatformOptions options;
        std::string error;
        EXPECT_FALSE(
            runner::parsePlatformOptions(static_cast<int>(argv.size()), argv.data(), options, error));
        EXPECT_EQ(error, c.error);
    }
    // Said as the other malformed options are: one line, the usage, exit code 2, before anything runs.
    lastCommandLine = L"untouched";
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--capture-every=2", "-qaf=5"}, recordCommandLine), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "nymbus: invalid option --capture-every=2: applies to --capture\n" + runner::platformUsage());
    EXPECT_EQ(lastCommandLine, L"untouched");
    // What may be given more than once, and outputs of other names.
    const char* accepted[] = {
        "nymbus",           "--screenshot=1:a.png", "--screenshot=1:b.png",    "--input=tap@1",
        "--input=escape@2", "--lose-context=3",     "--lose-context=4",        "--stats",
        "--stats",          "--capture=f/%03d.png", "--screenshot=2:f/12.png", "--results=a.json",
        "--plot=p.png",     "--backend=headless",   "--screen=64x48"};
    runner::PlatformOptions options;
    std::string error;
    EXPECT_TRUE(runner::parsePlatformOptions(static_cast<int>(std::size(accepted)), accepted, options, error))
        << error;
    // The validation's child processes take the path of the run.
    const char* validation[] = {"nymbus", "--validate", "--gl=es2", "--backend=headless"};
    EXPECT_TRUE(
        runner::parsePlatformOptions(static_cast<int>(std::size(validation)), validation, options, error))
        << error;
}

TEST(PlatformOptions, TheFrameDigestAndAVideoOnStandardOutputExcludeEachOther) {
    const char* argv[] = {"nymbus", "--capture=-", "--frame-digest=-"};
    runner::PlatformOptions options;
    std::string error;
    EXPECT_FALSE(runner::parsePlatformOptions(3, argv, options, error));
    EXPECT_EQ(error, "invalid option --frame-digest=-: standard output carries the video of --capture=-");
    const char* toFile[] = {"nymbus", "--capture=-", "--frame-digest=d.txt"};
    EXPECT_TRUE(runner::parsePlatformOptions(3, toFile, options, error)) << error;
}

TEST(EntryCommandLine, ArgumentsAreDecodedFromUtf8AndJoinedWithSingleSpaces) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--backend=headless", "-width=320", "-qaf=3", "caf\xC3\xA9", "\xFF\xC3",
                   "\xE2\x82\xAC\xF0\x9F\x98\x80"},
                  recordCommandLine),
              5);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(lastCommandLine,
              std::wstring(L"-width=320 -qaf=3 caf\u00E9 \u00FF\u00C3 \u20AC") + wchar_t(0x1F600));
    EXPECT_EQ(runner::wideCommandLine({}), L"");
    // Overlong forms and encoded surrogates are not valid UTF-8: their bytes stand for themselves.
    EXPECT_EQ(runner::wideCommandLine({"\xC0\xAF", "\xED\xA0\x80"}), L"\u00C0\u00AF \u00ED\u00A0\u0080");
}

TEST(VirtualClock, AdvancesExactlyOneThirtiethOfASecondPerFrameWithoutDrift) {
    {
        const VirtualClockScope clock(30);
        EXPECT_EQ(platform::tickCountMs(), 0u);
        std::uint32_t previous = 0;
        for (std::uint64_t frame = 1; frame <= 10000; ++frame) {
            platform::advanceVirtualClock();
            const std::uint32_t now = platform::tickCountMs();
            ASSERT_EQ(now, frame * 1000 / 30) << "frame " << frame;
            ASSERT_TRUE(now - previous == 33 || now - previous == 34);
            previous = now;
        }
        EXPECT_EQ(platform::tickCountMs(), 333333u);
    }
    EXPECT_FALSE(platform::virtualClock());
}

TEST(Capture, TenFramesOfY4mWithHeaderMarkersAndSizeAndTheVirtualClock) {
    const fs::path video = scratch("race.y4m");
    frames = 10;
    testing::internal::CaptureStdout();
    EXPECT_EQ(run({"--backend=headless", "--screen=64x48", "--fixed-fps=25",
                   ("--capture=" + video.string()).c_str(), "--stats"},
                  miniShell),
              0);
    const std::string stats = testing::internal::GetCapturedStdout();
    platform::useVirtualClock(0);
    EXPECT_NE(stats.find("frames presented: 10\n"), std::string::npos) << stats;

    const std::string header = "YUV4MPEG2 W64 H48 F25:1 Ip A1:1 C420jpeg XCOLORRANGE=FULL\n";
    const std::size_t frameBytes = 6 + 64 * 48 + 2 * 32 * 24;
    const std::string data = fileText(video);
    ASSERT_EQ(data.size(), header.size() + 10 * frameBytes);
    EXPECT_EQ(data.substr(0, header.size()), header);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(data.substr(header.size() + i * frameBytes, 6), "FRAME\n") << "frame " << i;
    }
    // Upright: the first luma row is red's (76), the last blue's (29).
    const std::size_t luma = header.size() + 6;
    EXPECT_EQ(static_cast<unsigned char>(data[luma]), 76);
    EXPECT_EQ(static_cast<unsigned char>(data[luma + 47 * 64]), 29);
    ASSERT_EQ(ticksAfterFrames.size(), 10u);
    for (std::size_t i = 0; i < ticksAfterFrames.size(); ++i) {
        EXPECT_EQ(ticksAfterFrames[i], (i + 1) * 40);
    }
}

TEST(Capture, ScreenshotAndNumberedPngsAreUpright) {
    const fs::path shot = scratch("shot.png");
    const fs::path pattern = scratch("frame%03d.png");
    frames = 5;
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--backend=headless", "--screen=40x30", ("--screenshot=2:" + shot.string()).c_str(),
                   ("--capture=" + pattern.string()).c_str(), "--capture-every=2"},
                  miniShell),
              0);
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("nymbus:"), std::string::npos);
    runner::PngImage image;
    ASSERT_TRUE(runner::readPng(shot.string(), image));
    ASSERT_EQ(image.width, 40);
    ASSERT_EQ(image.height, 30);
    const auto pixel = [&image](int x, int y) {
        const std::uint8_t* p = &image.rgba[static_cast<std::size_t>((y * image.width + x) * 4)];
        return std::vector<int>{p[0], p[1], p[2], p[3]};
    };
    EXPECT_EQ(pixel(0, 0), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(pixel(39, 14), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(pixel(0, 15), (std::vector<int>{0, 0, 255, 255}));
    EXPECT_EQ(pixel(39, 29), (std::vector<int>{0, 0, 255, 255}));
    // Frames 0, 2 and 4 are captured, numbered 0, 1 and 2.
    EXPECT_TRUE(fs::exists(scratch("frame000.png")));
    EXPECT_TRUE(fs::exists(scratch("frame002.png")));
    EXPECT_FALSE(fs::exists(scratch("frame003.png")));
}

TEST(Headless, ScriptedEscapeEndsTheRunAndTheOffScreenNoticeIsGivenOnce) {
    frames = 100;
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--backend=headless", "--screen=16x16", "--input=escape@3"}, miniShell), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ticksAfterFrames.size(), 4u);
    EXPECT_NE(err.find("rendering off-screen"), std::string::npos);
    EXPECT_EQ(err.find("off-screen"), err.rfind("off-screen")) << err;
}

TEST(ContextLoss, LoseContextOptionFailsTheSwapsFromThatFrameAndTheVirtualClockSkipsThem) {
    frames = 4;
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--backend=headless", "--screen=8x8", "--fixed-fps=10", "--lose-context=1"}, miniShell),
              0);
    testing::internal::GetCapturedStderr();
    platform::useVirtualClock(0);
    // The mini shell does not recover: its context stays lost.
    EXPECT_EQ(swapResults,
              (std::vector<EGLint>{EGL_SUCCESS, EGL_CONTEXT_LOST, EGL_CONTEXT_LOST, EGL_CONTEXT_LOST}));
    EXPECT_EQ(ticksAfterFrames, (std::vector<std::uint32_t>{100, 100, 100, 100}));
}

TEST(DebugOutput, LogOptionSendsTheDebugOutputToTheFileAsUtf8UntilTheRunEnds) {
    const fs::path log = scratch("run.log");
    frames = 1;
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--backend=headless", ("--log=" + log.string()).c_str()}, miniShell), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("mini shell"), std::string::npos);
    EXPECT_EQ(fileText(log), "mini shell done: \xC3\xA9\n");
    // The log is closed with the run: later output goes to standard error again.
    testing::internal::CaptureStderr();
    platform::outputDebugString(L"after the run\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "after the run\n");
    EXPECT_EQ(fileText(log), "mini shell done: \xC3\xA9\n");
}

int raiseThenPump(void*, const wchar_t*) {
    std::raise(SIGTERM);
    platform::Message message;
    return platform::peekMessage(message) && message.type == platform::MessageType::Quit ? 0 : 1;
}

TEST(Signals, SigtermPostsTheQuitMessage) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--backend=headless"}, raiseThenPump), 0);
    testing::internal::GetCapturedStderr();
}

} // namespace
