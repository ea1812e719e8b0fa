#include "runner/report/frame_recorder.h"

#include <algorithm>
#include <sys/resource.h>

namespace runner::report {

double processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

FrameRecorder::FrameRecorder() : last_(std::chrono::steady_clock::now()), lastCpuMs_(processCpuMs()) {
    // Room for 26 laps at 30 frames a second, so that a benchmark's own bookkeeping does not copy the
    // records in the middle of a measured frame.
    log_.frames.reserve(1 << 16);
}

void FrameRecorder::label(std::string_view text) {
    const auto found = std::find(log_.labels.begin(), log_.labels.end(), text);
    pendingLabel_ = static_cast<int>(found - log_.labels.begin());
    if (found == log_.labels.end()) {
        log_.labels.emplace_back(text);
    }
}

void FrameRecorder::framePresented() {
    const auto now = std::chrono::steady_clock::now();
    const double cpu = processCpuMs();
    log_.frames.push_back({static_cast<float>(std::chrono::duration<double, std::milli>(now - last_).count()),
                           static_cast<float>(cpu - lastCpuMs_), pendingLabel_});
    last_ = now;
    lastCpuMs_ = cpu;
    pendingLabel_ = -1;
    log_.laps += pendingLaps_;
    pendingLaps_ = 0;
}

} // namespace runner::report
