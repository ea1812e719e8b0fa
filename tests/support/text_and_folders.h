#pragma once
// Small readers of what a program wrote (a file's text, its lines, a folder's names), and empty folders
// to write in.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

// The lines of a text, without their line ends.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

// The names in a folder, sorted.
inline std::vector<std::string> namesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A file's bytes; empty when it cannot be read.
inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An empty folder of this process's own in the temporary folder: PREFIX_PID, or the folder `name` in it.
inline std::filesystem::path freshFolder(const std::string& prefix, const std::string& name = {}) {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / (prefix + "_" + std::to_string(::getpid()));
    if (!name.empty()) {
        dir /= name;
    }
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}
