// The process entry of the executables: the platform layer, then the shell's entry logic.
#include "platform/entry.h"

int main(int argc, char** argv) {
    return platform::runProgram(argc, argv, ShellMain);
}
