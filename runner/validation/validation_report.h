#pragma once
// What every build's validation shares: how a screen size's frames are rendered from a fresh start (the
// program's own options), and the lines it prints.
#include "runner/validation/image_difference.h"
#include "runner/validation/reference_list.h"

#include <string>
#include <utility>
#include <vector>

namespace runner::validation {

// The list's file name in a references folder.
inline constexpr const char* kListName = "frames.txt";

// The screen sizes of the list, in their order of first appearance.
std::vector<std::pair<int, int>> screenSizes(const std::vector<ReferenceFrame>& frames);

// The options of a run that renders the frames of one screen size on the 30 fps virtual clock, from its
// first frame up to the last of them, each kept as `folder`/NAME.png (the run's window or screen is
// the caller's to add).
std::vector<std::string> renderingOptions(const std::vector<ReferenceFrame>& frames, int width, int height,
                                          const std::string& folder);

// "validating N reference frames of LIST" and the like.
std::string heading(bool writing, std::size_t count, const std::string& list, const char* driver = nullptr);
// The start of a frame's line: its name, frame number and screen.
std::string frameLine(const ReferenceFrame& frame);
// How far a frame is from its reference, then the verdict.
std::string comparison(const ImageDifference& difference);
// The last line: how many frames passed the thresholds, and in how long.
std::string verdict(std::size_t failed, std::size_t total, double seconds);

} // namespace runner::validation
