// The process entry of the demo and of the shell's test application: the run around the shell's entry
// logic.
#include "platform/window/window_backend.h"
#include "runner/run_program.h"
#include "shell/shell_main.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int status = runner::runProgram(argc, argv, ShellMain);
    if (platform::windowThreadLeftBehind()) {
        // The X library's teardown would pull its locks from under the thread still opening the display.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
