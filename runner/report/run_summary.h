#pragma once
// A recorded run's figures: the warm-up frames apart, then one set per label and one for the whole run.
#include "runner/report/frame_recorder.h"
#include "runner/report/frame_statistics.h"

#include <string>
#include <vector>

namespace runner::report {

// The frames at the start that load textures and warm caches: reported apart, kept out of the figures.
inline constexpr std::size_t kWarmUpFrames = 30;

struct LabelStatistics {
    std::string label;
    FrameStatistics figures;
};

struct RunSummary {
    FrameStatistics warmUp;
    std::vector<LabelStatistics> labels; // in the order of first appearance after the warm-up
    FrameStatistics whole;               // every frame after the warm-up
    long score = 0;                      // the whole run's mean fps, rounded
    int laps = 0;
};

// `warmUpFrames` of the recorded frames are the warm-up (all of them if there are fewer). Unlabelled
// frames count in the whole run only.
RunSummary summariseRun(const FrameLog& log, std::size_t warmUpFrames = kWarmUpFrames);

} // namespace runner::report
