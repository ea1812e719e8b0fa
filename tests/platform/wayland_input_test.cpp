// The wayland backend's seat listeners, fed the events a compositor sends: key presses through a real xkb
// keymap handed over in a file, pointer buttons and touches. (A headless Weston has no seat at all, so no
// compositor on a test machine sends them.)
#include "platform/window/wayland/wayland_input.h"
#include "platform/window/window_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/input-event-codes.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>
#include <xkbcommon/xkbcommon.h>

namespace {

using namespace platform;
using wayland::SeatInput;

// The listeners never look into a surface: a window's address stands in for its surface.
wl_surface* surfaceOf(Window& window) {
    return reinterpret_cast<wl_surface*>(&window);
}

Window* windowOf(wl_surface* surface) {
    return reinterpret_cast<Window*>(surface);
}

// A keymap as a compositor sends it: in a file, text followed by a NUL.
int keymapFile(const std::string& layout, std::uint32_t& size) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names{"evdev", "pc105", layout.c_str(), "", ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    char* text = keymap ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : nullptr;
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    size = text ? static_cast<std::uint32_t>(std::strlen(text) + 1) : 0;
    if (text && write(fd, text, size) != static_cast<ssize_t>(size)) {
        size = 0;
    }
    std::free(text);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return fd;
}

bool closed(int fd) {
    return fcntl(fd, F_GETFD) == -1;
}

class SeatListeners : public ::testing::Test {
protected:
    void keymap(std::uint32_t format, int fd, std::uint32_t size) {
        SeatInput::keyboardListener.keymap(&input, nullptr, format, fd, size);
    }
    void press(std::uint32_t key) {
        SeatInput::keyboardListener.key(&input, nullptr, 0, 0, key, WL_KEYBOARD_KEY_STATE_PRESSED);
    }
    void release(std::uint32_t key) {
        SeatInput::keyboardListener.key(&input, nullptr, 0, 0, key, WL_KEYBOARD_KEY_STATE_RELEASED);
    }
    void button(std::uint32_t which, std::uint32_t state) {
        SeatInput::pointerListener.button(&input, nullptr, 0, 0, which, state);
    }
    // The messages so far, taken.
    std::deque<Message> taken() { return std::exchange(messages, {}); }

    std::deque<Message> messages;
    SeatInput input{messages, windowOf};
    Window first;
    Window second;
};

TEST_F(SeatListeners, KeysGoThroughTheKeymapToTheFocusedWindowAsOnX11) {
    std::uint32_t size = 0;
    const int fd = keymapFile("fr", size);
    ASSERT_GT(size, 0u);
    keymap(WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, size);
    EXPECT_TRUE(closed(fd));

    press(KEY_ESC); // no window has the focus yet
    EXPECT_TRUE(taken().empty());

    SeatInput::keyboardListener.enter(&input, nullptr, 0, surfaceOf(first), nullptr);
    press(KEY_ESC);
    release(KEY_ESC);
    press(KEY_Q); // an A on a French keyboard
    // Shift held: still the key's unshifted symbol, as x11 reports it.
    SeatInput::keyboardListener.modifiers(&input, nullptr, 0, 1, 0, 0, 0);
    press(KEY_W); // Z
    press(KEY_F1);
    press(KEY_LEFTSHIFT);
    const std::deque<Message> keys = taken();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].window, &first);
    EXPECT_EQ(keys[0].type, MessageType::KeyDown);
    EXPECT_EQ(keys[0].wParam, keyEscape);
    EXPECT_EQ(keys[1].wParam, static_cast<std::uintptr_t>('a'));
    EXPECT_EQ(keys[2].wParam, static_cast<std::uintptr_t>('z'));

    SeatInput::keyboardListener.leave(&input, nullptr, 0, surfaceOf(first));
    press(KEY_ESC);
    EXPECT_TRUE(taken().empty());
    SeatInput::keyboardListener.enter(&input, nullptr, 0, surfaceOf(second), nullptr);
    input.forget(&second); // the window is going away
    press(KEY_ESC);
    EXPECT_TRUE(taken().empty());
}

TEST_F(SeatListeners, AKeymapThatCannotBeReadLeavesEscapeKnownByItsKeyCode) {
    SeatInput::keyboardListener.enter(&input, nullptr, 0, surfaceOf(first), nullptr);
    std::uint32_t size = 0;
    const int truncated = keymapFile("us", size);
    ASSERT_GT(size, 0u);
    // Said to be longer than the file: reading past its end would fault.
    keymap(WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, truncated, size + 65536);
    EXPECT_TRUE(closed(truncated));
    press(KEY_ESC);
    press(KEY_A);

    const int garbage = memfd_create("keymap", MFD_CLOEXEC);
    ASSERT_EQ(write(garbage, "xkb_keymap {", 13), 13);
    keymap(WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, garbage, 13);
    press(KEY_ESC);

    const int none = open("/dev/null", O_RDONLY);
    keymap(WL_KEYBOARD_KEYMAP_FORMAT_NO_KEYMAP, none, 0);
    EXPECT_TRUE(closed(none));
    press(KEY_ESC);

    const std::deque<Message> keys = taken();
    ASSERT_EQ(keys.size(), 3u);
    for (const Message& key : keys) {
        EXPECT_EQ(key.type, MessageType::KeyDown);
        EXPECT_EQ(key.wParam, keyEscape);
    }
}

TEST_F(SeatListeners, TheLeftButtonAndEachTouchAreTapsWhereTheyHappen) {
    button(BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED); // the pointer is over no window
    SeatInput::pointerListener.enter(&input, nullptr, 0, surfaceOf(first), wl_fixed_from_int(10),
                                     wl_fixed_from_int(20));
    SeatInput::pointerListener.motion(&input, nullptr, 0, wl_fixed_from_double(30.75), wl_fixed_from_int(40));
    button(BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
    button(BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
    button(BTN_RIGHT, WL_POINTER_BUTTON_STATE_PRESSED);
    SeatInput::touchListener.down(&input, nullptr, 0, 0, surfaceOf(second), 0, wl_fixed_from_int(5),
                                  wl_fixed_from_int(7));
    SeatInput::touchListener.down(&input, nullptr, 0, 0, surfaceOf(second), 1, wl_fixed_from_int(6),
                                  wl_fixed_from_int(8));
    SeatInput::touchListener.up(&input, nullptr, 0, 0, 0);
    SeatInput::pointerListener.leave(&input, nullptr, 0, surfaceOf(first));
    button(BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);

    const std::deque<Message> taps = taken();
    ASSERT_EQ(taps.size(), 3u);
    EXPECT_EQ(taps[0].window, &first);
    EXPECT_EQ(taps[0].type, MessageType::LeftButtonDown);
    EXPECT_EQ(taps[0].lParam, 30 | 40 << 16);
    EXPECT_EQ(taps[1].window, &second);
    EXPECT_EQ(taps[1].lParam, 5 | 7 << 16);
    EXPECT_EQ(taps[2].lParam, 6 | 8 << 16);

    SeatInput::pointerListener.enter(&input, nullptr, 0, surfaceOf(first), 0, 0);
    input.forget(&first);
    button(BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
    EXPECT_TRUE(taken().empty());
}

} // namespace
