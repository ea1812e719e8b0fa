#pragma once
// Options that would do nothing are refused as malformed ones are: one that needs an option that was
// not given (--validate-out without --validate, --capture-every without --capture), one given again
// (the later would replace the earlier), two outputs of one file (the later would replace the earlier's
// file), a headless setting for another backend, and what --validate and --write-references do not use.
#include "runner/options.h"

#include <string>
#include <vector>

namespace runner {

// A platform option as given: its name ("--plot") and the whole argument ("--plot=a.png").
struct GivenOption {
    std::string name;
    std::string argument;
};

// `given` in command-line order. Returns false with "invalid option ARGUMENT: why" in `error`.
bool checkOptionsTakeEffect(const PlatformOptions& options, const std::vector<GivenOption>& given,
                            std::string& error);

} // namespace runner
