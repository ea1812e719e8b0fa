#include "shell/option_parser.h"

#include "shell/shell_application.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// atoi's reading (leading white space, optional sign, decimal digits, 0 when there are none), with
// out-of-range values clamped instead of undefined.
int readInt(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// Read as a double and narrowed to float; a value beyond the float range becomes an infinity.
float readSeconds(const char* text) {
    const double value = std::strtod(text, nullptr);
    if (std::isfinite(value) && std::fabs(value) > FLT_MAX) {
        return value > 0 ? HUGE_VALF : -HUGE_VALF;
    }
    return static_cast<float>(value);
}

// The value after the option's text when the token begins with it, else null.
const char* valueAfter(const char* token, const char* option) {
    const std::size_t length = std::strlen(option);
    return std::strncmp(token, option, length) == 0 ? token + length : nullptr;
}

void setQuitAfterFrame(ShellConfig& config, const char* value) {
    const int frame = readInt(value);
    if (frame != 0 || value[0] == '0') {
        config.quitAfterFrame = frame;
    }
}

void setQuitAfterTime(ShellConfig& config, const char* value) {
    const float seconds = readSeconds(value);
    if (seconds != 0.0f) {
        config.quitAfterTime = seconds;
    }
}

} // namespace

OptionParser::OptionParser(const ShellApplication& application) : config(application.GetConfig()) {}

bool OptionParser::HandleToken(const char* token) {
    ShellConfig& c = *config;
    const char* value = nullptr;
    if ((value = valueAfter(token, "-width=")) != nullptr) {
        if (const int v = readInt(value); v != 0) {
            c.width = v;
            c.defaultPosition = 0;
        }
    } else if ((value = valueAfter(token, "-height=")) != nullptr) {
        if (const int v = readInt(value); v != 0) {
            c.height = v;
            c.fitToScreen = 0;
        }
    } else if ((value = valueAfter(token, "-posx=")) != nullptr) {
        if (const int v = readInt(value); v != 0) {
            c.windowX = v;
            c.defaultPosition = 0;
        }
    } else if ((value = valueAfter(token, "-posy=")) != nullptr) {
        if (const int v = readInt(value); v != 0) {
            c.windowY = v;
            c.defaultPosition = 0;
        }
    } else if ((value = valueAfter(token, "-FSAAMode=")) != nullptr) {
        if (const int v = readInt(value); v != 0) {
            c.fsaaMode = v;
        }
    } else if (valueAfter(token, "-fullscreen") != nullptr) {
        c.fullScreen = 1;
    } else if (valueAfter(token, "-windowed") != nullptr) {
        c.fullScreen = 0;
    } else if ((value = valueAfter(token, "-quitafterframe=")) != nullptr) {
        setQuitAfterFrame(c, value);
    } else if ((value = valueAfter(token, "-quitaftertime=")) != nullptr) {
        setQuitAfterTime(c, value);
    } else if ((value = valueAfter(token, "-qaf=")) != nullptr) {
        setQuitAfterFrame(c, value);
    } else if ((value = valueAfter(token, "-qat=")) != nullptr) {
        setQuitAfterTime(c, value);
    } else {
        return false;
    }
    return true;
}
