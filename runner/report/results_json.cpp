#include "runner/report/results_json.h"

#include "platform/utf8.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace runner::report {

namespace {

using Json = nlohmann::ordered_json;

// Three decimals; JSON has no infinity or NaN, so those are null.
Json number(double value) {
    if (!std::isfinite(value)) {
        return nullptr;
    }
    return std::round(value * 1000.0) / 1000.0;
}

// Decoding and encoding again makes any byte string valid UTF-8: a stray byte stands for itself.
std::string validUtf8(std::string_view text) {
    return platform::toUtf8(platform::fromUtf8(text));
}

Json figures(const FrameStatistics& s) {
    return {{"frames", s.frames},
            {"total_ms", number(s.totalMs)},
            {"mean_fps", number(s.meanFps)},
            {"median_ms", number(s.medianMs)},
            {"p95_ms", number(s.p95Ms)},
            {"p99_ms", number(s.p99Ms)},
            {"worst_ms", number(s.worstMs)},
            {"cpu_ms_per_frame", number(s.cpuMsPerFrame)}};
}

} // namespace

std::string resultsJson(const RunEnvironment& e, const RunSummary& summary, const RunSettings& settings) {
    const EglConfigDescription& c = e.config;
    Json modes = Json::array();
    for (const LabelStatistics& mode : summary.labels) {
        Json entry = {{"label", validUtf8(mode.label)}};
        entry.update(figures(mode.figures));
        modes.push_back(std::move(entry));
    }
    const Json results = {{"schema", 1},
                          {"program", {{"name", "nymbus"}, {"version", validUtf8(e.version)}}},
                          {"run",
                           {{"benchmark", settings.benchmarkLaps > 0},
                            {"laps_requested", settings.benchmarkLaps},
                            {"laps_completed", summary.laps},
                            {"fixed_fps", settings.fixedFps},
                            {"frames", summary.warmUp.frames + summary.whole.frames},
                            {"warm_up_frames", summary.warmUp.frames}}},
                          {"environment",
                           {{"backend", validUtf8(e.backend)},
                            {"gl_vendor", validUtf8(e.glVendor)},
                            {"gl_renderer", validUtf8(e.glRenderer)},
                            {"gl_version", validUtf8(e.glVersion)},
                            {"egl_config",
                             {{"id", c.id},
                              {"red", c.red},
                              {"green", c.green},
                              {"blue", c.blue},
                              {"alpha", c.alpha},
                              {"depth", c.depth},
                              {"stencil", c.stencil},
                              {"samples", c.samples}}},
                            {"surface", {{"width", e.width}, {"height", e.height}}}}},
                          {"warm_up", figures(summary.warmUp)},
                          {"modes", std::move(modes)},
                          {"whole_run", figures(summary.whole)},
                          {"score", summary.score}};
    return results.dump(2) + "\n";
}

} // namespace runner::report
