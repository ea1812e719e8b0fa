#pragma once
// The frame-time plot: the time of every presented frame over the run, the labels (camera modes) as
// coloured bands behind it, the warm-up greyed, the median and 99th-percentile lines, and a title line
// with the renderer and the surface size. PNG or SVG, drawn with cairo.
#include "runner/report/frame_recorder.h"
#include "runner/report/results_json.h"
#include "runner/report/run_environment.h"
#include "runner/report/run_summary.h"

#include <string>

namespace runner::report {

// The picture as the bytes of a PNG file, or of an SVG file when `svg` is set. Returns false, with the
// reason in `error`, if cairo fails.
bool drawFrameTimePlot(const FrameLog& log, const RunSummary& summary, const RunEnvironment& environment,
                       const RunSettings& settings, bool svg, std::string& bytes, std::string& error);

} // namespace runner::report
