// The headless backend: a virtual screen, windows as records, EGL on Mesa's surfaceless platform with
// pbuffer surfaces of the windows' client size, and input scripted by presented frame.
#include "platform/window/scripted_input.h"
#include "platform/window/window_state.h"

namespace platform {

namespace {

// A usual frame: 4-pixel sizing borders and a 20-pixel caption.
constexpr Rect estimatedBorders{4, 24, 4, 4};

class HeadlessBackend final : public WindowBackend {
public:
    explicit HeadlessBackend(const HeadlessSettings& settings) : settings_(settings) {}

    Rect frameBorders() override { return estimatedBorders; }
    Rect screenRect(const Window*) override { return {0, 0, settings_.screenWidth, settings_.screenHeight}; }
    bool create(Window&) override { return true; }
    void destroy(Window&) override {}
    void place(Window&) override {}
    void show(Window&) override {}
    void makeFullScreen(Window& window) override { window.outer = screenRect(&window); }
    void poll(std::deque<Message>&) override {}

    void framePresented(int frame, Window* target, std::deque<Message>& queue) override {
        deliverScriptedInput(settings_.input, frame, target, queue);
    }

    EGLenum eglPlatform() const override { return gles::eglPlatformSurfaceless; }
    void* eglNativeDisplay(EGLNativeDisplayType) const override { return nullptr; }
    bool pbufferWindow(EGLNativeWindowType native, EGLint& width, EGLint& height) const override {
        const Rect client = clientRect(static_cast<const Window*>(native));
        width = client.width();
        height = client.height();
        return true;
    }
    void* eglNativeWindow(EGLNativeWindowType) const override { return nullptr; }

private:
    HeadlessSettings settings_;
};

} // namespace

std::unique_ptr<WindowBackend> makeHeadlessBackend(const HeadlessSettings& settings) {
    return std::make_unique<HeadlessBackend>(settings);
}

} // namespace platform
