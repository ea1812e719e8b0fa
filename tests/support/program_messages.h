#pragma once
// The program's own lines ("nymbus: ...") in what it wrote on standard error, but for the notice of a run
// without a display, which depends on the machine the test runs on.
#include <algorithm>
#include <string>

inline std::string programMessages(const std::string& err) {
    std::string lines;
    for (std::size_t start = 0; start < err.size();) {
        const std::size_t end = std::min(err.find('\n', start), err.size() - 1) + 1;
        const std::string line = err.substr(start, end - start);
        if (line.starts_with("nymbus: ") && !line.starts_with("nymbus: no display")) {
            lines += line;
        }
        start = end;
    }
    return lines;
}
