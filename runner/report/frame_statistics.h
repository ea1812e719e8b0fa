#pragma once
// Figures over a set of frame times: frame rate, median, percentiles and worst frame time, CPU time per
// frame. One definition for --stats, the benchmark table, the results file and the plot.
#include <cstddef>
#include <span>

namespace runner::report {

struct FrameStatistics {
    std::size_t frames = 0;
    double totalMs = 0; // the frame times added up
    double meanFps = 0; // frames per second over totalMs; 0 without frames
    double medianMs = 0;
    double p95Ms = 0;
    double p99Ms = 0;
    double worstMs = 0;
    double cpuMsPerFrame = 0; // user + system time of the whole process, all its threads
};

// The p-th quantile (p from 0 to 1) of values sorted in ascending order, interpolated linearly between
// the two nearest ranks: rank p * (n - 1), counted from 0. 0 for no values.
double quantile(std::span<const double> sorted, double p);

// The figures of these frames, given their times in any order and the CPU time they took in total.
FrameStatistics frameStatistics(std::span<const double> frameMs, double cpuMs);

} // namespace runner::report
