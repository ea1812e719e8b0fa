#pragma once
// The time, CPU time and label of every presented frame of a run, and the laps the application
// completed: the receiver of the frame marks (a completed cycle of the race is a lap).
#include "platform/frame_marks.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace runner::report {

// Single precision keeps a record at 12 bytes (a long --stats run holds one per frame) and still resolves
// a frame time to better than a microsecond.
struct FrameRecord {
    float frameMs = 0; // real time since the previous presentation (for frame 0: since the start)
    float cpuMs = 0;   // user + system time of the process over the same span
    int label = -1;    // index into FrameLog::labels, -1 for none
};

// The records of a run.
struct FrameLog {
    std::vector<FrameRecord> frames; // one per presented frame
    std::vector<std::string> labels; // distinct labels in the order they first appeared
    int laps = 0;                    // laps completed by presented frames
};

class FrameRecorder final : public platform::FrameMarkReceiver {
public:
    // Starts the clock of frame 0.
    FrameRecorder();

    void label(std::string_view text) override;
    void cycleCompleted() override { ++pendingLaps_; }
    // Closes the frame being drawn: its times since the previous presentation, its label, its laps.
    void framePresented();

    const FrameLog& log() const { return log_; }

private:
    FrameLog log_;
    std::chrono::steady_clock::time_point last_;
    double lastCpuMs_ = 0;
    int pendingLabel_ = -1;
    int pendingLaps_ = 0;
};

// User + system time of the process so far, in milliseconds.
double processCpuMs();

} // namespace runner::report
