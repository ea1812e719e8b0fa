#pragma once
// What the report tests measure on: a made-up environment whose renderer string holds quotes, a
// backslash, a control character and a byte that is not UTF-8.
#include "runner/report/run_environment.h"

inline runner::report::RunEnvironment exampleEnvironment() {
    runner::report::RunEnvironment e;
    e.version = "0.1.0";
    e.backend = "headless";
    e.glVendor = "Mesa";
    e.glRenderer = "soft \"pipe\" \\ \x01 \xff";
    e.glVersion = "OpenGL ES-CM 1.1";
    e.config = {42, 5, 6, 5, 0, 16, 0, 0};
    e.width = 320;
    e.height = 240;
    return e;
}
