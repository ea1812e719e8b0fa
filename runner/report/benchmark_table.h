#pragma once
// The table printed at the end of a benchmark: what was measured, the warm-up apart, one row per label
// and one for the whole run, then the score.
#include "runner/report/run_environment.h"
#include "runner/report/run_summary.h"

#include <string>

namespace runner::report {

// `fixedFps` is the virtual clock's rate (0: the real clock).
std::string benchmarkTable(const RunEnvironment& environment, const RunSummary& summary, int fixedFps);

} // namespace runner::report
