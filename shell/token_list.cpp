#include "shell/token_list.h"

#include <cwchar>
#include <new>

namespace {

bool isDelimiter(wchar_t c) {
    return c == L' ' || c == L'\t';
}

} // namespace

TokenList::~TokenList() {
    for (int i = 0; i < count; ++i) {
        delete[] tokens[i];
    }
    delete[] tokens;
}

bool TokenList::Parse(const wchar_t* commandLine) {
    if (tokens == nullptr) {
        tokens = new (std::nothrow) char*[MaxUnconsumedTokens];
        if (tokens == nullptr) {
            return false;
        }
    }
    const wchar_t* position = commandLine;
    const wchar_t* const end = commandLine + std::wcslen(commandLine);
    while (position < end) {
        while (position < end && isDelimiter(*position)) {
            ++position;
        }
        if (position == end) {
            break;
        }
        const wchar_t* tokenEnd = position;
        while (tokenEnd < end && !isDelimiter(*tokenEnd)) {
            ++tokenEnd;
        }
        const auto length = static_cast<std::size_t>(tokenEnd - position);
        char* token = new (std::nothrow) char[length + 1];
        if (token == nullptr) {
            return false;
        }
        for (std::size_t i = 0; i < length; ++i) {
            token[i] = static_cast<char>(static_cast<unsigned char>(position[i] & 0xFF));
        }
        token[length] = '\0';

        if (HandleToken(token) || count == MaxUnconsumedTokens) {
            delete[] token;
        } else {
            tokens[count++] = token;
        }
        position = tokenEnd;
    }
    return true;
}
