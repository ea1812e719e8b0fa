// The web backend: the page's canvas is the window. A full-screen window fills the page (or the box of
// --screen) and follows its size; a framed one is a canvas of its client size in the middle of the page,
// the page drawing no frame around it. Escape and a press on the canvas (mouse, touch or pen) arrive as
// key and button messages, as do the scripted events of --input. EGL is Emscripten's, on a WebGL context
// of the canvas: displays and surfaces need no native handles.
//
// The browser shows what was drawn, and delivers input, only when the module hands control back to it:
// the first look for messages after a presented frame waits for the browser's next animation frame,
// which is the pump of the shell's main loop, so the loop keeps its order.
#include "platform/window/scripted_input.h"
#include "platform/window/web/web_page.h"
#include "platform/window/window_state.h"

#include <chrono>

namespace platform {

namespace {

// A swap that presents nothing still lets the browser in this often (real time, whatever the program's
// clock), so that a failing run cannot hold the page.
constexpr std::chrono::milliseconds kLongestWithoutTheBrowser{100};

class WebBackend final : public WindowBackend {
public:
    explicit WebBackend(const HeadlessSettings& settings) : settings_(settings) { nym_page_listen(); }

    Rect frameBorders() override { return {}; }
    Rect screenRect(const Window*) override {
        if (settings_.screenGiven) {
            return {0, 0, settings_.screenWidth, settings_.screenHeight};
        }
        int width = 0;
        int height = 0;
        nym_page_size(&width, &height);
        return {0, 0, width, height};
    }
    bool create(Window& window) override {
        window_ = &window;
        return true;
    }
    void destroy(Window& window) override {
        if (window_ == &window) {
            nym_page_show_canvas(0);
            window_ = nullptr;
        }
    }
    void place(Window& window) override {
        const Rect client = clientScreenRect(window);
        nym_page_place_canvas(client.width(), client.height(), followsPage(window) ? 1 : 0);
    }
    void show(Window& window) override { nym_page_show_canvas(window.visible ? 1 : 0); }
    void makeFullScreen(Window& window) override {
        window.outer = screenRect(&window);
        place(window);
    }

    void poll(std::deque<Message>& queue) override {
        const auto now = std::chrono::steady_clock::now();
        if (presented_ || now - lastVisit_ > kLongestWithoutTheBrowser) {
            nym_page_next_frame(presented_ ? 1 : 0);
            presented_ = false;
            lastVisit_ = std::chrono::steady_clock::now();
        }
        int events[3 * 16];
        const int count = nym_page_take_events(events, 16);
        for (int i = 0; i < count && window_; ++i) {
            const int* e = events + 3 * i;
            switch (e[0]) {
            case web::Escape:
                queue.push_back({window_, MessageType::KeyDown, keyEscape, 0});
                break;
            case web::Press:
                queue.push_back({window_, MessageType::LeftButtonDown, 0, packPair(e[1], e[2])});
                break;
            case web::Resize:
                followPage(queue);
                break;
            }
        }
    }

    void framePresented(int frame, Window* target, std::deque<Message>& queue) override {
        deliverScriptedInput(settings_.input, frame, target, queue);
        presented_ = true;
    }

    EGLenum eglPlatform() const override { return gles::eglPlatformBrowser; }
    void* eglNativeDisplay(EGLNativeDisplayType) const override { return nullptr; }
    bool pbufferWindow(EGLNativeWindowType, EGLint&, EGLint&) const override { return false; }
    void* eglNativeWindow(EGLNativeWindowType) const override { return nullptr; }

private:
    // A full-screen window on the page itself (not on the box of --screen) takes the page's size.
    bool followsPage(const Window& window) const { return window.fullScreen && !settings_.screenGiven; }

    void followPage(std::deque<Message>& queue) {
        if (!followsPage(*window_)) {
            return;
        }
        const Rect page = screenRect(window_);
        if (page == window_->outer) {
            return;
        }
        window_->outer = page;
        place(*window_);
        queue.push_back({window_, MessageType::Size, 0, packPair(page.width(), page.height())});
    }

    HeadlessSettings settings_;
    Window* window_ = nullptr;
    bool presented_ = false;
    std::chrono::steady_clock::time_point lastVisit_;
};

} // namespace

std::unique_ptr<WindowBackend> makeWebBackend(const HeadlessSettings& settings, std::string&) {
    return std::make_unique<WebBackend>(settings);
}

} // namespace platform
