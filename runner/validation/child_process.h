#pragma once
// The program's own executable run again in a child process, for one screen size of the validation. The
// child ends with its parent, should the parent be killed, and a signal that interrupts the run ends it.
#include "runner/validation/scratch_folder.h"

#include <string>
#include <vector>

namespace runner::validation {

// What runProgramAgain returns when SIGINT or SIGTERM came first: the child has been ended.
inline constexpr int interruptedByASignal = -1;

// Runs /proc/self/exe with the arguments (argv[0] first) and waits for it. Returns its exit code (128 +
// the signal that ended it), 127 if it could not be run, or interruptedByASignal. While it runs, an abort
// of this process ends it too (see ScratchFolder).
int runProgramAgain(std::vector<std::string> arguments, ScratchFolder& scratch);

} // namespace runner::validation
