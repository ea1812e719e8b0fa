// The shell's command line: the input split into arguments at NUL bytes, decoded and joined as the
// program's entry does, then read by the shell's tokeniser and option parser, twice, and used to make
// the window and its rendering context on the headless screen and the record driver.
#include "fuzz/fuzz_check.h"
#include "fuzz/record_environment.h"
#include "platform/window/window_backend.h"
#include "runner/run_program.h"
#include "shell/native_shell.h"
#include "shell/shell_entry.h"

#include <string>

namespace {

// Checks what the shell hands it and presents one frame.
class Application : public ShellApplication {
public:
    bool OnAppStart(int tokenCount, const char* const* tokens, int width, int height) override {
        FUZZ_CHECK(tokenCount >= 0 && tokenCount <= 100);
        FUZZ_CHECK(width == 640 && height == 480);
        for (int i = 0; i < tokenCount; ++i) {
            FUZZ_CHECK(tokens[i] != nullptr);
        }
        return true;
    }
    bool OnViewCreate(int width, int height) override {
        FUZZ_CHECK(width > 0 && height > 0);
        return true;
    }
    bool OnAppStop() override { return true; }
    bool OnFrame() override { return frames++ == 0; }

private:
    int frames = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::RecordEnvironment e(fuzz::RecordEnvironment::Emulation::Off);
    std::string error;
    FUZZ_CHECK(platform::selectWindowBackend(platform::WindowBackendKind::Headless, {}, error));
    const std::wstring commandLine = runner::wideCommandLine(fuzz::splitArguments(data, size));
    const int exitCode = RunShell([]() -> ShellApplication* { return new Application; }, NewNativeShell,
                                  nullptr, commandLine.c_str());
    FUZZ_CHECK(exitCode == 0 || exitCode == 1);
    e.driver.clearLog();
    return 0;
}
