#include "runner/report/run_summary.h"

#include <algorithm>
#include <cmath>

namespace runner::report {

namespace {

constexpr int kAnyLabel = -2;

// The figures of frames [begin, end) that carry `label` (kAnyLabel: all of them).
FrameStatistics statisticsOf(const std::vector<FrameRecord>& frames, std::size_t begin, std::size_t end,
                             int label) {
    std::vector<double> ms;
    double cpu = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (label == kAnyLabel || frames[i].label == label) {
            ms.push_back(frames[i].frameMs);
            cpu += frames[i].cpuMs;
        }
    }
    return frameStatistics(ms, cpu);
}

} // namespace

RunSummary summariseRun(const FrameLog& log, std::size_t warmUpFrames) {
    const std::vector<FrameRecord>& frames = log.frames;
    const std::size_t first = std::min(warmUpFrames, frames.size());
    RunSummary summary;
    summary.warmUp = statisticsOf(frames, 0, first, kAnyLabel);
    std::vector<int> order;
    for (std::size_t i = first; i < frames.size(); ++i) {
        const int label = frames[i].label;
        if (label >= 0 && std::find(order.begin(), order.end(), label) == order.end()) {
            order.push_back(label);
        }
    }
    for (const int label : order) {
        summary.labels.push_back(
            {log.labels[static_cast<std::size_t>(label)], statisticsOf(frames, first, frames.size(), label)});
    }
    summary.whole = statisticsOf(frames, first, frames.size(), kAnyLabel);
    summary.score = std::lround(summary.whole.meanFps);
    summary.laps = log.laps;
    return summary;
}

} // namespace runner::report
