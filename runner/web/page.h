#pragma once
// What the page does for the runner in a browser (page_runner.js, a library of the module's JavaScript,
// which hands the work to the page's own script): it keeps the pictures the program writes, starts
// fresh modules of the program, and fetches files of the site. Blocks of memory it returns are the
// caller's to free.
extern "C" {

// Keeps a picture of width x height RGBA pixels, rows `stride` bytes apart and bottom row first when
// `bottomUp`, under `path`, as if it were a PNG file written there. Returns 0 if the page would not.
int nym_page_keep_picture(const char* path, int width, int height, const unsigned char* rgba, int stride,
                          int bottomUp);
// The picture kept under `path` (RGBA, top row first), which the page then forgets; null if there is
// none.
unsigned char* nym_page_take_picture(const char* path, int* width, int* height);
// Runs the program in a fresh module of its own, on a canvas of its own, with these arguments (one a
// line), and returns its exit code once it has ended; the pictures it keeps can then be taken.
int nym_page_run_module(const char* arguments);
// A file of the site (a path relative to the page) as text ending in a zero byte; null if it cannot be
// fetched.
char* nym_page_fetch_text(const char* path);
// A PNG file of the site decoded by the browser into RGBA pixels, top row first; null if it cannot be
// fetched or decoded.
unsigned char* nym_page_fetch_picture(const char* path, int* width, int* height);
}
