#pragma once
// The window system: window classes and windows, their placement, user data and device context, and
// one message queue. Three backends stand behind it: `wayland` (xdg-shell toplevels of a compositor),
// `x11` (Xlib, real windows) and `headless` (a virtual screen whose windows are records, with scripted
// input); see window_backend.h.
//
// Everything runs on the program's one thread. A window procedure runs inside dispatchMessage, and
// inside createWindow (no messages are sent there yet) and showWindow (a paint and a size message are
// queued, not sent).
#include <cstdint>

namespace platform {

struct Window;        // opaque; also the native window that eglCreateWindowSurface takes
struct DeviceContext; // opaque; the native display that eglGetDisplay takes

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class MessageType : unsigned {
    Close, // the user (or the window manager) asks the window to close
    Destroy,
    Paint,
    Size,           // the client area changed size: wParam 0, lParam = width | height << 16
    KeyDown,        // wParam = key code (keyEscape for Escape)
    LeftButtonDown, // lParam = x | y << 16, client coordinates
    Quit,           // posted by postQuitMessage: wParam = exit code; window null
};

constexpr std::uintptr_t keyEscape = 27;

struct Message {
    Window* window = nullptr;
    MessageType type = MessageType::Quit;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

using WindowProcedure = std::intptr_t (*)(Window* window, MessageType type, std::uintptr_t wParam,
                                          std::intptr_t lParam);

// Window class styles (accepted and kept; every backend redraws on every resize anyway).
constexpr unsigned classRedrawOnHorizontalResize = 0x2;
constexpr unsigned classRedrawOnVerticalResize = 0x1;

struct WindowClass {
    unsigned style = 0;
    WindowProcedure procedure = nullptr;
    void* instance = nullptr;
    int backgroundBrush = 0; // stock brush number (0: white); the backends clear to nothing
    const wchar_t* name = nullptr;
};

// Returns false if the class has no name or procedure, or the name is already registered.
bool registerWindowClass(const WindowClass& windowClass);

// Window styles.
constexpr unsigned styleVisible = 0x10000000;
constexpr unsigned styleCaption = 0x00C00000;
constexpr unsigned styleSystemMenu = 0x00080000;
constexpr unsigned styleSizingBorder = 0x00040000;
constexpr unsigned styleFramed = styleCaption | styleSystemMenu | styleSizingBorder;

// Creates a window of a registered class with its outer rectangle at (x, y), width x height. A framed
// window's client area is that rectangle less the frame (see framedOuterRect). Returns null if the class
// is unknown or the window cannot be made.
Window* createWindow(const wchar_t* className, const wchar_t* title, unsigned style, int x, int y, int width,
                     int height, void* instance);

// The outer rectangle of a window with this style whose client area is `client`: for a framed style,
// grown by the frame's border sizes (from the window manager on x11, none on wayland, whose compositor
// draws any frame outside the surface, else a fixed estimate).
Rect framedOuterRect(const Rect& client, unsigned style);

// The rectangle of the monitor that holds the window (the primary monitor if none does, or if the
// window is null). On the headless backend, (0, 0) to the virtual screen's size; on wayland, the size a
// full-screen window gets on the window's output (its mode, turned and scaled).
Rect monitorRect(const Window* window);

// setWindowPos flags.
constexpr unsigned positionNoSize = 0x1;
constexpr unsigned positionNoMove = 0x2;
constexpr unsigned positionNoZOrder = 0x4;
constexpr unsigned positionNoActivate = 0x10;

enum class WindowOrder { Unchanged, Topmost };

// Moves and/or resizes the outer rectangle; `order` Topmost keeps the window above others (unless
// positionNoZOrder). Returns false for a null window.
bool setWindowPos(Window* window, WindowOrder order, int x, int y, int width, int height, unsigned flags);
// Sets the outer rectangle; with `repaint` a paint message is queued.
bool moveWindow(Window* window, int x, int y, int width, int height, bool repaint);
Rect windowRect(const Window* window); // the outer rectangle, screen coordinates
Rect clientRect(const Window* window); // (0, 0) to the client area's size

constexpr int showNormal = 1;
constexpr int showHide = 0;
// Shows (or hides, showHide) the window; the first showing queues a size and a paint message.
bool showWindow(Window* window, int command);
// Sends a pending paint message to the window procedure at once.
bool updateWindow(Window* window);
bool setForegroundWindow(Window* window);

// The handheld shell's full-screen call. Flags: hide the task bar, the input-panel button and the start
// icon (0x2A is all three); on every backend the window becomes full-screen (on x11 through
// _NET_WM_STATE_FULLSCREEN, on wayland through xdg_toplevel's full-screen request, taking the size the
// compositor gives).
constexpr unsigned fullScreenHideTaskBar = 0x2;
constexpr unsigned fullScreenHideInputPanel = 0x8;
constexpr unsigned fullScreenHideStartIcon = 0x20;
bool setFullScreen(Window* window, unsigned flags);

// One pointer of user data per window (null until set). setWindowUserData returns the previous value.
void* setWindowUserData(Window* window, void* data);
void* windowUserData(const Window* window);

// The window's device context: hand it to eglGetDisplay. Null for a null window.
DeviceContext* windowDeviceContext(Window* window);

// Message queue. peekMessage takes the oldest message if there is one (after fetching what the
// backend has: X events, scripted input). translateMessage is accepted for symmetry and does nothing
// (key-down messages already carry the key code). dispatchMessage calls the window's procedure and
// returns its result (0 for a message without a window).
bool peekMessage(Message& message);
void translateMessage(const Message& message);
std::intptr_t dispatchMessage(const Message& message);
// Queues the quit message. Safe to call from a signal handler.
void postQuitMessage(int exitCode);
// What a window does with a message its procedure does not handle: Close destroys the window (a Destroy
// message is sent), Paint validates the window, the rest are ignored. Returns 0.
std::intptr_t defaultWindowProcedure(Window* window, MessageType type, std::uintptr_t wParam,
                                     std::intptr_t lParam);

// Painting: beginPaint marks the window's pending paint as done; endPaint completes it.
void beginPaint(Window* window);
void endPaint(Window* window);

// The title given at creation, and whether the window is shown (for tests and the backends).
const wchar_t* windowTitle(const Window* window);
bool windowVisible(const Window* window);
bool windowFullScreen(const Window* window);

} // namespace platform
