#pragma once
// Where the program's own reference frames are, wherever it is run from: an installed program finds
// them in its prefix's data folder (PREFIX/share/nymbus/references beside PREFIX/bin/nymbus, found from
// the executable's own path, so that a moved prefix still works); a program run from its build folder
// finds them in the source tree it was built from.
#include <string>
#include <vector>

namespace runner::validation {

// The folders looked in, in order.
std::vector<std::string> referenceFolderCandidates();

// The first of them that holds a list of reference frames; empty if none does.
std::string findReferenceFolder();

} // namespace runner::validation
