#include "runner/report/frame_statistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace runner::report {

double quantile(std::span<const double> sorted, double p) {
    if (sorted.empty()) {
        return 0;
    }
    const double rank = std::clamp(p, 0.0, 1.0) * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double fraction = rank - static_cast<double>(below);
    return sorted[below] + (sorted[above] - sorted[below]) * fraction;
}

FrameStatistics frameStatistics(std::span<const double> frameMs, double cpuMs) {
    FrameStatistics s;
    s.frames = frameMs.size();
    if (frameMs.empty()) {
        return s;
    }
    std::vector<double> sorted(frameMs.begin(), frameMs.end());
    std::sort(sorted.begin(), sorted.end());
    s.totalMs = std::accumulate(sorted.begin(), sorted.end(), 0.0);
    s.meanFps = s.totalMs > 0 ? 1000.0 * static_cast<double>(s.frames) / s.totalMs : 0;
    s.medianMs = quantile(sorted, 0.5);
    s.p95Ms = quantile(sorted, 0.95);
    s.p99Ms = quantile(sorted, 0.99);
    s.worstMs = sorted.back();
    s.cpuMsPerFrame = cpuMs / static_cast<double>(s.frames);
    return s;
}

} // namespace runner::report
