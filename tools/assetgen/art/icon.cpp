#include "art/icon.h"

#include "art/overlay_art.h"
#include "runner/png_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace art {

Image paintIcon(int size) {
    const float s = static_cast<float>(size);
    const float radius = 0.18f * s;
    const float inset = 0.03f * s;
    const Colour deep = rgb(0x0B2A5E);
    const Colour bright = rgb(0x2C7BD8);
    Image icon(size, size, Colour{0, 0, 0, 0});
    shade(icon, 0, 0, size, size, [&](float x, float y) {
        // Coverage of the rounded square by its signed distance, so that the edge is smooth.
        const float half = s / 2 - inset;
        const float qx = std::max(std::fabs(x - s / 2) - half + radius, 0.0f);
        const float qy = std::max(std::fabs(y - s / 2) - half + radius, 0.0f);
        const float outside = std::hypot(qx, qy) - radius;
        const Colour c = mix(bright, deep, clamp01((y + 0.4f * x) / (1.4f * s)));
        return withAlpha(c, clamp01(0.5f - outside));
    });
    // The emblem fills about seven tenths of the width; its wings reach further right than left.
    const float scale = 0.7f * s / 52;
    paintNymbusEmblem(icon, s / 2 - 2 * scale, s / 2, scale, rgb(0x7FE0FF));
    return icon;
}

bool writeIcons(const std::string& dir) {
    for (const int size : {48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = std::filesystem::path(dir) / "hicolor" / name / "apps";
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        const std::vector<std::uint8_t> rgba = toRgba8(paintIcon(size));
        std::string error;
        if (!runner::writePng((folder / "nymbus.png").string(), size, size, rgba.data(), 0, false, &error)) {
            std::fprintf(stderr, "nymbus-assetgen: cannot write %s: %s\n", (folder / "nymbus.png").c_str(),
                         error.c_str());
            return false;
        }
    }
    return true;
}

} // namespace art
