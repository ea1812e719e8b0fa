#pragma once
// The engine's diagnostic channel: level-filtered messages, formatted with a small printf subset, written
// to the debugger output.
#include <cstdarg>

class NymTrace {
public:
    // Size of the message buffer: a formatted message keeps at most TraceBufferSize - 1 characters.
    static constexpr int TraceBufferSize = 256;

    // The process-wide trace, created on first use with threshold 1. Never null: when the trace cannot be
    // created, "NymTrace failed to create itself\n" goes to the debugger output (once until the next
    // creation or Destroy) and a silent stand-in is returned that writes nothing; the next call tries again.
    static NymTrace* Instance();
    // Deletes the trace; the next Instance() starts afresh with threshold 1.
    static void Destroy();

    // Sets the threshold a message's level must reach to be written; returns it.
    int SetLevel(int threshold);

    // Formats and writes one message when level >= threshold and the format is present.
    // Conversions: %% %c %d %x %s %f (double, passed through float) %r (int read as 16.16 fixed point).
    // No flags, widths or precisions; any other conversion drops the message with a line on stderr.
    // A message is cut at TraceBufferSize - 1 characters. No line ending is added.
    void Print(int level, const char* format, ...);
    // Writes the message as it stands at level 1000, nothing when it is null; the first argument is not
    // used.
    void PrintError(int unused, const char* message);

    NymTrace(const NymTrace&) = delete;
    NymTrace& operator=(const NymTrace&) = delete;

private:
    struct Silent {};
    NymTrace();
    explicit NymTrace(Silent);
    static NymTrace& standIn();

    void printArgs(int level, const char* format, std::va_list args);
    void write();

    int threshold_ = 1;
    char message_[TraceBufferSize] = {};
    wchar_t wide_[TraceBufferSize] = {};
    bool silent_ = false;
};
