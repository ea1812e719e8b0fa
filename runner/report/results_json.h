#pragma once
// The results file: the run's figures and what they were measured on, as JSON ("schema": 1; the README
// describes every field, in the order they are written). A byte of a text that is not part of valid
// UTF-8 becomes the character of its value.
#include "runner/report/run_environment.h"
#include "runner/report/run_summary.h"

#include <string>

namespace runner::report {

struct RunSettings {
    int benchmarkLaps = 0; // laps asked for with --benchmark; 0 without
    int fixedFps = 0;      // the virtual clock's rate; 0 for the real clock
};

std::string resultsJson(const RunEnvironment& environment, const RunSummary& summary,
                        const RunSettings& settings);

} // namespace runner::report
