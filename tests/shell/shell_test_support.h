#pragma once
// What the shell's tests share: an application whose callback results are scripted and whose calls are
// written to a log, a run through the real entry logic on the record driver and the headless screen,
// and capture of the debugger output.
#include "platform/gles/record_driver.h"
#include "platform/window/window_backend.h"
#include "shell/native_shell.h"
#include "shell/shell_application.h"

#include <functional>
#include <string>
#include <vector>

namespace shelltest {

// What the scripted application and the shell did, in order: "OnAppStart(2 tokens, 640 x 480)",
// "OnViewCreate(240, 320)", "OnFrame 0", "OnViewRelease", "OnAppStop", "~application", "~shell".
extern std::vector<std::string> events;

struct Script {
    bool start = true;
    bool viewCreate = true;
    bool stop = true;
    // OnFrame returns false on this call (counted from 0); never when negative.
    int failFrame = -1;
    // Called at the start of each OnFrame with its index, and at the end of OnAppStart.
    std::function<void(int frame, ShellConfig& config)> onFrame;
    std::function<void(ShellConfig& config)> onStart;
};

class ScriptedApplication : public ShellApplication {
public:
    explicit ScriptedApplication(Script script) : script(std::move(script)) {}
    ~ScriptedApplication() override;
    bool OnAppStart(int tokenCount, const char* const* tokens, int width, int height) override;
    bool OnViewCreate(int width, int height) override;
    void OnViewRelease() override;
    bool OnAppStop() override;
    bool OnFrame() override;

    // Written when the application is destroyed.
    static std::vector<std::string> lastTokens;
    static ShellConfig lastConfig;

private:
    Script script;
    int frames = 0;
};

// Screen size and scripted input of the headless backend, selected afresh for each run.
struct Screen {
    Screen() = default;
    Screen(int width, int height, std::vector<platform::ScriptedInput> input = {})
        : width(width), height(height), input(std::move(input)) {}
    int width = 640;
    int height = 480;
    std::vector<platform::ScriptedInput> input;
};

struct RunResult {
    int exitCode = -1;
    std::wstring debugOutput;
    // eglSwapBuffers calls made while looping (the last one, made while releasing the context, is not
    // a presented frame).
    int presented = 0;
};

// Runs the entry logic with a ScriptedApplication and a NativeShell on the given driver.
RunResult runShell(platform::gles::RecordDriver& driver, const wchar_t* commandLine, Script script = {},
                   const Screen& screen = {});

// Selects a fresh headless screen.
void selectScreen(const Screen& screen);

// Collects the debugger output while it exists.
class DebugCapture {
public:
    DebugCapture();
    ~DebugCapture();
    const std::wstring& text() const { return captured; }

private:
    std::wstring captured;
};

} // namespace shelltest
