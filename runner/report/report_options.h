#pragma once
// The options of the benchmark, the report files and the validation against reference frames.
#include <string>
#include <string_view>

namespace runner::report {

struct ReportOptions {
    int benchmarkLaps = 0;          // --benchmark[=LAPS]; 0: no benchmark
    std::string resultsPath;        // --results=FILE.json
    std::string frameTimesPath;     // --frame-times=FILE.csv
    std::string plotPath;           // --plot=FILE.png or FILE.svg
    bool validate = false;          // --validate[=DIR]
    std::string referencesDir;      // empty: the program's own reference frames
    std::string validateOut;        // --validate-out=DIR
    std::string writeReferencesDir; // --write-references=DIR

    // Whether the run's frames are reported at its end (in a table or in files).
    bool reportsFrames() const {
        return benchmarkLaps > 0 || !resultsPath.empty() || !frameTimesPath.empty() || !plotPath.empty();
    }
};

// Handles `arg` if it is one of these options: returns true and sets `recognised`; a malformed one
// returns false with the reason in `error`. Other arguments return true with `recognised` false.
bool parseReportOption(std::string_view arg, ReportOptions& options, bool& recognised, std::string& error);

// The usage lines of these options.
std::string reportUsage();

} // namespace runner::report
