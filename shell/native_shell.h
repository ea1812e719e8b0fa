#pragma once
// The shell on the platform's window system and EGL: one window (full-screen or framed), an EGL
// context and window surface, presentation with context-loss recovery, and the message pump.
#include "platform/gles/egl.h"
#include "platform/window/window.h"
#include "shell/ogles_shell.h"

#include <cstdint>

class NativeShell : public OGLESShell {
public:
    NativeShell(ShellApplication& application, void* instance);
    ~NativeShell() override = default;

    bool InitWindow() override;
    void PresentFrame() override;
    void ReleaseContext() override;
    void RunMainLoop() override;

    // Sets up the display, config, context and surface for the window and makes them current. A
    // context lost while making it current is retried a few times when power management is present.
    bool InitEGL(platform::Window* window);
    // The first config that matches the shell's attribute list for the record's fsaaMode, or null.
    EGLConfig ChooseConfig();
    void ReleaseEGL();
    void CentreWindow(platform::Window* window);

    static std::intptr_t WindowProc(platform::Window* window, platform::MessageType message,
                                    std::uintptr_t wParam, std::intptr_t lParam);

    // How many times InitEGL starts over after a context lost at make-current time.
    static constexpr int MaxContextLostRetries = 3;

    // The window and the context in use.
    platform::Window* GetWindow() const { return window; }
    EGLContext GetContext() const { return context; }

private:
    bool CreateNativeWindow();
    bool CreateFullScreenWindow();
    bool CreateFramedWindow();
    platform::Rect FramedOuterRect() const;

    int quit = 0;
    int powerManagement = 0;
    int frameLost = 0; // 1 when the last PresentFrame lost its frame with the context
    void* instance;
    const wchar_t* title = L"OGLESShell";
    const wchar_t* className = L"OGLESShellClass";
    platform::DeviceContext* deviceContext = nullptr;
    platform::Window* window = nullptr;
    int showCommand = platform::showNormal;
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
    EGLConfig eglConfig = nullptr;
    EGLint major = 0;
    EGLint minor = 0;
};

// The factory that the entry point uses: a NativeShell, or null when it cannot be allocated.
OGLESShell* NewNativeShell(ShellApplication& application, void* instance);
