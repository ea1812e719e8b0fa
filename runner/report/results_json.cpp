#include "runner/report/results_json.h"

#include "platform/utf8.h"

#include <charconv>
#include <cmath>

namespace runner::report {

namespace {

// Three decimals, whatever the locale; JSON has no infinity or NaN, so those are null.
std::string number(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    return std::string(text, result.ptr);
}

std::string figures(const FrameStatistics& s) {
    return "\"frames\": " + std::to_string(s.frames) + ", \"total_ms\": " + number(s.totalMs) +
           ", \"mean_fps\": " + number(s.meanFps) + ", \"median_ms\": " + number(s.medianMs) +
           ", \"p95_ms\": " + number(s.p95Ms) + ", \"p99_ms\": " + number(s.p99Ms) +
           ", \"worst_ms\": " + number(s.worstMs) + ", \"cpu_ms_per_frame\": " + number(s.cpuMsPerFrame);
}

} // namespace

std::string jsonString(std::string_view text) {
    // Decoding and encoding again makes any byte string valid UTF-8: a stray byte stands for itself.
    std::string out = "\"";
    for (const wchar_t c : platform::fromUtf8(text)) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += platform::toUtf8(std::wstring_view(&c, 1));
        }
    }
    return out + "\"";
}

std::string resultsJson(const RunEnvironment& e, const RunSummary& summary, const RunSettings& settings) {
    const EglConfigDescription& c = e.config;
    std::string json = "{\n  \"schema\": 1,\n";
    json += "  \"program\": {\"name\": \"nymbus\", \"version\": " + jsonString(e.version) + "},\n";
    json += "  \"run\": {\"benchmark\": " + std::string(settings.benchmarkLaps > 0 ? "true" : "false") +
            ", \"laps_requested\": " + std::to_string(settings.benchmarkLaps) +
            ", \"laps_completed\": " + std::to_string(summary.laps) +
            ", \"fixed_fps\": " + std::to_string(settings.fixedFps) +
            ", \"frames\": " + std::to_string(summary.warmUp.frames + summary.whole.frames) +
            ", \"warm_up_frames\": " + std::to_string(summary.warmUp.frames) + "},\n";
    json += "  \"environment\": {\n    \"backend\": " + jsonString(e.backend) + ",\n";
    json += "    \"gl_vendor\": " + jsonString(e.glVendor) + ",\n";
    json += "    \"gl_renderer\": " + jsonString(e.glRenderer) + ",\n";
    json += "    \"gl_version\": " + jsonString(e.glVersion) + ",\n";
    json += "    \"egl_config\": {\"id\": " + std::to_string(c.id) + ", \"red\": " + std::to_string(c.red) +
            ", \"green\": " + std::to_string(c.green) + ", \"blue\": " + std::to_string(c.blue) +
            ", \"alpha\": " + std::to_string(c.alpha) + ", \"depth\": " + std::to_string(c.depth) +
            ", \"stencil\": " + std::to_string(c.stencil) + ", \"samples\": " + std::to_string(c.samples) +
            "},\n";
    json += "    \"surface\": {\"width\": " + std::to_string(e.width) +
            ", \"height\": " + std::to_string(e.height) + "}\n  },\n";
    json += "  \"warm_up\": {" + figures(summary.warmUp) + "},\n";
    json += "  \"modes\": [";
    for (std::size_t i = 0; i < summary.labels.size(); ++i) {
        json += std::string(i ? "," : "") + "\n    {\"label\": " + jsonString(summary.labels[i].label) +
                ", " + figures(summary.labels[i].figures) + "}";
    }
    json += summary.labels.empty() ? "],\n" : "\n  ],\n";
    json += "  \"whole_run\": {" + figures(summary.whole) + "},\n";
    json += "  \"score\": " + std::to_string(summary.score) + "\n}\n";
    return json;
}

} // namespace runner::report
