#pragma once
// The scripted input of --input: the events of a presented frame, as the window system delivers them
// (into the queue, before the pump that follows the frame).
#include "platform/window/window_backend.h"

#include <deque>
#include <vector>

namespace platform {

// Appends the events scripted for `frame` to the queue, addressed to `target`; a tap falls in the middle
// of its client area.
void deliverScriptedInput(const std::vector<ScriptedInput>& input, int frame, Window* target,
                          std::deque<Message>& queue);

} // namespace platform
