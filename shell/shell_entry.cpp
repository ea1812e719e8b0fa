#include "shell/shell_entry.h"

#include "shell/extension_search.h"
#include "shell/option_parser.h"

#include <new>

namespace {

// A reading of the command line that ran out of memory ends the run like any failure before the loop.
int unreadCommandLine(ShellApplication* application, OGLESShell* shell) {
    ShellApplication::OutputDebug("Unable to read the command line\n");
    delete application;
    delete shell;
    return 1;
}

} // namespace

int RunShell(ApplicationFactory newApplication, ShellFactory newShell, void* instance,
             const wchar_t* commandLine) {
    // The objects are made with non-throwing allocation; an allocation inside their constructors can
    // still throw, which counts as the same failure.
    ShellApplication* application = nullptr;
    try {
        application = newApplication();
    } catch (const std::bad_alloc&) {
    }
    if (application == nullptr) {
        ShellApplication::OutputDebug("Unable to create the application\n");
        return 1;
    }
    OGLESShell* shell = nullptr;
    try {
        shell = newShell(*application, instance);
    } catch (const std::bad_alloc&) {
    }
    if (shell == nullptr) {
        ShellApplication::OutputDebug("Unable to create the shell\n");
        delete application;
        return 1;
    }
    ShellConfig& config = *application->GetConfig();

    // The parsers outlive the application and the shell: the application's tokens stay valid until
    // this function returns.
    OptionParser firstOptions(*application);
    if (!firstOptions.Parse(commandLine)) {
        return unreadCommandLine(application, shell);
    }

    // Whatever size the first reading set is discarded; the second reading restores it after
    // OnAppStart, so the command line wins over the application's choices.
    config.width = 640;
    config.height = 480;
    if (!application->OnAppStart(firstOptions.GetTokenCount(), firstOptions.GetTokens(), 640, 480)) {
        delete application;
        delete shell;
        return 1;
    }

    OptionParser secondOptions(*application);
    if (!secondOptions.Parse(commandLine)) {
        return unreadCommandLine(application, shell);
    }

    if (!shell->InitWindow()) {
        delete application;
        delete shell;
        return 1;
    }

    config.hasTextureCompression = HasGLExtension("GL_ZEB_texture_compression_nymtc") ? 1 : 0;
    if (!application->OnViewCreate(config.width, config.height)) {
        delete application;
        delete shell;
        return 1;
    }

    shell->RunMainLoop();

    application->OnViewRelease();
    const bool stopped = application->OnAppStop();
    shell->ReleaseContext();

    delete application;
    delete shell;
    return stopped ? 0 : 1;
}
