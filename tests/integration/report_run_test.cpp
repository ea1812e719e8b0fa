// The program run with the benchmark, the report files and the validation, on the system's GL
// off-screen.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runner/png_file.h"
#include "tests/support/child_process.h"
#include "tests/support/text_and_folders.h"

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class ReportRun : public testing::Test {
protected:
    void SetUp() override { dir_ = freshFolder("nym_report_run"); }
    void TearDown() override { fs::remove_all(dir_); }

    // The program with these arguments, run in the test's own folder for at most ten minutes; its standard
    // output and error kept, unless standard output goes to `standardOutput`.
    ProgramRun run(const std::vector<std::string>& args, const fs::path& standardOutput = {}) {
        ChildProcess program(NYM_PROGRAM, args, {}, dir_.string(), standardOutput.string());
        ProgramRun result;
        result.exitCode = program.waitForExit(std::chrono::seconds(600)).value_or(-1);
        result.err = program.output();
        if (standardOutput.empty()) {
            result.out = program.standardOutput();
        }
        return result;
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(ReportRun, ABenchmarkRunsOneLapAndReportsEachCameraModeInTheTableAndTheFiles) {
    const ProgramRun r =
        run({"--backend=headless", "--screen=64x48", "--benchmark", "--results=" + path("r.json"),
             "--frame-times=" + path("t.csv"), "--plot=" + path("p.svg"), "--log=" + path("log.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, ""); // the hint about running off-screen is not given to a benchmark

    const nlohmann::json j = nlohmann::json::parse(fileText(dir_ / "r.json"));
    EXPECT_EQ(j["schema"], 1);
    EXPECT_EQ(j["run"]["fixed_fps"], 30);
    EXPECT_EQ(j["run"]["laps_completed"], 1);
    const int frames = j["run"]["frames"];
    // A lap is 2500 frames at 30 fps: the run stops right after the frame that completes it.
    EXPECT_GE(frames, 2495);
    EXPECT_LE(frames, 2505);
    EXPECT_EQ(j["environment"]["backend"], "headless");
    EXPECT_EQ(j["environment"]["surface"]["width"], 64);
    EXPECT_EQ(j["environment"]["surface"]["height"], 48);
    EXPECT_FALSE(j["environment"]["gl_renderer"].get<std::string>().empty());
    EXPECT_GE(j["environment"]["egl_config"]["depth"], 16);
    EXPECT_EQ(j["warm_up"]["frames"], 30);
    std::vector<std::string> modes;
    int modeFrames = 0;
    for (const nlohmann::json& m : j["modes"]) {
        modes.push_back(m["label"]);
        modeFrames += m["frames"].get<int>();
    }
    EXPECT_EQ(modes, (std::vector<std::string>{"trackside", "chase", "in-car"}));
    EXPECT_EQ(modeFrames, j["whole_run"]["frames"].get<int>());
    EXPECT_EQ(modeFrames + 30, frames);
    EXPECT_EQ(j["score"], std::lround(j["whole_run"]["mean_fps"].get<double>()));

    // One row per presented frame; the labels follow the lap's camera schedule.
    const std::vector<std::string> rows = lines(fileText(dir_ / "t.csv"));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(frames) + 1);
    std::vector<std::string> schedule;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::size_t a = rows[i].find(',');
        const std::string label = rows[i].substr(a + 1, rows[i].find(',', a + 1) - a - 1);
        EXPECT_EQ(rows[i].substr(0, a), std::to_string(i - 1));
        if (schedule.empty() || schedule.back() != label) {
            schedule.push_back(label);
        }
    }
    EXPECT_EQ(schedule,
              (std::vector<std::string>{"trackside", "chase", "trackside", "in-car", "chase", "trackside"}));

    const std::string svg = fileText(dir_ / "p.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);

    for (const std::string& expected :
         {std::string("benchmark: 1 lap on the virtual clock at 30 fps"),
          std::string("surface:     64 x 48, headless"), std::string("\ntrackside "), std::string("\nchase "),
          std::string("\nin-car "), std::string("\nwhole run "),
          "\nscore: " + std::to_string(j["score"].get<int>()) + "\n"}) {
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\nin\n" << r.out;
    }
}

TEST_F(ReportRun, AReportThatCannotBeWrittenIsOneLineAndExitCodeOneAndLeavesNoFile) {
    fs::create_directory(dir_ / "taken.png");
    const ProgramRun r = run({"--backend=headless", "--screen=64x48", "--fixed-fps=30", "-qaf=3",
                              "--screenshot=0:" + path("shot.png"), "--log=" + path("log.txt"),
                              "--results=" + path("missing/r.json"), "--frame-times=" + path("t.csv"),
                              "--plot=" + path("taken.png")});
    EXPECT_EQ(r.exitCode, 1);
    const std::vector<std::string> err = lines(r.err);
    ASSERT_EQ(err.size(), 2u) << r.err;
    // Each names the file and the step that failed.
    EXPECT_EQ(err[0], "nymbus: cannot create " + path("missing/r.json") + ": No such file or directory");
    EXPECT_EQ(err[1], "nymbus: cannot rename a new file to " + path("taken.png") + ": Is a directory");
    // The file that could be written is whole: a header and four frames.
    EXPECT_EQ(lines(fileText(dir_ / "t.csv")).size(), 5u);
    EXPECT_EQ(namesIn(dir_), (std::vector<std::string>{"log.txt", "shot.png", "t.csv", "taken.png"}));
}

TEST_F(ReportRun, ValidationPassesOnItsOwnReferencesAndFailsOnAChangedOrMissingOne) {
    const fs::path refs = dir_ / "refs";
    fs::create_directory(refs);
    std::ofstream(refs / "frames.txt") << "start 0 64x48\nlater 5 64x48  # a comment\nportrait 2 48x64\n";
    const ProgramRun written = run({"--write-references=" + refs.string()});
    ASSERT_EQ(written.exitCode, 0) << written.out << written.err;
    EXPECT_NE(written.out.find("3 of 3 references written"), std::string::npos) << written.out;
    runner::PngImage later;
    ASSERT_TRUE(runner::readPng((refs / "later.png").string(), later));
    EXPECT_EQ(later.width, 64);
    runner::PngImage portrait;
    ASSERT_TRUE(runner::readPng((refs / "portrait.png").string(), portrait));
    EXPECT_EQ(portrait.width, 48);
    EXPECT_EQ(portrait.height, 64);

    const ProgramRun passed = run({"--validate=" + refs.string()});
    EXPECT_EQ(passed.exitCode, 0) << passed.out << passed.err;
    EXPECT_EQ(lines(passed.out).size(), 5u) << passed.out;
    EXPECT_NE(passed.out.find("PASS: 3 of 3 frames"), std::string::npos) << passed.out;

    // A black block over a quarter of one reference, another reference gone.
    for (int y = 0; y < 24; ++y) {
        std::fill_n(&later.rgba[static_cast<std::size_t>(y) * 64 * 4], 32 * 4, std::uint8_t{0});
    }
    ASSERT_TRUE(runner::writePng((refs / "later.png").string(), 64, 48, later.rgba.data()));
    fs::remove(refs / "portrait.png");
    const fs::path out = dir_ / "out";
    const ProgramRun failed = run({"--validate=" + refs.string(), "--validate-out=" + out.string()});
    EXPECT_EQ(failed.exitCode, 1);
    const std::vector<std::string> l = lines(failed.out);
    ASSERT_EQ(l.size(), 5u) << failed.out;
    EXPECT_NE(l[1].find("pass"), std::string::npos) << l[1];
    EXPECT_NE(l[2].find("FAIL"), std::string::npos) << l[2];
    EXPECT_NE(l[3].find("FAIL: no reference picture"), std::string::npos) << l[3];
    EXPECT_EQ(l[4].rfind("FAIL: 1 of 3 frames", 0), 0u) << l[4];
    EXPECT_TRUE(fs::exists(out / "later.png"));
    EXPECT_TRUE(fs::exists(out / "later-difference.png"));
    EXPECT_FALSE(fs::exists(out / "start.png"));

    const ProgramRun noList = run({"--validate=" + (dir_ / "nothing").string()});
    EXPECT_EQ(noList.exitCode, 1);
    EXPECT_NE(noList.err.find("cannot read the list of reference frames"), std::string::npos) << noList.err;
}

TEST_F(ReportRun, TheProgramsOwnReferencesAreFoundFromAnyFolder) {
    const ProgramRun r = run({"--validate"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("reference frames of " NYM_SOURCE_DIR "/tests/references/frames.txt"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("PASS: 12 of 12 frames"), std::string::npos) << r.out;
}

// The table and the verdict are the output of these runs: losing them is a failed run.
TEST_F(ReportRun, ATableOrAVerdictThatStandardOutputCannotTakeIsAnError) {
    const std::string full = "nymbus: cannot write standard output: No space left on device\n";
    const ProgramRun benchmark =
        run({"--backend=headless", "--screen=16x12", "--benchmark", "-qaf=40", "--log=" + path("log.txt")},
            "/dev/full");
    EXPECT_EQ(benchmark.exitCode, 1);
    EXPECT_EQ(benchmark.err, full);

    const fs::path refs = dir_ / "refs";
    fs::create_directory(refs);
    std::ofstream(refs / "frames.txt") << "start 0 16x12\n";
    const ProgramRun written = run({"--write-references=" + refs.string()}, "/dev/full");
    EXPECT_EQ(written.exitCode, 1);
    EXPECT_EQ(written.err, full);
    ASSERT_TRUE(fs::exists(refs / "start.png"));
    const ProgramRun validated = run({"--validate=" + refs.string()}, "/dev/full");
    EXPECT_EQ(validated.exitCode, 1);
    EXPECT_EQ(validated.err, full);
}

} // namespace
