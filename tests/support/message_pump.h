#pragma once
// The window system's messages pumped as a shell pumps them, for the window backends' tests.
#include "platform/window/window.h"

#include <chrono>

// Takes and dispatches messages until one of `type` has been taken, for up to `limit`; false if none came.
bool pumpUntil(platform::MessageType type, std::chrono::milliseconds limit = std::chrono::seconds(5));

// Takes and dispatches every message that comes for `time`.
void pumpFor(std::chrono::milliseconds time);
