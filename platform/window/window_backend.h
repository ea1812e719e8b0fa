#pragma once
// The window system's backends and the choice between them.
#include "platform/window/window.h"

#include <chrono>
#include <string>
#include <vector>

namespace platform {

// How long an X server or a Wayland compositor may take to answer while a backend sets up.
constexpr std::chrono::milliseconds kDisplayAnswerLimit{5000};

enum class WindowBackendKind { Wayland, X11, Headless, Web };

// Scripted input of the headless backend: EVENT@FRAME.
struct ScriptedInput {
    enum class Event { Escape, Tap, Close };
    Event event = Event::Escape;
    int frame = 0; // delivered right after this presented frame (counted from 0), before its pump
};

struct HeadlessSettings {
    int screenWidth = 640;
    int screenHeight = 480;
    std::vector<ScriptedInput> input;
    bool screenGiven = false; // by --screen: on the web backend a box of that size instead of the page
};

// Whether a backend left a thread waiting inside the window system's library (an X display that did not
// answer in time, or a wait a signal ended). Such a process must end without the libraries' teardown at
// exit, which the waiting thread could meet.
bool windowThreadLeftBehind();

// Chooses the backend for the windows made from now on, and the EGL windowing that goes with it.
// Returns false, with the reason in `error`, if the wayland backend cannot reach a compositor, the x11
// backend cannot open the display, or the build has not the backend (web is the web build's only one).
// Windows of a previous backend are destroyed.
bool selectWindowBackend(WindowBackendKind kind, const HeadlessSettings& headless, std::string& error);
// The backend chosen when none is named: wayland when WAYLAND_DISPLAY (or the default socket in
// XDG_RUNTIME_DIR) names a compositor that answers, else x11 when DISPLAY names a display that opens,
// else headless. A named server that cannot be used gets one line on standard error. The web build
// chooses web.
void selectDefaultWindowBackend(const HeadlessSettings& headless);
// The backend in use (headless until one is selected).
WindowBackendKind windowBackend();
// Whether the backend's server (the Wayland compositor) went away during the run.
bool windowSystemLost();
// Its name as --backend takes it.
const char* windowBackendName(WindowBackendKind kind);

// Called after each presented frame: delivers the scripted input of that frame.
void windowFramePresented(int frame);

} // namespace platform
