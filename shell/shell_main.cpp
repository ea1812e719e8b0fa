// The program's entry logic: the application that the program defines, on the native shell.
#include "shell/shell_main.h"
#include "shell/native_shell.h"
#include "shell/shell_entry.h"

int ShellMain(void* instance, const wchar_t* commandLine) {
    return RunShell(NewDemoApplication, NewNativeShell, instance, commandLine);
}
