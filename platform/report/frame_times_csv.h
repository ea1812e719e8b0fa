#pragma once
// The frame-times file: a header line, then one row per presented frame: frame (counted from 0), label,
// frame time and CPU time in milliseconds.
#include "platform/report/frame_recorder.h"

#include <string>

namespace platform::report {

std::string frameTimesCsv(const FrameLog& log);

} // namespace platform::report
