#pragma once
// What the application tells the platform about the frame it is drawing, for the frame-time reports:
// which part of its content the frame shows (a short label such as a camera mode), and that the frame
// completes a lap of that content (so that a benchmark can run a whole number of laps). The platform
// gives the labels no meaning. Outside a run that records frames the calls do nothing.
#include <string_view>

namespace platform {

// Labels the frame being drawn (the one the next presentation shows); the last call before the
// presentation counts. An unlabelled frame has no label.
void labelFrame(std::string_view label);

// The frame being drawn completes a lap.
void markLapCompleted();

} // namespace platform
