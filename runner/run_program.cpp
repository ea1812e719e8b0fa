#include "runner/run_program.h"
#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/gles/emulation.h"
#include "platform/gles/frame_digest.h"
#include "platform/gles/system_driver.h"
#include "platform/interruption.h"
#include "platform/output_file.h"
#include "platform/utf8.h"
#include "platform/window/window_backend.h"
#include "runner/capture/video_container.h"
#include "runner/options.h"
#include "runner/presentation.h"
#include "runner/validation/validation.h"

#include <cerrno>
#include <csignal>
#include <cstdio>

#ifndef NYM_VERSION
#define NYM_VERSION "0"
#endif

namespace runner {

namespace {

extern "C" void postQuitOnSignal(int) {
    platform::postQuitMessage(0);
    platform::noteInterruption();
}

// Each SIGINT and SIGTERM from now on posts the quit message and is counted, so that outputs waiting
// for a reader stop waiting and a second signal abandons what is not finished (see
// platform/interruption.h). The handlers stay to the end of the process: a signal that comes once the
// outputs are complete changes nothing, and ending the process then would turn a finished run into a
// failed one.
void quitOnSignals() {
    platform::resetInterruptions();
    struct sigaction action {};
    action.sa_handler = postQuitOnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// Writes out what standard output still holds; false, said on standard error, if it cannot.
bool flushStandardOutput() {
    if (std::fflush(stdout) == 0) {
        return true;
    }
    std::fprintf(stderr, "nymbus: %s\n",
                 platform::describeFailure("write", "standard output", errno).c_str());
    return false;
}

} // namespace

std::wstring wideCommandLine(const std::vector<std::string>& arguments) {
    std::wstring line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i) {
            line += L' ';
        }
        line += platform::fromUtf8(arguments[i]);
    }
    return line;
}

int runProgram(int argc, const char* const* argv, EntryFunction entry) {
    PlatformOptions options;
    std::string error;
    if (!parsePlatformOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "nymbus: %s\n%s", error.c_str(), platformUsage().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(platformUsage().c_str(), stdout);
        return flushStandardOutput() ? 0 : 1;
    }
    if (options.version) {
        std::puts("nymbus " NYM_VERSION);
        return flushStandardOutput() ? 0 : 1;
    }
    if (const std::string problem = videoCaptureProblem(options.capturePath); !problem.empty()) {
        std::fprintf(stderr, "nymbus: %s\n", problem.c_str());
        return 2;
    }
    std::string note;
    if (!platform::gles::chooseGlPath(options.gl, note, error)) {
        std::fprintf(stderr, "nymbus: %s\n", error.c_str());
        return 1;
    }
    if (!note.empty()) {
        std::fprintf(stderr, "nymbus: %s\n", note.c_str());
    }
    options.gl = platform::gles::glPath();
    // From here on a signal stops the run, wherever it waits, and its outputs are completed.
    quitOnSignals();
    if (options.report.validate || !options.report.writeReferencesDir.empty()) {
        const int code = validation::runValidation(options);
        return flushStandardOutput() ? code : 1;
    }
    if (options.report.benchmarkLaps > 0 && options.fixedFps == 0) {
        options.fixedFps = 30;
    }
    if (!options.logPath.empty() && !platform::setDebugOutputFile(options.logPath.c_str(), error)) {
        std::fprintf(stderr, "nymbus: log: %s\n", error.c_str());
        return 1;
    }
    if (!options.backend) {
        platform::selectDefaultWindowBackend(options.headless);
    } else if (!platform::selectWindowBackend(*options.backend, options.headless, error)) {
        std::fprintf(stderr, "nymbus: %s\n", error.c_str());
        platform::finishDebugOutput();
        return 1;
    }
    if (platform::windowBackend() == platform::WindowBackendKind::Headless && options.capturePath.empty() &&
        options.screenshots.empty() && options.report.benchmarkLaps == 0) {
        const char* video = videoCaptureProblem("race.mp4").empty() ? "race.mp4" : "race.y4m";
        std::fprintf(stderr,
                     "nymbus: no display: rendering off-screen. Keep frames with --capture=%s, "
                     "--capture=frames/%%05d.png or --screenshot=FRAME:FILE.png; stop with Ctrl-C or "
                     "-quitafterframe=N\n",
                     video);
    }
    if (options.fixedFps > 0) {
        platform::useVirtualClock(options.fixedFps);
    }
    platform::gles::loseContextAtFrames(options.loseContextFrames);

    platform::OutputFile digests;
    if (!options.frameDigestPath.empty()) {
        if (!digests.open(options.frameDigestPath, error)) {
            std::fprintf(stderr, "nymbus: frame digest: %s\n", error.c_str());
            platform::finishDebugOutput();
            return 1;
        }
        platform::gles::startFrameDigest();
    }
    Presentation presentation(options);
    presentation.writeDigests(digests.isOpen() ? &digests : nullptr);
    platform::gles::setPresentObserver(&presentation);
    const std::wstring commandLine = wideCommandLine(options.shellArguments);
    int result = entry(nullptr, commandLine.c_str());
    platform::gles::setPresentObserver(nullptr);
    platform::gles::stopFrameDigest();
    // A failed output makes a run that otherwise succeeded fail.
    bool written = presentation.finish();
    if (digests.isOpen() && !digests.close(error)) {
        std::fprintf(stderr, "nymbus: frame digest: %s\n", error.c_str());
        written = false;
    }
    // Standard output may be carrying the video.
    std::FILE* report = options.capturePath == "-" ? stderr : stdout;
    if (options.stats) {
        std::fputs(presentation.statsReport().c_str(), report);
    }
    if (!presentation.writeReports(report)) {
        result = 1;
    }
    written = flushStandardOutput() && written;
    written = platform::finishDebugOutput() && written;
    // The compositor's going away was reported when it happened; the run did not end as it should.
    if (platform::windowSystemLost()) {
        return 1;
    }
    return written || result != 0 ? result : 1;
}

} // namespace runner
