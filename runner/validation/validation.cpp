#include "runner/validation/validation.h"

#include "platform/input_file.h"
#include "platform/whole_file.h"
#include "runner/png_file.h"
#include "runner/validation/child_process.h"
#include "runner/validation/image_difference.h"
#include "runner/validation/reference_folder.h"
#include "runner/validation/reference_list.h"
#include "runner/validation/validation_report.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>

namespace runner::validation {

namespace {

namespace fs = std::filesystem;

// A list may have been sent by anyone: it is refused, not read, when larger than a list can be (a line is
// under a hundred bytes).
constexpr std::size_t maximumListBytes = 1 << 20;
// A rendered frame's file, copied into a references folder: far above a PNG of the largest screen.
constexpr std::size_t maximumFrameFileBytes = std::size_t{1} << 28;

// The rendering of one screen size: the program's own executable run again, in a child process, with
// screenshots of the listed frames into `scratch`.
int renderInChild(const PlatformOptions& options, const std::vector<ReferenceFrame>& frames, int width,
                  int height, ScratchFolder& scratch, const fs::path& log) {
    // Off-screen unless a window system is named: then in a framed window of the screen's size.
    const platform::WindowBackendKind backend =
        options.backend.value_or(platform::WindowBackendKind::Headless);
    const bool windowed = backend != platform::WindowBackendKind::Headless;
    std::vector<std::string> args = {
        "nymbus", std::string("--backend=") + platform::windowBackendName(backend), "--log=" + log.string()};
    if (options.gl) {
        args.push_back(std::string("--gl=") + platform::gles::glPathName(*options.gl));
    }
    if (windowed) {
        args.insert(args.end(),
                    {"-windowed", "-width=" + std::to_string(width), "-height=" + std::to_string(height)});
    } else {
        args.push_back("--screen=" + std::to_string(width) + "x" + std::to_string(height));
    }
    const std::vector<std::string> rendering = renderingOptions(frames, width, height, scratch.path());
    args.insert(args.end(), rendering.begin(), rendering.end());
    return runProgramAgain(std::move(args), scratch);
}

// The last lines of a failed child's log, so that the reason shows without opening it.
void printLogTail(const fs::path& log) {
    std::ifstream in(log);
    std::deque<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
        if (lines.size() > 6) {
            lines.pop_front();
        }
    }
    for (const std::string& line : lines) {
        std::fprintf(stderr, "  %s\n", line.c_str());
    }
}

// Writes a failing frame and its difference picture into the --validate-out folder, said on standard
// error if it cannot be done; false if the folder cannot be made.
bool keepFailure(const fs::path& folder, const std::string& name, const PngImage& reference,
                 const PngImage& frame) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec) && !fs::create_directories(folder, ec)) {
        std::fprintf(stderr, "nymbus: validate: cannot create the folder %s: %s\n", folder.c_str(),
                     ec.message().c_str());
        return false;
    }
    const std::pair<fs::path, PngImage> pictures[] = {
        {folder / (name + ".png"), frame},
        {folder / (name + "-difference.png"), differenceImage(reference, frame)}};
    for (const auto& [path, image] : pictures) {
        std::string error;
        if (!writePng(path.string(), image.width, image.height, image.rgba.data(), 0, false, &error)) {
            std::fprintf(stderr, "nymbus: validate: %s\n", error.c_str());
        }
    }
    return true;
}

// The list of reference frames and its text; false once the reason has been said.
bool readList(const fs::path& path, std::string& text, std::vector<ReferenceFrame>& frames) {
    std::string why;
    if (platform::readRegularFile(path.string(), maximumListBytes, text, why) !=
        platform::InputOpen::Opened) {
        std::fprintf(stderr, "nymbus: cannot read the list of reference frames %s: %s\n", path.c_str(),
                     why.c_str());
        return false;
    }
    if (!parseReferenceList(text, frames, why)) {
        std::fprintf(stderr, "nymbus: %s: %s\n", path.c_str(), why.c_str());
        return false;
    }
    return true;
}

// The frame rendered into the scratch folder copied into the references folder: "written to PATH" or
// why not.
std::string writeReference(const fs::path& rendered, const fs::path& target, bool& ok) {
    std::string bytes;
    std::string why;
    ok = platform::readRegularFile(rendered.string(), maximumFrameFileBytes, bytes, why) ==
             platform::InputOpen::Opened &&
         platform::writeWholeFile(target.string(), bytes, why);
    return ok ? "written to " + target.string() : "NOT WRITTEN: " + why;
}

int referencesNotFound() {
    std::string folders;
    for (const std::string& folder : referenceFolderCandidates()) {
        folders += (folders.empty() ? "" : " or ") + folder;
    }
    std::fprintf(stderr, "nymbus: cannot find the program's reference frames (no frames.txt in %s)\n",
                 folders.c_str());
    return 1;
}

} // namespace

int runValidation(const PlatformOptions& options) {
    const report::ReportOptions& report = options.report;
    const bool writing = !report.writeReferencesDir.empty();
    // The program's own references unless a folder is named (for --write-references, their list).
    const std::string ownFolder = writing || report.referencesDir.empty() ? findReferenceFolder() : "";
    if (!writing && report.referencesDir.empty() && ownFolder.empty()) {
        return referencesNotFound();
    }
    const fs::path target = writing                        ? fs::path(report.writeReferencesDir)
                            : report.referencesDir.empty() ? fs::path(ownFolder)
                                                           : fs::path(report.referencesDir);
    std::error_code ec;
    if (writing && !fs::is_directory(target, ec) && !fs::create_directories(target, ec)) {
        std::fprintf(stderr, "nymbus: cannot create the folder %s: %s\n", target.c_str(),
                     ec.message().c_str());
        return 1;
    }
    fs::path listPath = target / kListName;
    // A list there in any form, even a link that leads nowhere, is the one to read (and to say why not).
    if (writing && !fs::exists(fs::symlink_status(listPath, ec))) {
        if (ownFolder.empty()) {
            return referencesNotFound();
        }
        listPath = fs::path(ownFolder) / kListName;
    }
    std::string listText;
    std::vector<ReferenceFrame> frames;
    if (!readList(listPath, listText, frames)) {
        return 1;
    }
    std::string error;
    if (writing && listPath != target / kListName &&
        !platform::writeWholeFile((target / kListName).string(), listText, error)) {
        std::fprintf(stderr, "nymbus: %s\n", error.c_str());
        return 1;
    }
    ScratchFolder scratch;
    if (scratch.path().empty()) {
        std::fprintf(stderr, "nymbus: validate: %s\n", scratch.error().c_str());
        return 1;
    }

    const auto start = std::chrono::steady_clock::now();
    const char* driver = std::getenv("GALLIUM_DRIVER");
    std::printf("%s\n", heading(writing, frames.size(), listPath.string(), driver).c_str());
    for (const auto& [width, height] : screenSizes(frames)) {
        const fs::path log = fs::path(scratch.path()) /
                             ("render-" + std::to_string(width) + "x" + std::to_string(height) + ".log");
        const int code = renderInChild(options, frames, width, height, scratch, log);
        if (code == interruptedByASignal) {
            std::fprintf(stderr, "nymbus: validate: interrupted\n");
            return 1;
        }
        if (code != 0) {
            std::fprintf(stderr, "nymbus: validate: rendering at %d x %d ended with exit code %d:\n", width,
                         height, code);
            printLogTail(log);
        }
    }

    int failed = 0;
    bool keepingFailures = !report.validateOut.empty();
    for (const ReferenceFrame& f : frames) {
        const fs::path rendered = fs::path(scratch.path()) / (f.name + ".png");
        std::printf("%s", frameLine(f).c_str());
        if (writing) {
            bool written = false;
            std::printf("%s\n", writeReference(rendered, target / (f.name + ".png"), written).c_str());
            failed += written ? 0 : 1;
            continue;
        }
        // Both at the listed size, or refused before their pixels are allocated.
        const fs::path referencePath = target / (f.name + ".png");
        PngImage reference;
        std::string why;
        const PngRead read = readPngFile(referencePath.string(), reference, why, f.width, f.height);
        PngImage frame;
        std::string notRendered;
        bool pass = false;
        if (read == PngRead::Missing) {
            std::printf("FAIL: no reference picture %s\n", referencePath.c_str());
        } else if (read == PngRead::Refused) {
            std::printf("FAIL: reference %s: %s\n", referencePath.c_str(), why.c_str());
        } else if (readPngFile(rendered.string(), frame, notRendered, f.width, f.height) != PngRead::Read) {
            std::printf("FAIL: not rendered (%s)\n", notRendered.c_str());
        } else {
            const ImageDifference d = compareImages(reference, frame);
            pass = withinThresholds(d);
            std::printf("%s\n", comparison(d).c_str());
            if (!pass && keepingFailures) {
                keepingFailures = keepFailure(report.validateOut, f.name, reference, frame);
            }
        }
        failed += pass ? 0 : 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (writing) {
        std::printf("%zu of %zu references written to %s in %.1f s\n",
                    frames.size() - static_cast<std::size_t>(failed), frames.size(), target.c_str(), seconds);
    } else {
        std::printf("%s\n", verdict(static_cast<std::size_t>(failed), frames.size(), seconds).c_str());
    }
    return failed ? 1 : 0;
}

} // namespace runner::validation
