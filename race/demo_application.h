#pragma once
// The demo's part in the shell's run: the title overlay, and each frame's clear, world frame, title and
// culling state.
#include "print3d/print3d.h"
#include "shell/shell_application.h"

class DemoApplication : public ShellApplication {
public:
    DemoApplication() = default;
    ~DemoApplication() override = default;

    bool OnAppStart(int tokenCount, const char* const* tokens, int width, int height) override;
    bool OnViewCreate(int width, int height) override;
    void OnViewRelease() override;
    bool OnAppStop() override;
    bool OnFrame() override;

private:
    Print3D print3d;
};
