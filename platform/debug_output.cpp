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
// To the log file while it works, else to standard error.
void writeDebugBytes(const char* bytes, std::size_t size) {
    std::string error;
    if (logFile && logFile->write(bytes, size, error)) {
        return;
    }
    if (logFile) {
        reportLogFailure(error);
    }
    std::fwrite(bytes, 1, size, stderr);
    std::fflush(stderr);
}
} // namespace

void outputDebugString(const wchar_t* text) {
    if (debugOutputSink()) {
        debugOutputSink()(text);
        return;
    }
    // Encoded through a buffer on the stack: the output allocates nothing while it works, so it still
    // works when the memory has run out (the trace reports exactly that through it).
    char bytes[256];
    std::size_t used = 0;
    for (; *text != L'\0'; ++text) {
        if (used + 4 > sizeof bytes) {
            writeDebugBytes(bytes, used);
            used = 0;
        }
        used += static_cast<std::size_t>(encodeUtf8(*text, bytes + used));
    }
    writeDebugBytes(bytes, used);
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
