#pragma once
// Collects the files a generator writes: a path relative to assets/ and its exact bytes.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class AssetSink {
public:
    void add(const std::string& path, std::vector<std::uint8_t> bytes);
    void addText(const std::string& path, const std::string& text);
    const std::map<std::string, std::vector<std::uint8_t>>& files() const { return files_; }

private:
    std::map<std::string, std::vector<std::uint8_t>> files_;
};

// The two halves of the world. Each writes its files into the sink; previews go into a folder.
void generateWorld(AssetSink& sink);
void previewWorld(const std::string& dir);
// The world's figures (lap length, key spacing, camera distances, road sizes) as text.
std::string worldReport();
void generateArt(AssetSink& sink);
void previewArt(const std::string& dir);
