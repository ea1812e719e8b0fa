#include "runner/validation/reference_list.h"

#include <algorithm>
#include <charconv>

namespace runner::validation {

namespace {

bool number(std::string_view text, int low, int high, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

bool validName(std::string_view name) {
    return !name.empty() && name.size() <= 64 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
               c == '_';
    });
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            ++i;
        }
        if (i > start) {
            result.push_back(line.substr(start, i - start));
        }
    }
    return result;
}

} // namespace

bool parseReferenceList(std::string_view text, std::vector<ReferenceFrame>& frames, std::string& error) {
    frames.clear();
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        line = line.substr(0, line.find('#'));
        const std::vector<std::string_view> w = words(line);
        if (w.empty()) {
            continue;
        }
        const auto bad = [&](const std::string& why) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        };
        ReferenceFrame f;
        const std::size_t x = w.size() == 3 ? w[2].find('x') : std::string_view::npos;
        if (w.size() != 3 || x == std::string_view::npos) {
            return bad("expected NAME FRAME WIDTHxHEIGHT");
        }
        if (!validName(w[0])) {
            return bad("a name is made of letters, digits, - and _");
        }
        f.name = std::string(w[0]);
        if (!number(w[1], 0, 1 << 24, f.frame)) {
            return bad("expected a frame number");
        }
        if (!number(w[2].substr(0, x), 1, 4096, f.width) || !number(w[2].substr(x + 1), 1, 4096, f.height)) {
            return bad("expected a screen size such as 320x240");
        }
        if (std::any_of(frames.begin(), frames.end(),
                        [&](const ReferenceFrame& o) { return o.name == f.name; })) {
            return bad("the name " + f.name + " is used twice");
        }
        frames.push_back(f);
    }
    if (frames.empty()) {
        error = "no frames listed";
        return false;
    }
    return true;
}

} // namespace runner::validation
