#include "runner/validation/reference_folder.h"

#include <climits>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#ifndef NYM_INSTALLED_REFERENCES
#define NYM_INSTALLED_REFERENCES "../share/nymbus/references"
#endif
#ifndef NYM_SOURCE_REFERENCES
#define NYM_SOURCE_REFERENCES "tests/references"
#endif

namespace runner::validation {

namespace {

// The folder of the running executable, empty if the system does not say.
std::string executableFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) {
        return {};
    }
    const std::string executable(path, static_cast<std::size_t>(length));
    return executable.substr(0, executable.rfind('/'));
}

bool holdsList(const std::string& folder) {
    struct stat info {};
    return ::stat((folder + "/frames.txt").c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::vector<std::string> referenceFolderCandidates() {
    std::vector<std::string> folders;
    if (const std::string bin = executableFolder(); !bin.empty()) {
        folders.push_back(std::filesystem::path(bin + "/" NYM_INSTALLED_REFERENCES).lexically_normal());
    }
    folders.emplace_back(NYM_SOURCE_REFERENCES);
    return folders;
}

std::string findReferenceFolder() {
    for (const std::string& folder : referenceFolderCandidates()) {
        if (holdsList(folder)) {
            return folder;
        }
    }
    return {};
}

} // namespace runner::validation
