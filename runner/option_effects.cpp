#include "runner/option_effects.h"

#include "runner/capture/png_sequence_sink.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string_view>

namespace runner {

namespace {

namespace fs = std::filesystem;

// Options that add to a list or set a flag, which may be given more than once.
constexpr std::string_view repeatable[] = {"--screenshot", "--input", "--lose-context",
                                           "--stats",      "--help",  "--version"};
// What --validate and --write-references use.
constexpr std::string_view validationOptions[] = {
    "--backend", "--gl", "--validate", "--validate-out", "--write-references", "--help", "--version"};

bool invalid(const std::string& argument, const std::string& why, std::string& error) {
    error = "invalid option " + argument + ": " + why;
    return false;
}

const GivenOption* find(const std::vector<GivenOption>& given, std::string_view name) {
    const auto found =
        std::find_if(given.begin(), given.end(), [name](const GivenOption& o) { return o.name == name; });
    return found == given.end() ? nullptr : &*found;
}

// The file an output option names, as one path for every way of writing it.
std::string sameFileName(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return (ec ? fs::path(path) : absolute).lexically_normal().string();
}

// An output file of one option, or the numbered files of a capture pattern.
struct Output {
    std::string file; // a sameFileName
    bool numbered = false;
    const GivenOption* option = nullptr;
};

// Whether the numbered files of `pattern` (a sameFileName whose last % is its conversion) include `file`.
bool numbers(const std::string& pattern, const std::string& file) {
    const std::size_t percent = pattern.rfind('%');
    const std::size_t d = pattern.find('d', percent);
    const std::string_view prefix(pattern.data(), percent);
    const std::string_view suffix(pattern.data() + d + 1, pattern.size() - d - 1);
    if (file.size() <= prefix.size() + suffix.size() || !file.starts_with(prefix) ||
        !file.ends_with(suffix)) {
        return false;
    }
    // A frame number, however many zeros pad it; the pattern's own formatting of it must give the name.
    const std::string_view digits(file.data() + prefix.size(), file.size() - prefix.size() - suffix.size());
    int number = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return ec == std::errc() && end == digits.data() + digits.size() && number >= 0 &&
           PngSequenceSink::numberedPath(pattern.substr(percent), number) ==
               std::string_view(file).substr(prefix.size());
}

bool sameFile(const Output& a, const Output& b) {
    return a.numbered ? numbers(a.file, b.file) : b.numbered ? numbers(b.file, a.file) : a.file == b.file;
}

// The outputs in command-line order; false at the first that writes the file of an earlier one.
bool checkOutputs(const PlatformOptions& options, const std::vector<GivenOption>& given, std::string& error) {
    std::vector<Output> outputs;
    std::size_t screenshot = 0;
    for (const GivenOption& option : given) {
        Output output{{}, false, &option};
        if (option.name == "--screenshot") {
            output.file = options.screenshots[screenshot++].path;
        } else if (option.name == "--capture" && options.capturePath != "-") {
            output.file = options.capturePath;
            output.numbered = !streamCapture(options.capturePath);
        } else if (option.name == "--log") {
            output.file = options.logPath;
        } else if (option.name == "--frame-digest" && options.frameDigestPath != "-") {
            output.file = options.frameDigestPath;
        } else if (option.name == "--results" || option.name == "--frame-times" || option.name == "--plot") {
            output.file = option.argument.substr(option.argument.find('=') + 1);
        } else {
            continue;
        }
        output.file = sameFileName(output.file);
        for (const Output& earlier : outputs) {
            if (sameFile(earlier, output)) {
                return invalid(option.argument, earlier.option->argument + " writes the same file", error);
            }
        }
        outputs.push_back(output);
    }
    return true;
}

} // namespace

bool checkOptionsTakeEffect(const PlatformOptions& options, const std::vector<GivenOption>& given,
                            std::string& error) {
    for (std::size_t i = 0; i < given.size(); ++i) {
        const GivenOption& option = given[i];
        const GivenOption* first = find(given, option.name);
        if (first != &option &&
            std::find(std::begin(repeatable), std::end(repeatable), option.name) == std::end(repeatable)) {
            return invalid(option.argument, first->argument + " was given already", error);
        }
    }
    if (const GivenOption* out = find(given, "--validate-out"); out && !options.report.validate) {
        return invalid(out->argument, "applies to --validate", error);
    }
    if (const GivenOption* every = find(given, "--capture-every"); every && options.capturePath.empty()) {
        return invalid(every->argument, "applies to --capture", error);
    }
    if (options.backend && *options.backend != platform::WindowBackendKind::Headless) {
        for (const char* headless : {"--screen", "--input"}) {
            if (const GivenOption* option = find(given, headless)) {
                return invalid(option->argument, "applies to the headless backend", error);
            }
        }
    }
    const auto mode = std::find_if(given.begin(), given.end(), [](const GivenOption& o) {
        return o.name == "--validate" || o.name == "--write-references";
    });
    if (mode != given.end()) {
        const std::string unused = "not used by " + mode->name;
        for (const GivenOption& option : given) {
            const bool used = std::find(std::begin(validationOptions), std::end(validationOptions),
                                        option.name) != std::end(validationOptions);
            const bool otherMode = option.name != mode->name &&
                                   (option.name == "--validate" || option.name == "--write-references");
            if (!used || otherMode) {
                return invalid(option.argument, unused, error);
            }
        }
        if (!options.shellArguments.empty()) {
            return invalid(options.shellArguments.front(), unused, error);
        }
    }
    return checkOutputs(options, given, error);
}

} // namespace runner
