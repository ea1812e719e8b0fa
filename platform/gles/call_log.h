#pragma once
// The log that the recording libraries keep: the record driver and the recording OpenGL ES 2.0 library.
#include "platform/gles/record_driver.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::gles {

struct CallLog {
    RecordDriver::Mode mode = RecordDriver::Mode::Log;
    std::vector<RecordedCall> calls;

    bool logging() const { return mode == RecordDriver::Mode::Log; }

    // Writes down `name(args)`, followed by ` -> result` when there is one.
    void add(const char* name, const std::string& args, std::vector<const void*> pointers = {},
             const std::string& result = {}) {
        std::string text = name;
        text += '(';
        text += args;
        text += ')';
        if (!result.empty()) {
            text += " -> ";
            text += result;
        }
        calls.push_back({name, std::move(text), std::move(pointers)});
    }

    // Logs a call when logging; only then do `args` and `result` make their texts, so that a silent
    // library costs a benchmark next to nothing.
    template <typename Args>
    void note(const char* name, Args args, std::initializer_list<const void*> pointers = {}) {
        if (logging()) {
            add(name, args(), pointers);
        }
    }
    template <typename Args, typename Result>
    void note(const char* name, Args args, Result result, std::initializer_list<const void*> pointers = {}) {
        if (logging()) {
            add(name, args(), pointers, result());
        }
    }

    // The texts, in order; of the named functions only.
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        all.reserve(calls.size());
        for (const RecordedCall& c : calls) {
            all.push_back(c.text);
        }
        return all;
    }
    std::vector<std::string> texts(std::initializer_list<std::string_view> names) const {
        std::vector<std::string> some;
        for (const RecordedCall& c : calls) {
            if (std::find(names.begin(), names.end(), c.name) != names.end()) {
                some.push_back(c.text);
            }
        }
        return some;
    }
};

} // namespace platform::gles
