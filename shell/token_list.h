#pragma once
// Splits a wide command line into narrow tokens, offers each to HandleToken and keeps the ones it does
// not consume.

class TokenList {
public:
    static constexpr int MaxUnconsumedTokens = 100;

    TokenList() = default;
    TokenList(const TokenList&) = delete;
    TokenList& operator=(const TokenList&) = delete;

    // True when the token was consumed; a token that is not consumed is kept.
    virtual bool HandleToken(const char* token) = 0;
    virtual ~TokenList();

    // Tokens are separated by blanks and tabs; each character is reduced to its low byte; there is no
    // quoting. Tokens that are not consumed once MaxUnconsumedTokens are kept are dropped. False when
    // the token array or a token cannot be allocated: the reading stops there, keeping what it kept.
    bool Parse(const wchar_t* commandLine);

    int GetTokenCount() const { return count; }
    const char* const* GetTokens() const { return tokens; }

private:
    int count = 0;
    char** tokens = nullptr;
};
