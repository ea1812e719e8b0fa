// --validate in a page. A browser starts no processes: each screen size is rendered by a fresh module of
// the program that the page starts on a canvas of its own, with the options a native child process
// gets, and the frames it keeps come back through the page. The list and the reference pictures are
// files of the site (references/, or the folder that --validate=DIR names, relative to the page),
// fetched by the page and decoded by the browser. The comparison and its lines are every build's.
#include "runner/validation/validation.h"

#include "runner/validation/image_difference.h"
#include "runner/validation/reference_list.h"
#include "runner/validation/validation_report.h"
#include "runner/web/page.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace runner::validation {

namespace {

// Where the module's fresh instances keep the frames they render.
constexpr const char* kRenderedFolder = "validate";

// A picture of the page's in the module's memory, freed with the object.
struct PagePicture {
    unsigned char* rgba = nullptr;
    int width = 0;
    int height = 0;
    ~PagePicture() { std::free(rgba); }

    bool into(PngImage& image) const {
        if (!rgba) {
            return false;
        }
        image.width = width;
        image.height = height;
        image.rgba.assign(rgba,
                          rgba + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
        return true;
    }
};

std::string lines(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& a : arguments) {
        text += (text.empty() ? "" : "\n") + a;
    }
    return text;
}

} // namespace

int runValidation(const PlatformOptions& options) {
    const std::string folder =
        options.report.referencesDir.empty() ? "references" : options.report.referencesDir;
    const std::string listPath = folder + "/" + kListName;
    char* listText = nym_page_fetch_text(listPath.c_str());
    if (!listText) {
        std::fprintf(stderr, "nymbus: cannot read the list of reference frames %s\n", listPath.c_str());
        return 1;
    }
    std::vector<ReferenceFrame> frames;
    std::string error;
    const bool parsed = parseReferenceList(listText, frames, error);
    std::free(listText);
    if (!parsed) {
        std::fprintf(stderr, "nymbus: %s: %s\n", listPath.c_str(), error.c_str());
        return 1;
    }

    const auto start = std::chrono::steady_clock::now();
    std::printf("%s\n", heading(false, frames.size(), listPath).c_str());
    std::fflush(stdout);
    for (const auto& [width, height] : screenSizes(frames)) {
        std::vector<std::string> arguments = {"--screen=" + std::to_string(width) + "x" +
                                              std::to_string(height)};
        const std::vector<std::string> rendering = renderingOptions(frames, width, height, kRenderedFolder);
        arguments.insert(arguments.end(), rendering.begin(), rendering.end());
        const int code = nym_page_run_module(lines(arguments).c_str());
        if (code != 0) {
            std::fprintf(stderr, "nymbus: validate: rendering at %d x %d ended with exit code %d\n", width,
                         height, code);
        }
    }

    std::size_t failed = 0;
    for (const ReferenceFrame& f : frames) {
        std::printf("%s", frameLine(f).c_str());
        const std::string rendered = std::string(kRenderedFolder) + "/" + f.name + ".png";
        const std::string referencePath = folder + "/" + f.name + ".png";
        PagePicture frame;
        frame.rgba = nym_page_take_picture(rendered.c_str(), &frame.width, &frame.height);
        PagePicture reference;
        reference.rgba = nym_page_fetch_picture(referencePath.c_str(), &reference.width, &reference.height);
        PngImage frameImage;
        PngImage referenceImage;
        if (!reference.into(referenceImage)) {
            std::printf("FAIL: no reference picture %s\n", referencePath.c_str());
            ++failed;
        } else if (!frame.into(frameImage)) {
            std::printf("FAIL: not rendered\n");
            ++failed;
        } else {
            const ImageDifference d = compareImages(referenceImage, frameImage);
            std::printf("%s\n", comparison(d).c_str());
            failed += withinThresholds(d) ? 0 : 1;
        }
        std::fflush(stdout);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s\n", verdict(failed, frames.size(), seconds).c_str());
    return failed ? 1 : 0;
}

} // namespace runner::validation
