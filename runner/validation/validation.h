#pragma once
// --validate and --write-references: the reference frames are rendered on the virtual clock by child
// processes that run the program's own executable again (one per screen size, so that each starts the
// race afresh), then compared with the reference pictures or written as new ones.
#include "runner/options.h"

namespace runner::validation {

// Prints one line per frame and a verdict on standard output (the caller flushes it and checks that).
// Returns the exit code: 0 when every frame passes (or every reference was written), 1 otherwise.
int runValidation(const PlatformOptions& options);

} // namespace runner::validation
