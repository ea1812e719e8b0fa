#pragma once
// A Wayland seat's keyboard, pointer and touch as the window system's messages, as the x11 backend makes
// them: Escape -> key down 27 (other keys with a printable unshifted symbol -> key down with it), the left
// pointer button and each touch down -> left button down at that point of the surface.
#include "platform/window/window.h"

#include <deque>
#include <wayland-client.h>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace platform::wayland {

// The window whose surface this is (null if none of ours).
using SurfaceWindow = Window* (*)(wl_surface* surface);

class SeatInput {
public:
    SeatInput(std::deque<Message>& messages, SurfaceWindow windowOf);
    ~SeatInput();
    SeatInput(const SeatInput&) = delete;
    SeatInput& operator=(const SeatInput&) = delete;

    // Listens to the seat: takes its keyboard, pointer and touch as they come and go.
    void attach(wl_seat* seat);
    void detach();
    // The window is going away: no event is sent to it any more.
    void forget(const Window* window);

    // The listeners, with a SeatInput as their data.
    static const wl_seat_listener seatListener;
    static const wl_keyboard_listener keyboardListener;
    static const wl_pointer_listener pointerListener;
    static const wl_touch_listener touchListener;

private:
    static void capabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void seatName(void* data, wl_seat* seat, const char* name);

    static void keymap(void* data, wl_keyboard* keyboard, std::uint32_t format, std::int32_t fd,
                       std::uint32_t size);
    static void keyboardEnter(void* data, wl_keyboard* keyboard, std::uint32_t serial, wl_surface* surface,
                              wl_array* keys);
    static void keyboardLeave(void* data, wl_keyboard* keyboard, std::uint32_t serial, wl_surface* surface);
    static void key(void* data, wl_keyboard* keyboard, std::uint32_t serial, std::uint32_t time,
                    std::uint32_t key, std::uint32_t state);
    static void modifiers(void* data, wl_keyboard* keyboard, std::uint32_t serial, std::uint32_t depressed,
                          std::uint32_t latched, std::uint32_t locked, std::uint32_t group);
    static void repeatInfo(void* data, wl_keyboard* keyboard, std::int32_t rate, std::int32_t delay);

    static void pointerEnter(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
                             wl_fixed_t x, wl_fixed_t y);
    static void pointerLeave(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface);
    static void motion(void* data, wl_pointer* pointer, std::uint32_t time, wl_fixed_t x, wl_fixed_t y);
    static void button(void* data, wl_pointer* pointer, std::uint32_t serial, std::uint32_t time,
                       std::uint32_t button, std::uint32_t state);
    static void axis(void* data, wl_pointer* pointer, std::uint32_t time, std::uint32_t axis,
                     wl_fixed_t value);
    static void pointerFrame(void* data, wl_pointer* pointer);
    static void axisSource(void* data, wl_pointer* pointer, std::uint32_t source);
    static void axisStop(void* data, wl_pointer* pointer, std::uint32_t time, std::uint32_t axis);
    static void axisDiscrete(void* data, wl_pointer* pointer, std::uint32_t axis, std::int32_t discrete);

    static void touchDown(void* data, wl_touch* touch, std::uint32_t serial, std::uint32_t time,
                          wl_surface* surface, std::int32_t id, wl_fixed_t x, wl_fixed_t y);
    static void touchUp(void* data, wl_touch* touch, std::uint32_t serial, std::uint32_t time,
                        std::int32_t id);
    static void touchMotion(void* data, wl_touch* touch, std::uint32_t time, std::int32_t id, wl_fixed_t x,
                            wl_fixed_t y);
    static void touchFrame(void* data, wl_touch* touch);
    static void touchCancel(void* data, wl_touch* touch);
    static void touchShape(void* data, wl_touch* touch, std::int32_t id, wl_fixed_t major, wl_fixed_t minor);
    static void touchOrientation(void* data, wl_touch* touch, std::int32_t id, wl_fixed_t orientation);

    void tapAt(Window* window, wl_fixed_t x, wl_fixed_t y);
    void dropKeymap();

    std::deque<Message>& messages_;
    SurfaceWindow windowOf_;
    wl_keyboard* keyboard_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    wl_touch* touch_ = nullptr;
    xkb_context* xkb_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* keyState_ = nullptr;
    Window* keyboardFocus_ = nullptr;
    Window* pointerFocus_ = nullptr;
    wl_fixed_t pointerX_ = 0;
    wl_fixed_t pointerY_ = 0;
};

} // namespace platform::wayland
