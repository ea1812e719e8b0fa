#include "files/nym_trace.h"

#include "platform/debug_output.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
NymTrace* instance = nullptr;
// Whether the trace has said that it cannot be created since it last was created or destroyed.
bool creationFailureReported = false;

// Appends to a bounded message: the text beyond the buffer is dropped and the message stays terminated.
class MessageWriter {
public:
    MessageWriter(char* buffer, int size) : buffer_(buffer), size_(size) { buffer_[0] = '\0'; }

    void append(char c) {
        if (length_ < size_ - 1) {
            buffer_[length_++] = c;
            buffer_[length_] = '\0';
        }
    }
    void append(const char* text) {
        while (*text != '\0' && length_ < size_ - 1) {
            buffer_[length_++] = *text++;
        }
        buffer_[length_] = '\0';
    }
    // One standard conversion, written straight into the remaining space.
    template <typename T> void appendFormatted(const char* conversion, T value) {
        const int room = size_ - length_;
        const int written =
            std::snprintf(buffer_ + length_, static_cast<std::size_t>(room), conversion, value);
        if (written > 0) {
            length_ += written < room ? written : room - 1;
        }
        buffer_[length_] = '\0';
    }

private:
    char* buffer_;
    int size_;
    int length_ = 0;
};
} // namespace

NymTrace::NymTrace() {
    instance = this;
    creationFailureReported = false;
}

NymTrace::NymTrace(Silent) : silent_(true) {}

NymTrace& NymTrace::standIn() {
    static NymTrace silent{Silent{}};
    return silent;
}

NymTrace* NymTrace::Instance() {
    if (instance == nullptr) {
        new (std::nothrow) NymTrace();
    }
    if (instance != nullptr) {
        return instance;
    }
    // Said once, straight to the debugger output: neither allocates nor goes back through the trace.
    if (!creationFailureReported) {
        creationFailureReported = true;
        platform::outputDebugString(L"NymTrace failed to create itself\n");
    }
    return &standIn();
}

void NymTrace::Destroy() {
    delete instance;
    instance = nullptr;
    creationFailureReported = false;
}

int NymTrace::SetLevel(int threshold) {
    threshold_ = threshold;
    return threshold_;
}

void NymTrace::Print(int level, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    printArgs(level, format, args);
    va_end(args);
}

void NymTrace::PrintError(int, const char* message) {
    // The message is written as text, so that a percent sign in it never reads an argument; no message
    // writes nothing, as a call without a format.
    if (message != nullptr) {
        Print(1000, "%s", message);
    }
}

void NymTrace::printArgs(int level, const char* format, std::va_list args) {
    if (silent_ || level < threshold_ || format == nullptr) {
        return;
    }
    MessageWriter out(message_, TraceBufferSize);
    bool afterPercent = false;
    for (const char* p = format; *p != '\0'; ++p) {
        if (!afterPercent) {
            if (*p == '%') {
                afterPercent = true;
            } else {
                out.append(*p);
            }
            continue;
        }
        afterPercent = false;
        switch (*p) {
        case '%':
            out.append('%');
            break;
        case 'c':
            out.append(static_cast<char>(va_arg(args, int)));
            break;
        case 'd':
            out.appendFormatted("%d", va_arg(args, int));
            break;
        case 'x':
            out.appendFormatted("%x", static_cast<unsigned>(va_arg(args, int)));
            break;
        case 's': {
            const char* text = va_arg(args, const char*);
            out.append(text != nullptr ? text : "(null)");
            break;
        }
        case 'f':
            out.appendFormatted("%f", static_cast<double>(static_cast<float>(va_arg(args, double))));
            break;
        case 'r':
            out.appendFormatted(
                "%f", static_cast<double>(static_cast<float>(va_arg(args, int)) * (1.0f / 65536.0f)));
            break;
        default:
            std::fprintf(stderr, "NymTrace supports only %%f %%x %%d %%c %%s not %c\n", *p);
            return;
        }
    }
    write();
}

void NymTrace::write() {
    const std::size_t converted = std::mbstowcs(wide_, message_, TraceBufferSize);
    if (converted == static_cast<std::size_t>(-1)) {
        // Not a valid multibyte string in the current locale: widen byte by byte instead, so the
        // output is still complete and terminated.
        std::size_t i = 0;
        for (; message_[i] != '\0'; ++i) {
            wide_[i] = static_cast<wchar_t>(static_cast<unsigned char>(message_[i]));
        }
        wide_[i] = L'\0';
    }
    platform::outputDebugString(wide_);
}
