#pragma once
// The shell's entry logic for the program's own application: what the process entry runs with the wide
// command line once the platform's options are taken.

// `instance` is null on this platform. Returns the exit code.
int ShellMain(void* instance, const wchar_t* commandLine);
