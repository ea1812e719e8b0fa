#pragma once
// The frame-times file: a header line, then one row per presented frame: frame (counted from 0), label,
// frame time and CPU time in milliseconds.
#include "runner/report/frame_recorder.h"

#include <string>

namespace runner::report {

std::string frameTimesCsv(const FrameLog& log);

} // namespace runner::report
