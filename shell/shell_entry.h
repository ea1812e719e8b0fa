#pragma once
// The entry logic: creates the application and the shell, reads the options, runs the callbacks and
// the main loop, and tears everything down in a fixed order.
#include "shell/ogles_shell.h"
#include "shell/shell_application.h"

// Each factory returns null when its object cannot be allocated.
using ApplicationFactory = ShellApplication* (*)();
using ShellFactory = OGLESShell* (*)(ShellApplication& application, void* instance);

// Returns the process exit code: 0 when the run ended normally and OnAppStop returned true, else 1.
int RunShell(ApplicationFactory newApplication, ShellFactory newShell, void* instance,
             const wchar_t* commandLine);
