#pragma once
// A scene drawn through one path of the system driver (the OpenGL ES 1.x library, or the translation on
// the OpenGL ES 2.0 library) on Mesa, off-screen, in a child process of its own: a process takes one
// path, and the test's own process never starts the GL, so that it can fork.
#include "platform/gles/system_driver.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rendering {
    std::vector<std::uint8_t> rgba; // bottom row first; empty when the child failed
    std::string failure;            // what failed, or the debug output the scene caused
};

// Draws `scene` on a width x height RGBA 8888 pbuffer with a depth buffer and reads it back. The debug
// output of the child (a shader that did not build) comes back as a failure.
Rendering renderThrough(platform::gles::GlPath path, int width, int height,
                        const std::function<void()>& scene);

// The largest difference of one channel between two renderings of the same size, and the pixels whose
// difference is larger than `tolerance`, as "x,y es1 (r g b a) es2 (r g b a)" for the first few.
struct PixelComparison {
    int largest = 0;
    int beyond = 0;
    std::string examples;
};
PixelComparison comparePixels(const Rendering& a, const Rendering& b, int width, int tolerance);
