#include "runner/validation/validation_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace runner::validation {

namespace {

constexpr int kValidationFps = 30;

} // namespace

std::vector<std::pair<int, int>> screenSizes(const std::vector<ReferenceFrame>& frames) {
    std::vector<std::pair<int, int>> screens;
    for (const ReferenceFrame& f : frames) {
        if (std::find(screens.begin(), screens.end(), std::pair(f.width, f.height)) == screens.end()) {
            screens.emplace_back(f.width, f.height);
        }
    }
    return screens;
}

std::vector<std::string> renderingOptions(const std::vector<ReferenceFrame>& frames, int width, int height,
                                          const std::string& folder) {
    std::vector<std::string> options = {"--fixed-fps=" + std::to_string(kValidationFps)};
    int last = 0;
    for (const ReferenceFrame& f : frames) {
        if (f.width == width && f.height == height) {
            options.push_back("--screenshot=" + std::to_string(f.frame) + ":" + folder + "/" + f.name +
                              ".png");
            last = std::max(last, f.frame);
        }
    }
    options.push_back("-qaf=" + std::to_string(last));
    return options;
}

std::string heading(bool writing, std::size_t count, const std::string& list, const char* driver) {
    return std::string(writing ? "rendering " : "validating ") + std::to_string(count) +
           " reference frames of " + list +
           (driver ? std::string(" with GALLIUM_DRIVER=") + driver : std::string());
}

std::string frameLine(const ReferenceFrame& frame) {
    char text[96];
    std::snprintf(text, sizeof text, "%-22s frame %5d  %4d x %-4d  ", frame.name.c_str(), frame.frame,
                  frame.width, frame.height);
    return text;
}

std::string comparison(const ImageDifference& d) {
    char text[160];
    if (!d.sameSize) {
        std::snprintf(text, sizeof text, "size differs  FAIL");
    } else if (std::isinf(d.psnr)) {
        std::snprintf(text, sizeof text, "PSNR  identical  largest %3d  off>%d %6.2f %%  %s", d.largest,
                      kOffBy, 100 * d.shareOff, withinThresholds(d) ? "pass" : "FAIL");
    } else {
        std::snprintf(text, sizeof text, "PSNR %6.2f dB  largest %3d  off>%d %6.2f %%  %s", d.psnr, d.largest,
                      kOffBy, 100 * d.shareOff, withinThresholds(d) ? "pass" : "FAIL");
    }
    return text;
}

std::string verdict(std::size_t failed, std::size_t total, double seconds) {
    char text[200];
    std::snprintf(
        text, sizeof text,
        "%s: %zu of %zu frames within PSNR >= %.0f dB and <= %.0f %% of pixels off by more than %d, "
        "in %.1f s",
        failed ? "FAIL" : "PASS", total - failed, total, kThresholds.minimumPsnr,
        100 * kThresholds.maximumShareOff, kOffBy, seconds);
    return text;
}

} // namespace runner::validation
