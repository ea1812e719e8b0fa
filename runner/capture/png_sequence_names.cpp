// The names of the numbered files of a PNG capture, apart from the sink that writes them: the options
// check them against the run's other outputs in every build, with or without the sink.
#include "runner/capture/png_sequence_sink.h"

#include <cstdio>

namespace runner {

std::string PngSequenceSink::numberedPath(const std::string& pattern, int number) {
    const std::size_t percent = pattern.find('%');
    const std::size_t d = pattern.find('d', percent);
    // The option parser allows only %d with an optional zero flag and width here.
    const std::string conversion = pattern.substr(percent, d - percent + 1);
    std::string digits(static_cast<std::size_t>(std::snprintf(nullptr, 0, conversion.c_str(), number)), '\0');
    std::snprintf(digits.data(), digits.size() + 1, conversion.c_str(), number);
    return pattern.substr(0, percent) + digits + pattern.substr(d + 1);
}

} // namespace runner
