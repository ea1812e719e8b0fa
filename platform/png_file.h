#pragma once
// PNG files of 8-bit RGBA images, through libpng: frame capture, screenshots and the asset tool's previews.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Writes width x height RGBA pixels, rows `stride` bytes apart (0: width * 4). With `bottomUp` the first
// row in memory is the image's bottom row (as glReadPixels returns it) and the file is still upright.
// Returns false, with the file removed, if it cannot be written.
bool writePng(const std::string& path, int width, int height, const std::uint8_t* rgba,
              std::size_t stride = 0, bool bottomUp = false);

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // top row first, width * 4 bytes a row
};

// Reads any PNG as 8-bit RGBA. Returns false if the file is missing or not a valid PNG.
bool readPng(const std::string& path, PngImage& image);

} // namespace platform
