#include "shell/shell_entry.h"

#include "shell/extension_search.h"
#include "shell/option_parser.h"

#include <new>

namespace {

// A run that fails before the main loop: the message, if there is one, then what was made is deleted
// and the exit code is 1.
int failBeforeTheLoop(ShellApplication* application, OGLESShell* shell, const char* message = nullptr) {
    if (message != nullptr) {
        ShellApplication::OutputDebug("%s", message);
    }
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
        return failBeforeTheLoop(nullptr, nullptr, "Unable to create the application\n");
    }
    OGLESShell* shell = nullptr;
    try {
        shell = newShell(*application, instance);
    } catch (const std::bad_alloc&) {
    }
    if (shell == nullptr) {
        return failBeforeTheLoop(application, nullptr, "Unable to create the shell\n");
    }
    ShellConfig& config = *application->GetConfig();

    // The parsers outlive the application and the shell: the application's tokens stay valid until
    // this function returns.
    OptionParser firstOptions(*application);
    if (!firstOptions.Parse(commandLine)) {
        return failBeforeTheLoop(application, shell, "Unable to read the command line\n");
    }

    // Whatever size the first reading set is discarded; the second reading restores it after
    // OnAppStart, so the command line wins over the application's choices.
    config.width = 640;
    config.height = 480;
    if (!application->OnAppStart(firstOptions.GetTokenCount(), firstOptions.GetTokens(), 640, 480)) {
        return failBeforeTheLoop(application, shell);
    }

    OptionParser secondOptions(*application);
    if (!secondOptions.Parse(commandLine)) {
        return failBeforeTheLoop(application, shell, "Unable to read the command line\n");
    }

    if (!shell->InitWindow()) {
        return failBeforeTheLoop(application, shell);
    }

    config.hasTextureCompression = HasGLExtension("GL_ZEB_texture_compression_nymtc") ? 1 : 0;
    if (!application->OnViewCreate(config.width, config.height)) {
        return failBeforeTheLoop(application, shell);
    }

    shell->RunMainLoop();

    application->OnViewRelease();
    const bool stopped = application->OnAppStop();
    shell->ReleaseContext();

    delete application;
    delete shell;
    return stopped ? 0 : 1;
}
