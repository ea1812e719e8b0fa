#include "runner/report/report_options.h"

#include <charconv>

namespace runner::report {

bool parseReportOption(std::string_view arg, ReportOptions& options, bool& recognised, std::string& error) {
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const bool hasValue = equals != std::string_view::npos;
    const std::string value(hasValue ? arg.substr(equals + 1) : std::string_view());
    recognised = true;
    const auto bad = [&](const char* what) {
        error = "invalid option " + std::string(arg) + ": " + what;
        return false;
    };
    const auto needsFile = [&](std::string& target, const char* suffix, const char* what) {
        if (value.size() <= std::string_view(suffix).size() || !value.ends_with(suffix)) {
            return bad(what);
        }
        target = value;
        return true;
    };
    if (name == "--benchmark") {
        options.benchmarkLaps = 1;
        if (hasValue) {
            const auto [end, ec] =
                std::from_chars(value.data(), value.data() + value.size(), options.benchmarkLaps);
            if (ec != std::errc() || end != value.data() + value.size() || options.benchmarkLaps < 1 ||
                options.benchmarkLaps > 1000) {
                return bad("expected a number of laps from 1 to 1000");
            }
        }
        return true;
    }
    if (name == "--results") {
        return needsFile(options.resultsPath, ".json", "expected a file name ending in .json");
    }
    if (name == "--frame-times") {
        return needsFile(options.frameTimesPath, ".csv", "expected a file name ending in .csv");
    }
    if (name == "--plot") {
        return needsFile(options.plotPath, value.ends_with(".svg") ? ".svg" : ".png",
                         "expected a file name ending in .png or .svg");
    }
    if (name == "--validate") {
        options.validate = true;
        if (hasValue) {
            if (value.empty()) {
                return bad("expected a folder");
            }
            options.referencesDir = value;
        }
        return true;
    }
    if (name == "--validate-out" || name == "--write-references") {
        if (value.empty()) {
            return bad(hasValue ? "expected a folder" : "needs a value");
        }
        (name == "--validate-out" ? options.validateOut : options.writeReferencesDir) = value;
        return true;
    }
    recognised = false;
    return true;
}

std::string reportUsage() {
    return "  --benchmark[=LAPS]         run LAPS laps (default 1) on a 30 fps virtual clock, timed by the "
           "real\n"
           "                             clock, and print the frame-time table and score at exit\n"
           "  --results=FILE.json        write the run's figures and environment as JSON at exit\n"
           "  --frame-times=FILE.csv     write one row per presented frame: frame, label, frame ms, CPU ms\n"
           "  --plot=FILE.png|FILE.svg   draw the frame times over the run\n"
           "  --validate[=DIR]           render the reference frames listed in DIR (default: the "
           "program's own)\n"
           "                             and compare them with its PNG files; exit 1 if one differs\n"
           "  --validate-out=DIR         with --validate: write each failing frame and a difference image\n"
           "  --write-references=DIR     render the reference frames into DIR (the list: DIR/frames.txt, "
           "else\n"
           "                             the program's own, copied into DIR)\n";
}

} // namespace runner::report
