#pragma once
// The list of reference frames (frames.txt in a references folder): one frame a line,
// "NAME FRAME WIDTHxHEIGHT", the frame counted from 0 on the 30 fps virtual clock, the screen it is
// rendered on, and NAME.png the reference picture beside the list. '#' starts a comment.
#include <string>
#include <string_view>
#include <vector>

namespace runner::validation {

struct ReferenceFrame {
    std::string name; // letters, digits, '-' and '_' only: it names files
    int frame = 0;
    int width = 0;
    int height = 0;
};

// Returns false with "line N: reason" in `error` for a malformed line, a repeated name or an empty list.
bool parseReferenceList(std::string_view text, std::vector<ReferenceFrame>& frames, std::string& error);

} // namespace runner::validation
