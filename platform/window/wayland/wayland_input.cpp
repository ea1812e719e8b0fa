#include "platform/window/wayland/wayland_input.h"

#include "platform/window/window_state.h"

#include <cstring>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon.h>

namespace platform::wayland {

namespace {

SeatInput& self(void* data) {
    return *static_cast<SeatInput*>(data);
}

// Devices are released where the seat's version has the request, else only forgotten.
template <typename Device>
void releaseDevice(Device*& device, void (*release)(Device*), void (*destroy)(Device*)) {
    if (device) {
        if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(device)) >= 3) {
            release(device);
        } else {
            destroy(device);
        }
        device = nullptr;
    }
}

} // namespace

// Filled member by member: the listener structs grow with the library's version, and events of versions
// newer than the one bound never arrive.
const wl_seat_listener SeatInput::seatListener = [] {
    wl_seat_listener l{};
    l.capabilities = capabilities;
    l.name = seatName;
    return l;
}();

const wl_keyboard_listener SeatInput::keyboardListener = [] {
    wl_keyboard_listener l{};
    l.keymap = keymap;
    l.enter = keyboardEnter;
    l.leave = keyboardLeave;
    l.key = key;
    l.modifiers = modifiers;
    l.repeat_info = repeatInfo;
    return l;
}();

const wl_pointer_listener SeatInput::pointerListener = [] {
    wl_pointer_listener l{};
    l.enter = pointerEnter;
    l.leave = pointerLeave;
    l.motion = motion;
    l.button = button;
    l.axis = axis;
    l.frame = pointerFrame;
    l.axis_source = axisSource;
    l.axis_stop = axisStop;
    l.axis_discrete = axisDiscrete;
    return l;
}();

const wl_touch_listener SeatInput::touchListener = [] {
    wl_touch_listener l{};
    l.down = touchDown;
    l.up = touchUp;
    l.motion = touchMotion;
    l.frame = touchFrame;
    l.cancel = touchCancel;
    l.shape = touchShape;
    l.orientation = touchOrientation;
    return l;
}();

SeatInput::SeatInput(std::deque<Message>& messages, SurfaceWindow windowOf)
    : messages_(messages), windowOf_(windowOf) {}

SeatInput::~SeatInput() {
    detach();
    dropKeymap();
    if (xkb_) {
        xkb_context_unref(xkb_);
    }
}

void SeatInput::attach(wl_seat* seat) {
    wl_seat_add_listener(seat, &seatListener, this);
}

void SeatInput::detach() {
    releaseDevice(keyboard_, wl_keyboard_release, wl_keyboard_destroy);
    releaseDevice(pointer_, wl_pointer_release, wl_pointer_destroy);
    releaseDevice(touch_, wl_touch_release, wl_touch_destroy);
    keyboardFocus_ = nullptr;
    pointerFocus_ = nullptr;
}

void SeatInput::forget(const Window* window) {
    if (keyboardFocus_ == window) {
        keyboardFocus_ = nullptr;
    }
    if (pointerFocus_ == window) {
        pointerFocus_ = nullptr;
    }
}

void SeatInput::capabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    SeatInput& input = self(data);
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !input.keyboard_) {
        input.keyboard_ = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(input.keyboard_, &keyboardListener, &input);
    } else if (!(capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) {
        releaseDevice(input.keyboard_, wl_keyboard_release, wl_keyboard_destroy);
        input.keyboardFocus_ = nullptr;
    }
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !input.pointer_) {
        input.pointer_ = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(input.pointer_, &pointerListener, &input);
    } else if (!(capabilities & WL_SEAT_CAPABILITY_POINTER)) {
        releaseDevice(input.pointer_, wl_pointer_release, wl_pointer_destroy);
        input.pointerFocus_ = nullptr;
    }
    if ((capabilities & WL_SEAT_CAPABILITY_TOUCH) && !input.touch_) {
        input.touch_ = wl_seat_get_touch(seat);
        wl_touch_add_listener(input.touch_, &touchListener, &input);
    } else if (!(capabilities & WL_SEAT_CAPABILITY_TOUCH)) {
        releaseDevice(input.touch_, wl_touch_release, wl_touch_destroy);
    }
}

void SeatInput::seatName(void*, wl_seat*, const char*) {}

void SeatInput::keymap(void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd, std::uint32_t size) {
    SeatInput& input = self(data);
    input.dropKeymap();
    // The map is read only as far as the file goes: a size past its end would fault on reading.
    struct stat file {};
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0 && fd >= 0 && fstat(fd, &file) == 0 &&
        static_cast<std::uint64_t>(file.st_size) >= size) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            if (!input.xkb_) {
                input.xkb_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
            }
            if (input.xkb_) {
                const char* chars = static_cast<const char*>(text);
                input.keymap_ =
                    xkb_keymap_new_from_buffer(input.xkb_, chars, strnlen(chars, size),
                                               XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
            }
            munmap(text, size);
        }
    }
    if (fd >= 0) {
        close(fd);
    }
    if (input.keymap_) {
        input.keyState_ = xkb_state_new(input.keymap_);
    }
}

void SeatInput::keyboardEnter(void* data, wl_keyboard*, std::uint32_t, wl_surface* surface, wl_array*) {
    self(data).keyboardFocus_ = self(data).windowOf_(surface);
}

void SeatInput::keyboardLeave(void* data, wl_keyboard*, std::uint32_t, wl_surface*) {
    self(data).keyboardFocus_ = nullptr;
}

void SeatInput::key(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
                    std::uint32_t state) {
    SeatInput& input = self(data);
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED || !input.keyboardFocus_) {
        return;
    }
    // As on x11: the key's symbol without modifiers (level 0 of the active layout).
    xkb_keysym_t symbol = XKB_KEY_NoSymbol;
    if (input.keyState_) {
        const xkb_keycode_t code = key + 8; // evdev to xkb key codes
        const xkb_keysym_t* symbols = nullptr;
        const xkb_layout_index_t layout = xkb_state_key_get_layout(input.keyState_, code);
        if (layout != XKB_LAYOUT_INVALID &&
            xkb_keymap_key_get_syms_by_level(input.keymap_, code, layout, 0, &symbols) > 0) {
            symbol = symbols[0];
        }
    } else if (key == KEY_ESC) {
        symbol = XKB_KEY_Escape; // no usable keymap: Escape is still known by its evdev code
    }
    if (symbol == XKB_KEY_Escape) {
        input.messages_.push_back({input.keyboardFocus_, MessageType::KeyDown, keyEscape, 0});
    } else if (symbol >= 0x20 && symbol < 0x7F) {
        input.messages_.push_back({input.keyboardFocus_, MessageType::KeyDown, symbol, 0});
    }
}

void SeatInput::modifiers(void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed,
                          std::uint32_t latched, std::uint32_t locked, std::uint32_t group) {
    if (self(data).keyState_) {
        xkb_state_update_mask(self(data).keyState_, depressed, latched, locked, 0, 0, group);
    }
}

void SeatInput::repeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

void SeatInput::pointerEnter(void* data, wl_pointer*, std::uint32_t, wl_surface* surface, wl_fixed_t x,
                             wl_fixed_t y) {
    SeatInput& input = self(data);
    input.pointerFocus_ = input.windowOf_(surface);
    input.pointerX_ = x;
    input.pointerY_ = y;
}

void SeatInput::pointerLeave(void* data, wl_pointer*, std::uint32_t, wl_surface*) {
    self(data).pointerFocus_ = nullptr;
}

void SeatInput::motion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
    self(data).pointerX_ = x;
    self(data).pointerY_ = y;
}

void SeatInput::button(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button,
                       std::uint32_t state) {
    SeatInput& input = self(data);
    if (button == BTN_LEFT && state == WL_POINTER_BUTTON_STATE_PRESSED) {
        input.tapAt(input.pointerFocus_, input.pointerX_, input.pointerY_);
    }
}

void SeatInput::axis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
void SeatInput::pointerFrame(void*, wl_pointer*) {}
void SeatInput::axisSource(void*, wl_pointer*, std::uint32_t) {}
void SeatInput::axisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
void SeatInput::axisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

void SeatInput::touchDown(void* data, wl_touch*, std::uint32_t, std::uint32_t, wl_surface* surface,
                          std::int32_t, wl_fixed_t x, wl_fixed_t y) {
    self(data).tapAt(self(data).windowOf_(surface), x, y);
}

void SeatInput::touchUp(void*, wl_touch*, std::uint32_t, std::uint32_t, std::int32_t) {}
void SeatInput::touchMotion(void*, wl_touch*, std::uint32_t, std::int32_t, wl_fixed_t, wl_fixed_t) {}
void SeatInput::touchFrame(void*, wl_touch*) {}
void SeatInput::touchCancel(void*, wl_touch*) {}
void SeatInput::touchShape(void*, wl_touch*, std::int32_t, wl_fixed_t, wl_fixed_t) {}
void SeatInput::touchOrientation(void*, wl_touch*, std::int32_t, wl_fixed_t) {}

void SeatInput::tapAt(Window* window, wl_fixed_t x, wl_fixed_t y) {
    if (window) {
        messages_.push_back(
            {window, MessageType::LeftButtonDown, 0, packPair(wl_fixed_to_int(x), wl_fixed_to_int(y))});
    }
}

void SeatInput::dropKeymap() {
    if (keyState_) {
        xkb_state_unref(keyState_);
        keyState_ = nullptr;
    }
    if (keymap_) {
        xkb_keymap_unref(keymap_);
        keymap_ = nullptr;
    }
}

} // namespace platform::wayland
