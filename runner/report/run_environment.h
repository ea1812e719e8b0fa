#pragma once
// What a run was measured on: the GL's strings, the EGL config of the surface, its size, the window
// backend and the program's version.
#include <string>

namespace runner::report {

struct EglConfigDescription {
    int id = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 0;
    int depth = 0;
    int stencil = 0;
    int samples = 0;
};

struct RunEnvironment {
    std::string version;  // the program's
    std::string backend;  // the window backend's name
    std::string glVendor; // empty when no frame was presented
    std::string glRenderer;
    std::string glVersion;
    EglConfigDescription config;
    int width = 0; // the surface, in pixels
    int height = 0;
};

// Queries the current context and surface (call with the frame's context current).
RunEnvironment queryRunEnvironment(int width, int height);

// "RGBA 8/8/8/8, depth 24, stencil 8, samples 0 (config 5)".
std::string describeConfig(const EglConfigDescription& config);

} // namespace runner::report
