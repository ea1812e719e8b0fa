#pragma once
// The shell's command-line options: each recognised token is written into the application's settings
// record and consumed; the others are kept for the application.
#include "shell/shell_config.h"
#include "shell/token_list.h"

class ShellApplication;

class OptionParser : public TokenList {
public:
    explicit OptionParser(const ShellApplication& application);

    bool HandleToken(const char* token) override;
    ~OptionParser() override = default;

private:
    ShellConfig* config; // borrowed from the application
};
