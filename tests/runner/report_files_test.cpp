// The results file (read back with a JSON parser), the frame-times file, the plot, and files written
// whole or not at all.
#include "platform/whole_file.h"
#include "runner/png_file.h"
#include "runner/report/frame_time_plot.h"
#include "runner/report/frame_times_csv.h"
#include "runner/report/results_json.h"
#include "tests/runner/report_example.h"
#include "tests/support/text_and_folders.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace runner::report;

class ReportFiles : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("nym_report_files_" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
};

// 30 warm-up frames of 50 ms, then chase (10 frames of 8 ms), in-car (5 of 12 ms), chase (5 of 8 ms).
FrameLog exampleLog() {
    FrameLog log;
    log.labels = {"trackside", "chase", "in,car \"2\""};
    log.laps = 1;
    for (int i = 0; i < 30; ++i) {
        log.frames.push_back({50, 30, 0});
    }
    for (int i = 0; i < 20; ++i) {
        log.frames.push_back(i >= 10 && i < 15 ? FrameRecord{12, 6, 2} : FrameRecord{8, 4, 1});
    }
    return log;
}

TEST_F(ReportFiles, ResultsAreValidJsonWithEveryFigureAndTheEnvironment) {
    const FrameLog log = exampleLog();
    const std::string text = resultsJson(exampleEnvironment(), summariseRun(log), {1, 30});
    const nlohmann::json j = nlohmann::json::parse(text);
    EXPECT_EQ(j["schema"], 1);
    EXPECT_EQ(j["program"]["name"], "nymbus");
    EXPECT_EQ(j["program"]["version"], "0.1.0");
    EXPECT_EQ(j["run"]["benchmark"], true);
    EXPECT_EQ(j["run"]["laps_requested"], 1);
    EXPECT_EQ(j["run"]["laps_completed"], 1);
    EXPECT_EQ(j["run"]["fixed_fps"], 30);
    EXPECT_EQ(j["run"]["frames"], 50);
    EXPECT_EQ(j["run"]["warm_up_frames"], 30);
    const nlohmann::json& e = j["environment"];
    EXPECT_EQ(e["backend"], "headless");
    EXPECT_EQ(e["gl_renderer"], "soft \"pipe\" \\ \x01 \xc3\xbf");
    EXPECT_EQ(e["egl_config"]["id"], 42);
    EXPECT_EQ(e["egl_config"]["green"], 6);
    EXPECT_EQ(e["egl_config"]["depth"], 16);
    EXPECT_EQ(e["surface"]["width"], 320);
    EXPECT_EQ(e["surface"]["height"], 240);
    EXPECT_EQ(j["warm_up"]["frames"], 30);
    EXPECT_DOUBLE_EQ(j["warm_up"]["total_ms"].get<double>(), 1500);
    ASSERT_EQ(j["modes"].size(), 2u);
    EXPECT_EQ(j["modes"][0]["label"], "chase");
    EXPECT_EQ(j["modes"][0]["frames"], 15);
    EXPECT_DOUBLE_EQ(j["modes"][0]["mean_fps"].get<double>(), 125);
    EXPECT_DOUBLE_EQ(j["modes"][0]["cpu_ms_per_frame"].get<double>(), 4);
    EXPECT_EQ(j["modes"][1]["label"], "in,car \"2\"");
    EXPECT_DOUBLE_EQ(j["modes"][1]["median_ms"].get<double>(), 12);
    const nlohmann::json& whole = j["whole_run"];
    EXPECT_EQ(whole["frames"], 20);
    EXPECT_DOUBLE_EQ(whole["total_ms"].get<double>(), 180);
    EXPECT_DOUBLE_EQ(whole["median_ms"].get<double>(), 8);
    EXPECT_DOUBLE_EQ(whole["p95_ms"].get<double>(), 12);
    EXPECT_DOUBLE_EQ(whole["worst_ms"].get<double>(), 12);
    for (const char* key : {"mean_fps", "p99_ms"}) {
        EXPECT_TRUE(whole[key].is_number()) << key;
    }
    EXPECT_EQ(j["score"], 111); // 20 frames in 180 ms

    // The fields come in the order the README documents them.
    const auto keys = [](const nlohmann::ordered_json& object) {
        std::vector<std::string> names;
        for (const auto& [name, value] : object.items()) {
            names.push_back(name);
        }
        return names;
    };
    const nlohmann::ordered_json ordered = nlohmann::ordered_json::parse(text);
    EXPECT_EQ(keys(ordered), (std::vector<std::string>{"schema", "program", "run", "environment", "warm_up",
                                                       "modes", "whole_run", "score"}));
    EXPECT_EQ(keys(ordered["run"]), (std::vector<std::string>{"benchmark", "laps_requested", "laps_completed",
                                                              "fixed_fps", "frames", "warm_up_frames"}));
    EXPECT_EQ(keys(ordered["environment"]),
              (std::vector<std::string>{"backend", "gl_vendor", "gl_renderer", "gl_version", "egl_config",
                                        "surface"}));
    EXPECT_EQ(keys(ordered["modes"][0]),
              (std::vector<std::string>{"label", "frames", "total_ms", "mean_fps", "median_ms", "p95_ms",
                                        "p99_ms", "worst_ms", "cpu_ms_per_frame"}));

    // A run that presented nothing still gives a complete file.
    const nlohmann::json empty = nlohmann::json::parse(resultsJson({}, summariseRun({}), {}));
    EXPECT_EQ(empty["schema"], 1);
    EXPECT_EQ(empty["run"]["benchmark"], false);
    EXPECT_TRUE(empty["modes"].empty());
    EXPECT_EQ(empty["whole_run"]["frames"], 0);
    EXPECT_EQ(empty["score"], 0);
}

TEST_F(ReportFiles, FrameTimesHaveAHeaderAndOneRowPerFrameWithLabelsQuotedWhereNeeded) {
    const FrameLog log = exampleLog();
    const std::vector<std::string> rows = lines(frameTimesCsv(log));
    ASSERT_EQ(rows.size(), log.frames.size() + 1);
    EXPECT_EQ(rows[0], "frame,label,frame_ms,cpu_ms");
    EXPECT_EQ(rows[1], "0,trackside,50.000,30.000");
    EXPECT_EQ(rows[31], "30,chase,8.000,4.000");
    EXPECT_EQ(rows[41], "40,\"in,car \"\"2\"\"\",12.000,6.000");

    FrameLog unlabelled;
    unlabelled.frames.push_back({1.5, 0.25, -1});
    EXPECT_EQ(frameTimesCsv(unlabelled), "frame,label,frame_ms,cpu_ms\n0,,1.500,0.250\n");
}

TEST_F(ReportFiles, ThePlotIsAPngOrAnSvgWithTheLabelsAsColouredBands) {
    const FrameLog log = exampleLog();
    const RunSummary summary = summariseRun(log);
    std::string png;
    std::string error;
    ASSERT_TRUE(drawFrameTimePlot(log, summary, exampleEnvironment(), {1, 30}, false, png, error)) << error;
    const fs::path file = dir_ / "plot.png";
    ASSERT_TRUE(platform::writeWholeFile(file.string(), png, error)) << error;
    runner::PngImage image;
    ASSERT_TRUE(runner::readPng(file.string(), image));
    EXPECT_EQ(image.width, 1200);
    EXPECT_EQ(image.height, 540);
    // Near the bottom of the plot area, left of the frame-time line: the warm-up band is grey, the first
    // chase frames are drawn on a band of another colour than the in-car frames after them.
    const auto pixel = [&](int x, int y) {
        const std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * 1200 + x) * 4];
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    const int y = 540 - 52 - 3;
    const auto at = [&](double frame) { return static_cast<int>(70 + (1200 - 70 - 210) * frame / 50); };
    const auto warmUp = pixel(at(15), y);
    const auto chase = pixel(at(35), y);
    const auto inCar = pixel(at(42.5), y);
    EXPECT_EQ(warmUp[0], warmUp[1]);
    EXPECT_EQ(warmUp[1], warmUp[2]);
    EXPECT_NE(chase, warmUp);
    EXPECT_NE(chase, inCar);
    EXPECT_EQ(pixel(at(47), y), chase);

    std::string svg;
    ASSERT_TRUE(drawFrameTimePlot(log, summary, exampleEnvironment(), {}, true, svg, error)) << error;
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

TEST_F(ReportFiles, AWholeFileReplacesTheOldOneAndAFailedWriteLeavesNothingBehind) {
    const fs::path file = dir_ / "results.json";
    std::string error;
    ASSERT_TRUE(platform::writeWholeFile(file.string(), "old", error)) << error;
    ASSERT_TRUE(platform::writeWholeFile(file.string(), "new content", error)) << error;
    EXPECT_EQ(fileText(file), "new content");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::owner_read, fs::perms::owner_read);

    // A missing folder; a folder where the file should be.
    EXPECT_FALSE(platform::writeWholeFile((dir_ / "missing" / "r.json").string(), "x", error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    fs::create_directory(dir_ / "taken.json");
    EXPECT_FALSE(platform::writeWholeFile((dir_ / "taken.json").string(), "x", error));
    EXPECT_NE(error.find("rename"), std::string::npos) << error;

    // A write that the file-size limit cuts short: the old file stays whole.
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = platform::writeWholeFile(file.string(), std::string(100, 'x'), error);
    setrlimit(RLIMIT_FSIZE, &limit);
    sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(fileText(file), "new content");

    EXPECT_EQ(namesIn(dir_), (std::vector<std::string>{"results.json", "taken.json"}));
}

// Workers write captured frames at once: each file gets the permissions of the process's umask, which
// stays as it was, and each is whole.
TEST_F(ReportFiles, FilesWrittenAtOnceFromSeveralThreadsAreWholeAndKeepTheUmask) {
    const mode_t previous = ::umask(027);
    std::vector<std::thread> writers;
    std::vector<std::string> errors(6);
    for (int t = 0; t < 6; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < 40; ++i) {
                const std::string content(1000 + t * 40 + i, static_cast<char>('a' + t));
                const fs::path own = dir_ / (std::to_string(t) + "-" + std::to_string(i) + ".png");
                // Every thread also replaces one file that all of them write.
                if (!platform::writeWholeFile(own.string(), content, errors[t]) ||
                    !platform::writeWholeFile((dir_ / "shared.png").string(), content, errors[t])) {
                    return;
                }
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(::umask(previous), 027);
    for (int t = 0; t < 6; ++t) {
        EXPECT_EQ(errors[t], "");
        for (int i = 0; i < 40; ++i) {
            const fs::path own = dir_ / (std::to_string(t) + "-" + std::to_string(i) + ".png");
            struct stat status {};
            ASSERT_EQ(::stat(own.c_str(), &status), 0) << own;
            EXPECT_EQ(status.st_mode & 0777, 0640u) << own;
            EXPECT_EQ(fileText(own), std::string(1000 + t * 40 + i, static_cast<char>('a' + t)));
        }
    }
    const std::string shared = fileText(dir_ / "shared.png");
    ASSERT_FALSE(shared.empty());
    EXPECT_EQ(shared, std::string(shared.size(), shared[0]));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 6 * 40 + 1);
}

} // namespace
