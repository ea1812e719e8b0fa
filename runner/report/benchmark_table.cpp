#include "runner/report/benchmark_table.h"

#include <algorithm>
#include <cstdio>

namespace runner::report {

namespace {

std::string row(const std::string& name, int width, const FrameStatistics& s) {
    char text[256];
    std::snprintf(text, sizeof text, "%-*s %7zu %9.1f %10.2f %7.2f %7.2f %9.2f %13.2f\n", width, name.c_str(),
                  s.frames, s.meanFps, s.medianMs, s.p95Ms, s.p99Ms, s.worstMs, s.cpuMsPerFrame);
    return text;
}

} // namespace

std::string benchmarkTable(const RunEnvironment& e, const RunSummary& summary, int fixedFps) {
    std::string text = "nymbus " + e.version + " benchmark: " + std::to_string(summary.laps) +
                       (summary.laps == 1 ? " lap" : " laps") +
                       (fixedFps > 0 ? " on the virtual clock at " + std::to_string(fixedFps) + " fps"
                                     : std::string(" on the real clock")) +
                       ", timed by the real clock\n";
    text += "GL_VENDOR:   " + e.glVendor + "\n";
    text += "GL_RENDERER: " + e.glRenderer + "\n";
    text += "GL_VERSION:  " + e.glVersion + "\n";
    text += "EGL config:  " + describeConfig(e.config) + "\n";
    text += "surface:     " + std::to_string(e.width) + " x " + std::to_string(e.height) + ", " + e.backend +
            " backend\n";
    char line[160];
    std::snprintf(line, sizeof line, "warm-up:     %zu frames in %.1f ms, kept out of the figures below\n\n",
                  summary.warmUp.frames, summary.warmUp.totalMs);
    text += line;

    int width = 9;
    for (const LabelStatistics& l : summary.labels) {
        width = std::max(width, static_cast<int>(l.label.size()));
    }
    std::snprintf(line, sizeof line, "%-*s %7s %9s %10s %7s %7s %9s %13s\n", width, "mode", "frames",
                  "mean fps", "median ms", "p95 ms", "p99 ms", "worst ms", "CPU ms/frame");
    text += line;
    for (const LabelStatistics& l : summary.labels) {
        text += row(l.label, width, l.figures);
    }
    text += row("whole run", width, summary.whole);
    text += "score: " + std::to_string(summary.score) + "\n";
    return text;
}

} // namespace runner::report
