#include "tests/shell/shell_test_support.h"

#include "platform/debug_output.h"
#include "shell/shell_entry.h"

#include <gtest/gtest.h>

#include <new>

namespace shelltest {

std::vector<std::string> events;
std::vector<std::string> ScriptedApplication::lastTokens;
ShellConfig ScriptedApplication::lastConfig;

namespace {

Script pendingScript;

class LoggingShell : public NativeShell {
public:
    using NativeShell::NativeShell;
    ~LoggingShell() override { events.push_back("~shell"); }
};

ShellApplication* newScriptedApplication() {
    return new ScriptedApplication(pendingScript);
}

OGLESShell* newLoggingShell(ShellApplication& application, void* instance) {
    return new LoggingShell(application, instance);
}

} // namespace

ScriptedApplication::~ScriptedApplication() {
    lastConfig = *GetConfig();
    events.push_back("~application");
}

bool ScriptedApplication::OnAppStart(int tokenCount, const char* const* tokens, int width, int height) {
    events.push_back("OnAppStart(" + std::to_string(tokenCount) + " tokens, " + std::to_string(width) +
                     " x " + std::to_string(height) + ")");
    lastTokens.assign(tokens, tokens + tokenCount);
    if (script.onStart) {
        script.onStart(*GetConfig());
    }
    return script.start;
}

bool ScriptedApplication::OnViewCreate(int width, int height) {
    events.push_back("OnViewCreate(" + std::to_string(width) + ", " + std::to_string(height) + ")" +
                     (GetContextRecovering() != 0 ? " recovering" : ""));
    return script.viewCreate;
}

void ScriptedApplication::OnViewRelease() {
    events.push_back(std::string("OnViewRelease") + (GetContextRecovering() != 0 ? " recovering" : ""));
}

bool ScriptedApplication::OnAppStop() {
    events.push_back("OnAppStop");
    return script.stop;
}

bool ScriptedApplication::OnFrame() {
    const int frame = frames++;
    events.push_back("OnFrame " + std::to_string(frame));
    if (script.onFrame) {
        script.onFrame(frame, *GetConfig());
    }
    return frame != script.failFrame;
}

void selectScreen(const Screen& screen) {
    platform::HeadlessSettings settings;
    settings.screenWidth = screen.width;
    settings.screenHeight = screen.height;
    settings.input = screen.input;
    std::string error;
    ASSERT_TRUE(platform::selectWindowBackend(platform::WindowBackendKind::Headless, settings, error))
        << error;
}

RunResult runShell(platform::gles::RecordDriver& driver, const wchar_t* commandLine, Script script,
                   const Screen& screen) {
    selectScreen(screen);
    events.clear();
    driver.clearLog();
    pendingScript = std::move(script);
    RunResult result;
    {
        DebugCapture capture;
        result.exitCode = RunShell(newScriptedApplication, newLoggingShell, nullptr, commandLine);
        result.debugOutput = capture.text();
    }
    // Swaps up to the release of the context, which makes one more.
    for (const std::string& call : driver.log({"eglSwapBuffers", "eglTerminate"})) {
        if (call.rfind("eglTerminate", 0) == 0) {
            --result.presented;
            break;
        }
        ++result.presented;
    }
    return result;
}

DebugCapture::DebugCapture() {
    platform::setDebugOutputSink([this](const wchar_t* text) { captured += text; });
}

DebugCapture::~DebugCapture() {
    platform::setDebugOutputSink({});
}

} // namespace shelltest
