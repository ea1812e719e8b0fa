#pragma once
// A small stand-in for the shell, for the tests that run the platform's entry: a window of the
// screen's size, a context, and frames presented until the quit message or `frames` frames.
// Each frame is cleared to red over blue (the top half red). It swaps once more without drawing as it
// ends, as the shell does while it releases the context. A lost context stays lost unless
// `recovers`: then a new context is made current after the failed swap.
#include "platform/gles/egl.h"
#include "runner/run_program.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace platformtest {

extern int frames;
extern bool recovers;
// Per swap that drew a frame: the tick count after it and EGL_SUCCESS or eglGetError's error.
extern std::vector<std::uint32_t> ticksAfterFrames;
extern std::vector<EGLint> swapResults;

int miniShell(void*, const wchar_t*);

// runner::runProgram with "nymbus" as argv[0].
int run(std::vector<const char*> args, runner::EntryFunction entry);

// A path in a folder of this test process's own.
std::filesystem::path scratch(const std::string& name);

} // namespace platformtest
