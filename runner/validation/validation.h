#pragma once
// --validate and --write-references: the reference frames are rendered on the virtual clock by child
// processes of the program (one per screen size, so that each starts the race afresh), then compared
// with the reference pictures or written as new ones.
#include "runner/options.h"
#include "runner/run_program.h"

namespace runner::validation {

// Prints one line per frame and a verdict on standard output (the caller flushes it and checks that).
// Returns the exit code: 0 when every frame passes (or every reference was written), 1 otherwise.
int runValidation(const PlatformOptions& options, EntryFunction entry);

} // namespace runner::validation
