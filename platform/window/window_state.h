#pragma once
// What the window system keeps per window, and the interface each backend implements.
#include "platform/gles/native_windowing.h"
#include "platform/window/window.h"
#include "platform/window/window_backend.h"

#include <deque>
#include <memory>
#include <string>

namespace platform {

struct DeviceContext {
    Window* window = nullptr;
};

struct Window {
    std::wstring className;
    std::wstring title;
    WindowProcedure procedure = nullptr;
    unsigned style = 0;
    Rect outer; // screen coordinates
    bool visible = false;
    bool shownOnce = false;
    bool fullScreen = false;
    bool topmost = false;
    bool paintPending = false;
    bool destroyed = false;
    void* userData = nullptr;
    DeviceContext deviceContext;
    unsigned long nativeId = 0; // the X window on x11, the wayland::Toplevel on wayland
};

class WindowBackend : public gles::NativeWindowing {
public:
    // The border sizes a framed window gets: left, top (caption included), right, bottom.
    virtual Rect frameBorders() = 0;
    virtual Rect screenRect(const Window* window) = 0;
    virtual bool create(Window& window) = 0;
    virtual void destroy(Window& window) = 0;
    // The window's outer rectangle, visibility, order or full-screen state changed.
    virtual void place(Window& window) = 0;
    virtual void show(Window& window) = 0;
    virtual void makeFullScreen(Window& window) = 0;
    // Appends what has happened since the last call (input, close requests, resizes).
    virtual void poll(std::deque<Message>& queue) = 0;
    // A frame was presented; `target` is the foreground window (or null).
    virtual void framePresented(int frame, Window* target, std::deque<Message>& queue) = 0;
    // The server went away during the run (reported on standard error; the quit message is posted).
    virtual bool connectionLost() const { return false; }
};

std::unique_ptr<WindowBackend> makeHeadlessBackend(const HeadlessSettings& settings);
std::unique_ptr<WindowBackend> makeX11Backend(std::string& error);
std::unique_ptr<WindowBackend> makeWaylandBackend(std::string& error);
std::unique_ptr<WindowBackend> makeWebBackend(const HeadlessSettings& settings, std::string& error);

// The client rectangle of a window in screen coordinates (its outer rectangle less the frame).
Rect clientScreenRect(const Window& window);

// A message's lParam of two 16-bit halves, low | high << 16: a client size, or a point in client
// coordinates.
std::intptr_t packPair(int low, int high);

} // namespace platform
