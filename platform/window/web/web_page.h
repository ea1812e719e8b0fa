#pragma once
// What the page does for the web backend (web_page.js, a library of the module's JavaScript): the
// canvas's size and place, the input the browser delivers, and the wait for the browser's next frame.
// Sizes are in device pixels (CSS pixels times the device pixel ratio).
extern "C" {

// Starts listening for Escape, presses on the canvas and changes of the page's size.
void nym_page_listen();
// The size of the page's visible area.
void nym_page_size(int* width, int* height);
// Gives the canvas a drawing buffer of width x height pixels, shown at that many device pixels, filling
// the page from its top left corner (fill) or centred on it.
void nym_page_place_canvas(int width, int height, int fill);
void nym_page_show_canvas(int visible);
// The events since the last call, at most `capacity`, three ints each: kind, x, y. Returns the count.
int nym_page_take_events(int* events, int capacity);
// Hands control to the browser until its next animation frame, telling the page whether a frame was
// presented; the module's stack is saved meanwhile and restored afterwards (ASYNCIFY).
void nym_page_next_frame(int presented);
}

namespace platform::web {

// The kinds of event that nym_page_take_events returns.
enum PageEvent { Escape = 0, Press = 1, Resize = 2 };

} // namespace platform::web
