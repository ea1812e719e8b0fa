#pragma once
// The end of a run that records its frames: the benchmark table, the results file, the frame-times file
// and the plot.
#include "runner/report/frame_recorder.h"
#include "runner/report/report_options.h"
#include "runner/report/run_environment.h"

#include <cstdio>

namespace runner::report {

// Prints the table on `table` for a benchmark (the caller flushes it and checks that) and writes the
// files asked for. A file that cannot be written gets one line on standard error and makes the result
// false; the others are still written.
bool writeRunReports(const ReportOptions& options, const FrameLog& log, const RunEnvironment& environment,
                     int fixedFps, std::FILE* table);

} // namespace runner::report
