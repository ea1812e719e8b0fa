#include "platform/debug_output.h"

#include "platform/output_file.h"
#include "platform/utf8.h"

#include <cstdio>
#include <cwchar>
#include <memory>
#include <utility>

namespace platform {

namespace {
std::function<void(const wchar_t*)>& debugOutputSink() {
    static std::function<void(const wchar_t*)> sink;
    return sink;
}
std::unique_ptr<OutputFile> logFile;
bool logFailed = false;

void reportLogFailure(const std::string& error) {
    std::fprintf(stderr, "nymbus: log: %s\n", error.c_str());
    logFailed = true;
    logFile.reset();
}
} // namespace

void outputDebugString(const wchar_t* text) {
    if (debugOutputSink()) {
        debugOutputSink()(text);
        return;
    }
    const std::string bytes = toUtf8(text);
    std::string error;
    if (logFile && logFile->write(bytes.data(), bytes.size(), error)) {
        return;
    }
    if (logFile) {
        reportLogFailure(error);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

void setDebugOutputSink(std::function<void(const wchar_t*)> sink) {
    debugOutputSink() = std::move(sink);
}

bool setDebugOutputFile(const char* path, std::string& error) {
    auto file = std::make_unique<OutputFile>();
    // A log named "-" is a file of that name, not standard output.
    const std::string name = path;
    if (!file->open(name == "-" ? "./-" : name, error, name)) {
        return false;
    }
    logFile = std::move(file);
    logFailed = false;
    return true;
}

bool debugOutputFailed() {
    return logFailed;
}

bool finishDebugOutput() {
    std::string error;
    if (logFile && !logFile->close(error)) {
        reportLogFailure(error);
    }
    logFile.reset();
    const bool ok = !logFailed;
    logFailed = false;
    return ok;
}

} // namespace platform
