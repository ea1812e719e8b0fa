// The platform's own options: the input split into arguments at NUL bytes and parsed as main does; an
// accepted --input script is then delivered by the headless backend into a window's message queue.
#include "fuzz/fuzz_check.h"
#include "platform/window/window.h"
#include "platform/window/window_backend.h"
#include "runner/options.h"

#include <vector>

namespace {

std::intptr_t ignore(platform::Window*, platform::MessageType, std::uintptr_t, std::intptr_t) {
    return 0;
}

void deliverInput(const platform::HeadlessSettings& settings) {
    std::string error;
    FUZZ_CHECK(platform::selectWindowBackend(platform::WindowBackendKind::Headless, settings, error));
    platform::WindowClass windowClass;
    windowClass.procedure = ignore;
    windowClass.name = L"fuzz";
    FUZZ_CHECK(platform::registerWindowClass(windowClass));
    platform::Window* window = platform::createWindow(L"fuzz", L"", platform::styleVisible, 0, 0,
                                                      settings.screenWidth, settings.screenHeight, nullptr);
    FUZZ_CHECK(window != nullptr);
    for (const platform::ScriptedInput& input : settings.input) {
        platform::windowFramePresented(input.frame);
    }
    platform::Message message;
    std::size_t delivered = 0;
    while (platform::peekMessage(message)) {
        if (message.type == platform::MessageType::LeftButtonDown) {
            const auto x = static_cast<int>(message.lParam & 0xFFFF);
            const auto y = static_cast<int>(message.lParam >> 16 & 0xFFFF);
            FUZZ_CHECK(x < settings.screenWidth && y < settings.screenHeight);
        }
        delivered += message.type == platform::MessageType::KeyDown ||
                     message.type == platform::MessageType::LeftButtonDown ||
                     message.type == platform::MessageType::Close;
    }
    // Each event once for every frame it names, however often that frame is named.
    FUZZ_CHECK(delivered >= settings.input.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments = fuzz::splitArguments(data, size);
    arguments.insert(arguments.begin(), "nymbus");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    runner::PlatformOptions options;
    std::string error;
    if (!runner::parsePlatformOptions(static_cast<int>(argv.size()), argv.data(), options, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(error.empty());
    FUZZ_CHECK(options.headless.screenWidth >= 1 && options.headless.screenHeight >= 1);
    FUZZ_CHECK(options.fixedFps >= 0 && options.fixedFps <= 1000 && options.captureEvery >= 1);
    FUZZ_CHECK(options.captureQuality >= -1 && options.captureQuality <= 63);
    for (const runner::Screenshot& shot : options.screenshots) {
        FUZZ_CHECK(shot.frame >= 0 && shot.path.ends_with(".png"));
    }
    for (int frame : options.loseContextFrames) {
        FUZZ_CHECK(frame >= 0);
    }
    for (const platform::ScriptedInput& input : options.headless.input) {
        FUZZ_CHECK(input.frame >= 0);
    }
    deliverInput(options.headless);
    return 0;
}
