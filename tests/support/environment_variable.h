#pragma once
// An environment variable read and put back, for the fixtures that point one at a server of their own and
// must leave the process as they found it.
#include <cstdlib>
#include <optional>
#include <string>

// The variable's value, or nothing if it is not set.
inline std::optional<std::string> environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// Sets the variable to the value, or removes it when there is none.
inline void restoreEnvironmentVariable(const char* name, const std::optional<std::string>& value) {
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
}
