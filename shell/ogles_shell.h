#pragma once
// The platform-neutral shell: what the entry logic asks of a window system and a rendering context.
#include "shell/shell_application.h"
#include "shell/shell_config.h"

class OGLESShell {
public:
    explicit OGLESShell(ShellApplication& application)
        : application(&application), config(application.GetConfig()) {}
    // Touches neither the application nor its record.
    virtual ~OGLESShell() = default;
    OGLESShell(const OGLESShell&) = delete;
    OGLESShell& operator=(const OGLESShell&) = delete;

    // Creates the window and the rendering context; false when either cannot be made.
    virtual bool InitWindow() = 0;
    // Presents the frame, rebuilds a lost context and pumps the window messages.
    virtual void PresentFrame() = 0;
    // Tears the rendering context down; the window stays.
    virtual void ReleaseContext() = 0;
    // Calls OnFrame and presents until the application, the quit message or a limit ends the run.
    virtual void RunMainLoop() = 0;

protected:
    ShellApplication* application; // borrowed
    ShellConfig* config;           // borrowed from the application
};
