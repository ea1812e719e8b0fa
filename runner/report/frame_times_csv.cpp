#include "runner/report/frame_times_csv.h"

#include <cstdio>

namespace runner::report {

namespace {

// A label that holds a comma, quote or line break is quoted, its quotes doubled.
std::string field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

} // namespace

std::string frameTimesCsv(const FrameLog& log) {
    std::vector<std::string> labels;
    for (const std::string& label : log.labels) {
        labels.push_back(field(label));
    }
    std::string csv = "frame,label,frame_ms,cpu_ms\n";
    csv.reserve(csv.size() + log.frames.size() * 32);
    char numbers[64];
    for (std::size_t i = 0; i < log.frames.size(); ++i) {
        const FrameRecord& f = log.frames[i];
        csv += std::to_string(i);
        csv += ',';
        if (f.label >= 0) {
            csv += labels[static_cast<std::size_t>(f.label)];
        }
        std::snprintf(numbers, sizeof numbers, ",%.3f,%.3f\n", f.frameMs, f.cpuMs);
        csv += numbers;
    }
    return csv;
}

} // namespace runner::report
