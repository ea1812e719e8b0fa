#pragma once
// The settings and run-time state shared by the shell, the option parser, the window code and the
// application.

struct ShellConfig {
    int width = 640;  // requested, then actual, surface width in pixels
    int height = 480; // requested, then actual, surface height in pixels
    int fullScreen = 1;
    int fsaaMode = 0;            // 1: 2 samples, 2: 4 samples, anything else: none
    int portrait = 0;            // 1 when the screen is at least as tall as it is wide
    int quitAfterFrame = -1;     // negative: no limit; else the index of the last frame presented
    float quitAfterTime = -1.0f; // negative: no limit; else seconds after the loop starts
    // Where a framed window is first shown when defaultPosition is 0. Without a position option it
    // is shown where the default position would put it.
    int windowX = 20;
    int windowY = 50;
    int fitToScreen = 1;           // 1: a framed window is halved until it fits the screen
    int defaultPosition = 1;       // 1: a framed window is first placed at (20, 50)
    int frameCount = 0;            // frames presented before the current one
    int contextRecovering = 0;     // 1 while the rendering context is rebuilt after a loss
    int hasTextureCompression = 0; // 1 when the GL lists the block-compression extension
};
