// nymbus-assetgen: writes the compiled-in world, checks it against what is committed, or previews it.
#include "art/icon.h"
#include "asset_sink.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

AssetSink generateAll() {
    AssetSink sink;
    generateWorld(sink);
    generateArt(sink);
    return sink;
}

bool writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool sameAsFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::vector<std::uint8_t> onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return onDisk == bytes;
}

int writeAll(const fs::path& dir) {
    AssetSink sink = generateAll();
    for (const auto& [name, bytes] : sink.files()) {
        if (!writeFile(dir / name, bytes)) {
            std::fprintf(stderr, "nymbus-assetgen: cannot write %s\n", (dir / name).c_str());
            return 1;
        }
    }
    std::printf("nymbus-assetgen: wrote %zu files to %s\n", sink.files().size(), dir.c_str());
    return 0;
}

int checkAll(const fs::path& dir) {
    const auto started = std::chrono::steady_clock::now();
    AssetSink sink = generateAll();
    int differing = 0;
    for (const auto& [name, bytes] : sink.files()) {
        if (!sameAsFile(dir / name, bytes)) {
            std::printf("differs: %s\n", name.c_str());
            ++differing;
        }
    }
    // Committed files that the generators no longer write (the folder's CMakeLists.txt is not generated).
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(dir, error)) {
        if (!entry.is_regular_file() || entry.path().filename() == "CMakeLists.txt") {
            continue;
        }
        const std::string name = fs::relative(entry.path(), dir).generic_string();
        if (sink.files().count(name) == 0) {
            std::printf("not generated: %s\n", name.c_str());
            ++differing;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("nymbus-assetgen: checked in %.1f s\n", seconds);
    if (differing != 0) {
        std::printf("nymbus-assetgen: %d of %zu files differ from %s; run nymbus-assetgen --out %s\n",
                    differing, sink.files().size(), dir.c_str(), dir.c_str());
        return 1;
    }
    std::printf("nymbus-assetgen: all %zu files match %s\n", sink.files().size(), dir.c_str());
    return 0;
}

int previewAll(const fs::path& dir) {
    fs::create_directories(dir);
    previewWorld(dir.string());
    previewArt(dir.string());
    std::printf("nymbus-assetgen: previews written to %s\n", dir.c_str());
    return 0;
}

void usage(FILE* to) {
    std::fprintf(to,
                 "usage: nymbus-assetgen --out DIR | --check [DIR] | --preview DIR | --report | --icons DIR\n"
                 "  --out DIR      write every generated asset under DIR\n"
                 "  --check [DIR]  regenerate and compare with DIR (default: the checkout's assets/)\n"
                 "  --preview DIR  write PNG previews of the world and the art into DIR\n"
                 "  --report       print the world's figures: lap, key spacing, cameras, road pieces\n"
                 "                 and the road probe's misses under the cars, by cause\n"
                 "  --icons DIR    write the program's icon as DIR/hicolor/NxN/apps/nymbus.png\n");
}

} // namespace

int main(int argc, char** argv) {
    const fs::path committed = fs::path(NYM_SOURCE_DIR) / "assets";
    if (argc == 2 && std::strcmp(argv[1], "--check") == 0) {
        return checkAll(committed);
    }
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
        return checkAll(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "--out") == 0) {
        return writeAll(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "--preview") == 0) {
        return previewAll(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "--icons") == 0) {
        return art::writeIcons(argv[2]) ? 0 : 1;
    }
    if (argc == 2 && std::strcmp(argv[1], "--report") == 0) {
        std::fputs(worldReport().c_str(), stdout);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    usage(stderr);
    return 2;
}
