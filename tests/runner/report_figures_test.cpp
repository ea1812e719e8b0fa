// Frame statistics, the run summary, the benchmark table and the frame recorder.
#include "platform/frame_marks.h"
#include "runner/report/benchmark_table.h"
#include "runner/report/frame_recorder.h"
#include "runner/report/frame_statistics.h"
#include "runner/report/run_summary.h"
#include "tests/runner/report_example.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace runner::report;

TEST(FrameStatistics, PercentilesInterpolateBetweenRanksAndTheFiguresFollowFromTheTimes) {
    // Ten frames of 10, 1, 9, 2, ... ms: sorted 1..10, 55 ms in all.
    const std::vector<double> ms = {10, 1, 9, 2, 8, 3, 7, 4, 6, 5};
    const FrameStatistics s = frameStatistics(ms, 25);
    EXPECT_EQ(s.frames, 10u);
    EXPECT_DOUBLE_EQ(s.totalMs, 55);
    EXPECT_DOUBLE_EQ(s.meanFps, 10 * 1000.0 / 55);
    EXPECT_DOUBLE_EQ(s.medianMs, 5.5); // rank 4.5
    EXPECT_DOUBLE_EQ(s.p95Ms, 9.55);   // rank 8.55
    EXPECT_DOUBLE_EQ(s.p99Ms, 9.91);   // rank 8.91
    EXPECT_DOUBLE_EQ(s.worstMs, 10);
    EXPECT_DOUBLE_EQ(s.cpuMsPerFrame, 2.5);

    const std::vector<double> sorted = {2, 4};
    EXPECT_DOUBLE_EQ(quantile(sorted, 0), 2);
    EXPECT_DOUBLE_EQ(quantile(sorted, 0.25), 2.5);
    EXPECT_DOUBLE_EQ(quantile(sorted, 1), 4);
    EXPECT_DOUBLE_EQ(quantile(std::vector<double>{7}, 0.99), 7);
    EXPECT_EQ(quantile({}, 0.5), 0);

    const FrameStatistics none = frameStatistics({}, 3);
    EXPECT_EQ(none.frames, 0u);
    EXPECT_EQ(none.meanFps, 0);
    EXPECT_EQ(none.cpuMsPerFrame, 0);
}

FrameLog exampleLog() {
    // 3 warm-up frames, then a: 2 frames of 10 ms, b: 1 of 40 ms, unlabelled: 1 of 20 ms, a: 1 of 10 ms.
    FrameLog log;
    log.labels = {"a", "b", "unused"};
    log.laps = 1;
    for (int i = 0; i < 3; ++i) {
        log.frames.push_back({500, 400, 1});
    }
    log.frames.push_back({10, 5, 0});
    log.frames.push_back({10, 5, 0});
    log.frames.push_back({40, 20, 1});
    log.frames.push_back({20, 10, -1});
    log.frames.push_back({10, 5, 0});
    return log;
}

TEST(RunSummary, WarmUpApartLabelsInTheirOrderUnlabelledFramesInTheWholeRunOnly) {
    const RunSummary s = summariseRun(exampleLog(), 3);
    EXPECT_EQ(s.warmUp.frames, 3u);
    EXPECT_DOUBLE_EQ(s.warmUp.totalMs, 1500);
    ASSERT_EQ(s.labels.size(), 2u); // "unused" labels no measured frame
    EXPECT_EQ(s.labels[0].label, "a");
    EXPECT_EQ(s.labels[0].figures.frames, 3u);
    EXPECT_DOUBLE_EQ(s.labels[0].figures.meanFps, 100);
    EXPECT_DOUBLE_EQ(s.labels[0].figures.cpuMsPerFrame, 5);
    EXPECT_EQ(s.labels[1].label, "b");
    EXPECT_EQ(s.labels[1].figures.frames, 1u);
    EXPECT_DOUBLE_EQ(s.labels[1].figures.worstMs, 40);
    EXPECT_EQ(s.whole.frames, 5u);
    EXPECT_DOUBLE_EQ(s.whole.totalMs, 90);
    EXPECT_DOUBLE_EQ(s.whole.medianMs, 10);
    EXPECT_EQ(s.score, 56); // 5 frames in 90 ms: 55.6 fps
    EXPECT_EQ(s.laps, 1);

    // A run no longer than the warm-up has only warm-up frames.
    const RunSummary shortRun = summariseRun(exampleLog(), 100);
    EXPECT_EQ(shortRun.warmUp.frames, 8u);
    EXPECT_EQ(shortRun.whole.frames, 0u);
    EXPECT_TRUE(shortRun.labels.empty());
    EXPECT_EQ(shortRun.score, 0);
}

TEST(BenchmarkTable, ShowsTheEnvironmentTheWarmUpARowPerLabelTheWholeRunAndTheScore) {
    const std::string table = benchmarkTable(exampleEnvironment(), summariseRun(exampleLog(), 3), 30);
    for (const char* expected :
         {"nymbus 0.1.0 benchmark: 1 lap on the virtual clock at 30 fps", "GL_VENDOR:   Mesa\n",
          "GL_RENDERER: soft \"pipe\"", "GL_VERSION:  OpenGL ES-CM 1.1\n",
          "EGL config:  RGBA 5/6/5/0, depth 16, stencil 0, samples 0 (config 42)\n",
          "surface:     320 x 240, headless backend\n", "warm-up:     3 frames in 1500.0 ms",
          "\na               3     100.0      10.00   10.00   10.00     10.00          5.00\n",
          "\nb               1      25.0      40.00   40.00   40.00     40.00         20.00\n",
          "\nwhole run       5      55.6      10.00", "\nscore: 56\n"}) {
        EXPECT_NE(table.find(expected), std::string::npos) << expected << "\nin\n" << table;
    }
    EXPECT_EQ(table.find("unused"), std::string::npos);
}

TEST(FrameRecorder, TakesTheLabelsAndLapsOfEachFrameWhileInstalled) {
    platform::labelFrame("before"); // nothing installed: ignored
    FrameRecorder recorder;
    platform::receiveFrameMarks(&recorder);
    platform::labelFrame("chase");
    platform::labelFrame("in-car"); // the last label before the presentation counts
    recorder.framePresented();
    recorder.framePresented(); // unlabelled
    platform::labelFrame("chase");
    platform::markCycleCompleted();
    recorder.framePresented();
    platform::receiveFrameMarks(nullptr);
    platform::labelFrame("after");
    platform::markCycleCompleted();
    recorder.framePresented();

    const FrameLog& log = recorder.log();
    EXPECT_EQ(log.labels, (std::vector<std::string>{"chase", "in-car"}));
    ASSERT_EQ(log.frames.size(), 4u);
    EXPECT_EQ(log.frames[0].label, 1);
    EXPECT_EQ(log.frames[1].label, -1);
    EXPECT_EQ(log.frames[2].label, 0);
    EXPECT_EQ(log.frames[3].label, -1);
    EXPECT_EQ(log.laps, 1);
    for (const FrameRecord& f : log.frames) {
        EXPECT_GE(f.frameMs, 0);
        EXPECT_GE(f.cpuMs, 0);
    }
}

} // namespace
