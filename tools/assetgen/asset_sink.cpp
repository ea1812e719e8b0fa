#include "asset_sink.h"

void AssetSink::add(const std::string& path, std::vector<std::uint8_t> bytes) {
    files_[path] = std::move(bytes);
}

void AssetSink::addText(const std::string& path, const std::string& text) {
    add(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}
