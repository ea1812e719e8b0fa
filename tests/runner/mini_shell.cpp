#include "tests/runner/mini_shell.h"

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/gles/gl.h"
#include "platform/window/window.h"

#include <unistd.h>

namespace platformtest {

int frames = 10;
bool recovers = false;
std::vector<std::uint32_t> ticksAfterFrames;
std::vector<EGLint> swapResults;

namespace {

std::intptr_t quitOnEscape(platform::Window* window, platform::MessageType type, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    if (type == platform::MessageType::KeyDown && wParam == platform::keyEscape) {
        platform::postQuitMessage(0);
        return 0;
    }
    return platform::defaultWindowProcedure(window, type, wParam, lParam);
}

} // namespace

int miniShell(void*, const wchar_t*) {
    using namespace platform;
    WindowClass windowClass;
    windowClass.procedure = quitOnEscape;
    windowClass.name = L"MiniShell";
    registerWindowClass(windowClass);
    const Rect screen = monitorRect(nullptr);
    Window* window =
        createWindow(L"MiniShell", L"mini", styleVisible, 0, 0, screen.width(), screen.height(), nullptr);
    const EGLDisplay display = eglGetDisplay(windowDeviceContext(window));
    eglInitialize(display, nullptr, nullptr);
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    eglChooseConfig(display, attributes, &config, 1, &count);
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    const EGLSurface surface = eglCreateWindowSurface(display, config, window, nullptr);
    if (count != 1 || !eglMakeCurrent(display, surface, surface, context)) {
        return 1;
    }
    ticksAfterFrames.clear();
    swapResults.clear();
    bool quit = false;
    for (int frame = 0; frame < frames && !quit; ++frame) {
        glDisable(GL_SCISSOR_TEST);
        glClearColorx(0, 0, 0x10000, 0x10000);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, screen.height() / 2, screen.width(), screen.height() - screen.height() / 2);
        glClearColorx(0x10000, 0, 0, 0x10000);
        glClear(GL_COLOR_BUFFER_BIT);
        swapResults.push_back(eglSwapBuffers(display, surface) ? EGL_SUCCESS : eglGetError());
        ticksAfterFrames.push_back(tickCountMs());
        if (swapResults.back() == EGL_CONTEXT_LOST && recovers) {
            eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
            eglDestroyContext(display, context);
            context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
            eglMakeCurrent(display, surface, surface, context);
        }
        Message message;
        while (peekMessage(message)) {
            if (message.type == MessageType::Quit) {
                quit = true;
                break;
            }
            dispatchMessage(message);
        }
    }
    eglSwapBuffers(display, surface);
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglDestroySurface(display, surface);
    eglTerminate(display);
    outputDebugString(L"mini shell done: \u00e9\n");
    return 0;
}

int run(std::vector<const char*> args, runner::EntryFunction entry) {
    args.insert(args.begin(), "nymbus");
    return runner::runProgram(static_cast<int>(args.size()), args.data(), entry);
}

std::filesystem::path scratch(const std::string& name) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("nym_platform_run_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir / name;
}

} // namespace platformtest
