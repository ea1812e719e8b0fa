// The process entry of the web build: the page passes the command line of its address
// (index.html?args=...). A page has no files to write, no window system to name and no processes to
// start, so the platform options that need them are refused, each with the same one line and exit code 2;
// the others work as natively. With --benchmark the results file is written for the page to offer.
#include "runner/options.h"
#include "runner/run_program.h"
#include "shell/shell_main.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The results of a --benchmark, in the module's own files, where the page looks for them.
constexpr const char* kResultsOption = "--results=nymbus-results.json";

// The first option that a page cannot honour, or null.
const char* refused(const runner::PlatformOptions& options) {
    const runner::report::ReportOptions& report = options.report;
    const struct {
        bool given;
        const char* name;
    } options_[] = {
        {options.backend.has_value(), "--backend"},
        {!options.logPath.empty(), "--log"},
        {!options.capturePath.empty(), "--capture"},
        {options.captureEvery != 1, "--capture-every"},
        {options.captureQuality >= 0, "--capture-quality"},
        {!report.resultsPath.empty(), "--results"},
        {!report.frameTimesPath.empty(), "--frame-times"},
        {!report.plotPath.empty(), "--plot"},
        {!report.validateOut.empty(), "--validate-out"},
        {!report.writeReferencesDir.empty(), "--write-references"},
    };
    for (const auto& option : options_) {
        if (option.given) {
            return option.name;
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    runner::PlatformOptions options;
    std::string error;
    // A malformed option is the run's to report, as natively.
    if (runner::parsePlatformOptions(argc, argv, options, error)) {
        if (const char* name = refused(options)) {
            std::fprintf(stderr, "nymbus: %s is not available in a browser\n", name);
            std::exit(2);
        }
    }
    std::vector<const char*> arguments(argv, argv + argc);
    if (options.report.benchmarkLaps > 0) {
        arguments.push_back(kResultsOption);
    }
    // exit, not a return: the run ends after the module has waited for the browser, when main's first
    // return has long been taken.
    std::exit(runner::runProgram(static_cast<int>(arguments.size()), arguments.data(), ShellMain));
}
