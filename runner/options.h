#pragma once
// The platform's own command-line options (all begin with "--"); the other arguments go to the shell.
#include "platform/gles/system_driver.h"
#include "platform/window/window_backend.h"
#include "runner/report/report_options.h"

#include <optional>
#include <string>
#include <vector>

namespace runner {

struct Screenshot {
    int frame = 0;
    std::string path;
};

struct PlatformOptions {
    bool help = false;
    bool version = false;
    std::optional<platform::WindowBackendKind> backend; // default: see platform::selectDefaultWindowBackend
    platform::HeadlessSettings headless;                // --screen, --input
    std::optional<platform::gles::GlPath> gl;           // default: see platform::gles::chooseGlPath
    int fixedFps = 0;                                   // 0: the real clock
    std::string logPath;
    std::string capturePath; // "-" for y4m on standard output
    int captureEvery = 1;
    int captureQuality = -1; // a video's constant rate factor; -1: the container's default
    std::vector<Screenshot> screenshots;
    bool stats = false;
    std::vector<int> loseContextFrames;
    std::string frameDigestPath;             // --frame-digest: "-" for standard output
    report::ReportOptions report;            // --benchmark, --results, --frame-times, --plot, --validate...
    std::vector<std::string> shellArguments; // in order, everything that is not a platform option
};

// Parses argv[1..]. Returns false with a one-line reason in `error` for a malformed platform option.
bool parsePlatformOptions(int argc, const char* const* argv, PlatformOptions& options, std::string& error);

// A capture into one stream (y4m in a file or on standard output, or a video) rather than numbered files.
bool streamCapture(const std::string& path);

// The usage summary (several lines, ending in a newline).
std::string platformUsage();

} // namespace runner
