#include "runner/report/run_reports.h"

#include "platform/whole_file.h"
#include "runner/report/benchmark_table.h"
#include "runner/report/frame_time_plot.h"
#include "runner/report/frame_times_csv.h"
#include "runner/report/results_json.h"
#include "runner/report/run_summary.h"

namespace runner::report {

namespace {

bool write(const std::string& path, const std::string& content) {
    std::string error;
    if (platform::writeWholeFile(path, content, error)) {
        return true;
    }
    std::fprintf(stderr, "nymbus: %s\n", error.c_str());
    return false;
}

} // namespace

bool writeRunReports(const ReportOptions& options, const FrameLog& log, const RunEnvironment& environment,
                     int fixedFps, std::FILE* table) {
    const RunSummary summary = summariseRun(log);
    const RunSettings settings{options.benchmarkLaps, fixedFps};
    bool ok = true;
    if (options.benchmarkLaps > 0) {
        std::fputs(benchmarkTable(environment, summary, fixedFps).c_str(), table);
    }
    if (!options.resultsPath.empty()) {
        ok = write(options.resultsPath, resultsJson(environment, summary, settings)) && ok;
    }
    if (!options.frameTimesPath.empty()) {
        ok = write(options.frameTimesPath, frameTimesCsv(log)) && ok;
    }
    if (!options.plotPath.empty()) {
        std::string bytes;
        std::string error;
        if (!drawFrameTimePlot(log, summary, environment, settings, options.plotPath.ends_with(".svg"), bytes,
                               error)) {
            std::fprintf(stderr, "nymbus: cannot write %s: %s\n", options.plotPath.c_str(), error.c_str());
            ok = false;
        } else {
            ok = write(options.plotPath, bytes) && ok;
        }
    }
    return ok;
}

} // namespace runner::report
