// The process entry of the demo and of the shell's test application: the run around the shell's entry
// logic.
#include "runner/run_program.h"
#include "shell/shell_main.h"

int main(int argc, char** argv) {
    return runner::runProgram(argc, argv, ShellMain);
}
