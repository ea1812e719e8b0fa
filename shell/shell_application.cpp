#include "shell/shell_application.h"

#include "platform/debug_output.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

ShellApplication::ShellApplication() : config(new ShellConfig) {}

ShellApplication::~ShellApplication() {
    delete config;
}

bool ShellApplication::OnAppStart(int, const char* const*, int, int) {
    return false;
}

bool ShellApplication::OnViewCreate(int, int) {
    return false;
}

void ShellApplication::OnViewRelease() {}

bool ShellApplication::OnAppStop() {
    return false;
}

bool ShellApplication::OnFrame() {
    return false;
}

void ShellApplication::OutputDebug(const char* format, ...) {
    // The format is limited to 127 characters and the formatted text to 255. Formatting the narrow
    // text and widening each byte afterwards gives the same characters as widening first, and keeps
    // narrow "%s" arguments byte for byte whatever the locale.
    char shortFormat[128];
    std::strncpy(shortFormat, format, sizeof shortFormat - 1);
    shortFormat[sizeof shortFormat - 1] = '\0';

    char text[256];
    va_list args;
    va_start(args, format);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
    const int length = std::vsnprintf(text, sizeof text, shortFormat, args);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    va_end(args);
    if (length < 0) {
        text[0] = '\0';
    }

    wchar_t wide[256];
    std::size_t i = 0;
    for (; text[i] != '\0'; ++i) {
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
    }
    wide[i] = L'\0';
    platform::outputDebugString(wide);
}
