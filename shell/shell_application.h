#pragma once
// The application interface: five callbacks that the shell calls in a fixed order, and read access to
// the settings record that the application owns.
#include "shell/shell_config.h"

class ShellApplication {
public:
    ShellApplication();
    virtual ~ShellApplication();
    ShellApplication(const ShellApplication&) = delete;
    ShellApplication& operator=(const ShellApplication&) = delete;

    // Once, before any window exists, with the command-line tokens that no shell option consumed
    // (owned by the shell, valid until the entry point returns) and the size 640 x 480.
    virtual bool OnAppStart(int tokenCount, const char* const* tokens, int width, int height);
    // After the window and the rendering context exist, and again after every context recovery.
    virtual bool OnViewCreate(int width, int height);
    // After the main loop ends, and before the context is torn down for a recovery.
    virtual void OnViewRelease();
    // Once at the end of a run; false makes the exit code 1.
    virtual bool OnAppStop();
    // Once per loop pass; false ends the loop without presenting the frame just drawn.
    virtual bool OnFrame();

    int GetWidth() const { return config->width; }
    int GetHeight() const { return config->height; }
    int GetWindowX() const { return config->windowX; }
    int GetWindowY() const { return config->windowY; }
    int GetFsaaMode() const { return config->fsaaMode; }
    int GetFullScreen() const { return config->fullScreen; }
    int GetPortrait() const { return config->portrait; }
    int GetContextRecovering() const { return config->contextRecovering; }

    ShellConfig* GetConfig() const { return config; }

    // The shell's diagnostic output: printf-style, to the debugger output, at most 255 characters.
    static void OutputDebug(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 1, 2)))
#endif
        ;

private:
    ShellConfig* config;
};

// Creates the program's application object, or returns null when it cannot be allocated. Defined by
// the application (the demo, or the shell's test application).
ShellApplication* NewDemoApplication();
