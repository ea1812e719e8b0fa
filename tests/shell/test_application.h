#pragma once
// A small application that makes the shell runnable on its own: it clears to a colour that cycles
// with the frame number, draws a turning triangle and reports its callbacks on the debugger output.
#include "shell/shell_application.h"

class TestApplication : public ShellApplication {
public:
    bool OnAppStart(int tokenCount, const char* const* tokens, int width, int height) override;
    bool OnViewCreate(int width, int height) override;
    void OnViewRelease() override;
    bool OnAppStop() override;
    bool OnFrame() override;

private:
    int frames = 0;
};
