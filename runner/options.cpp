#include "runner/options.h"

#include "runner/capture/video_container.h"
#include "runner/option_effects.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace runner {

namespace {

// A whole decimal number in [low, high].
bool parseInt(std::string_view text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= high;
}

bool parseFrameList(std::string_view text, std::vector<int>& frames) {
    while (true) {
        const std::size_t comma = text.find(',');
        int frame = 0;
        if (!parseInt(text.substr(0, comma), 0, 1 << 30, frame)) {
            return false;
        }
        frames.push_back(frame);
        if (comma == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(comma + 1);
    }
}

bool parseInput(std::string_view text, std::vector<platform::ScriptedInput>& input) {
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const std::size_t at = item.find('@');
        if (at == std::string_view::npos) {
            return false;
        }
        platform::ScriptedInput event;
        const std::string_view name = item.substr(0, at);
        if (name == "escape") {
            event.event = platform::ScriptedInput::Event::Escape;
        } else if (name == "tap") {
            event.event = platform::ScriptedInput::Event::Tap;
        } else if (name == "close") {
            event.event = platform::ScriptedInput::Event::Close;
        } else {
            return false;
        }
        if (!parseInt(item.substr(at + 1), 0, 1 << 30, event.frame)) {
            return false;
        }
        input.push_back(event);
        if (comma == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(comma + 1);
    }
}

bool parseSize(std::string_view text, int& width, int& height) {
    const std::size_t x = text.find('x');
    return x != std::string_view::npos && parseInt(text.substr(0, x), 1, 16384, width) &&
           parseInt(text.substr(x + 1), 1, 16384, height);
}

bool parseScreenshot(std::string_view text, Screenshot& shot) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || !parseInt(text.substr(0, colon), 0, 1 << 30, shot.frame)) {
        return false;
    }
    shot.path = std::string(text.substr(colon + 1));
    return shot.path.size() > 4 && shot.path.ends_with(".png");
}

bool validCapturePath(const std::string& path) {
    if (streamCapture(path)) {
        return true;
    }
    // Exactly one integer conversion, %d with optional zero padding and width (e.g. %05d), no other %.
    const std::size_t percent = path.find('%');
    if (percent == std::string::npos) {
        return false;
    }
    std::size_t i = percent + 1;
    while (i < path.size() && path[i] >= '0' && path[i] <= '9') {
        ++i;
    }
    return i < path.size() && path[i] == 'd' && i - percent <= 4 && path.find('%', i) == std::string::npos;
}

// Whether the numbered file names fit in a file name (255 bytes); a number has up to 10 digits.
bool numberedNamesFit(const std::string& pattern) {
    const std::size_t percent = pattern.find('%');
    const std::size_t d = pattern.find('d', percent);
    const std::size_t slash = pattern.rfind('/', percent);
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t nameEnd = std::min(pattern.find('/', d), pattern.size());
    int width = 0;
    std::from_chars(pattern.data() + percent + 1, pattern.data() + d, width);
    const std::size_t digits = std::max<std::size_t>(static_cast<std::size_t>(width), 10);
    return (percent - nameStart) + digits + (nameEnd - d - 1) <= 255;
}

} // namespace

bool streamCapture(const std::string& path) {
    return path == "-" || (path.size() > 4 && path.ends_with(".y4m")) || videoContainerFor(path);
}

bool parsePlatformOptions(int argc, const char* const* argv, PlatformOptions& options, std::string& error) {
    std::string_view qualityOption;
    std::vector<GivenOption> given;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!arg.starts_with("--")) {
            options.shellArguments.emplace_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        given.push_back({std::string(name), std::string(arg)});
        const bool hasValue = equals != std::string_view::npos;
        const std::string_view value = hasValue ? arg.substr(equals + 1) : std::string_view();
        const auto bad = [&](const char* what) {
            error = "invalid option " + std::string(arg) + ": " + what;
            return false;
        };
        const bool flag = name == "--help" || name == "--version" || name == "--stats";
        if (flag && hasValue) {
            return bad("takes no value");
        }
        if (!flag && !hasValue &&
            (name == "--backend" || name == "--gl" || name == "--screen" || name == "--input" ||
             name == "--fixed-fps" || name == "--log" || name == "--capture" || name == "--capture-every" ||
             name == "--capture-quality" || name == "--screenshot" || name == "--lose-context" ||
             name == "--frame-digest")) {
            return bad("needs a value");
        }
        if (name == "--help") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--stats") {
            options.stats = true;
        } else if (name == "--backend") {
            if (value == "wayland") {
                options.backend = platform::WindowBackendKind::Wayland;
            } else if (value == "x11") {
                options.backend = platform::WindowBackendKind::X11;
            } else if (value == "headless") {
                options.backend = platform::WindowBackendKind::Headless;
            } else {
                return bad("expected wayland, x11 or headless");
            }
        } else if (name == "--gl") {
            if (value == "es1") {
                options.gl = platform::gles::GlPath::Es1;
            } else if (value == "es2") {
                options.gl = platform::gles::GlPath::Es2;
            } else {
                return bad("expected es1 or es2");
            }
        } else if (name == "--screen") {
            if (!parseSize(value, options.headless.screenWidth, options.headless.screenHeight)) {
                return bad("expected WIDTHxHEIGHT, e.g. 240x320");
            }
            options.headless.screenGiven = true;
        } else if (name == "--input") {
            if (!parseInput(value, options.headless.input)) {
                return bad("expected EVENT@FRAME,... with EVENT escape, tap or close");
            }
        } else if (name == "--fixed-fps") {
            if (!parseInt(value, 1, 1000, options.fixedFps)) {
                return bad("expected frames per second from 1 to 1000");
            }
        } else if (name == "--log") {
            if (value.empty()) {
                return bad("expected a file name");
            }
            options.logPath = std::string(value);
        } else if (name == "--capture") {
            options.capturePath = std::string(value);
            if (!validCapturePath(options.capturePath)) {
                return bad("expected a PNG pattern with %d (e.g. frames/%05d.png), a .y4m, .mp4, .mkv or "
                           ".webm file, or -");
            }
            if (!streamCapture(options.capturePath) && !numberedNamesFit(options.capturePath)) {
                return bad("the numbered file names would be longer than 255 bytes");
            }
        } else if (name == "--capture-every") {
            if (!parseInt(value, 1, 1 << 30, options.captureEvery)) {
                return bad("expected a positive whole number");
            }
        } else if (name == "--capture-quality") {
            if (!parseInt(value, 0, 63, options.captureQuality)) {
                return bad("expected a constant rate factor, 0 (best) to 51 for H.264, to 63 for VP9");
            }
            qualityOption = arg;
        } else if (name == "--screenshot") {
            Screenshot shot;
            if (!parseScreenshot(value, shot)) {
                return bad("expected FRAME:FILE.png");
            }
            options.screenshots.push_back(shot);
        } else if (name == "--lose-context") {
            if (!parseFrameList(value, options.loseContextFrames)) {
                return bad("expected FRAME[,FRAME...]");
            }
        } else if (name == "--frame-digest") {
            if (value.empty()) {
                return bad("expected a file name or -");
            }
            options.frameDigestPath = std::string(value);
        } else {
            bool recognised = false;
            if (!report::parseReportOption(arg, options.report, recognised, error)) {
                return false;
            }
            if (!recognised) {
                error = "unknown option " + std::string(name);
                return false;
            }
        }
    }
    if (options.frameDigestPath == "-" && options.capturePath == "-") {
        error = "invalid option --frame-digest=-: standard output carries the video of --capture=-";
        return false;
    }
    // The quality is a video encoder's, whose scale the container tells.
    if (!qualityOption.empty()) {
        const VideoContainer* video = videoContainerFor(options.capturePath);
        if (!video) {
            error =
                "invalid option " + std::string(qualityOption) + ": applies to .mp4, .mkv and .webm captures";
            return false;
        }
        if (options.captureQuality > video->worstQuality) {
            error = "invalid option " + std::string(qualityOption) + ": expected 0 (best) to " +
                    std::to_string(video->worstQuality) + " for " + video->codec;
            return false;
        }
    }
    return checkOptionsTakeEffect(options, given, error);
}

std::string platformUsage() {
    return "usage: nymbus [platform options] [shell options]\n"
           "platform options:\n"
           "  --backend=wayland|x11|headless  window system (default: wayland when a compositor answers,\n"
           "                             else x11 when DISPLAY is set, else headless)\n"
           "  --gl=es1|es2               OpenGL ES 1.x itself, or carried out on OpenGL ES 2.0 by the\n"
           "                             translation (default: es1 when it gives a context, else es2)\n"
           "  --screen=WxH               headless screen size (default 640x480; 240x320 is a portrait "
           "handheld)\n"
           "  --input=EVENT@FRAME,...    headless input: escape, tap or close after that presented frame\n"
           "  --fixed-fps=N              virtual clock: each presented frame advances it by 1000/N ms\n"
           "  --log=FILE                 debug output and trace to FILE instead of standard error\n"
           "  --capture=PATH             keep presented frames: PNG files (PATH with %d, e.g. "
           "frames/%05d.png),\n"
           "                             a video: .mp4 or .mkv (H.264), .webm (VP9), or .y4m "
           "(uncompressed),\n"
           "                             or - for y4m on standard output\n"
           "  --capture-every=K          capture every K-th frame only\n"
           "  --capture-quality=CRF      a video's constant rate factor, lower is better: 0 to 51 for H.264\n"
           "                             (default 20), 0 to 63 for VP9 (default 32)\n"
           "  --screenshot=FRAME:FILE.png  write that frame (counted from 0) as a PNG file\n"
           "  --stats                    print frame count, seconds, fps and frame times at exit\n"
           "  --lose-context=FRAME,...   make the swap of those frames report a lost context\n"
           "  --frame-digest=FILE|-      write FRAME HASH for each presented frame: a hash of every GL call\n"
           "                             of the frame, with its arguments and the data they pass\n" +
           report::reportUsage() +
           "  --help, --version\n"
           "shell options: -width=N -height=N -posx=N -posy=N -FSAAMode=0|1|2 -fullscreen -windowed\n"
           "               -quitafterframe=N (-qaf=N) -quitaftertime=SECONDS (-qat=SECONDS)\n";
}

} // namespace runner
