// The lamp glow, the car shadow and the waterfall.
#include "art/painters.h"
#include "art/rng.h"

#include "atlas_layout.h"

#include <cmath>

namespace art {

namespace {

void paintGlow(Image& img, const atlas::Rect& r, const Colour& core, const Colour& rim) {
    shade(img, r.x, r.y, r.x + r.w, r.y + r.h, [&](float x, float y) {
        const float dx = (x - static_cast<float>(r.x) - r.w * 0.5f) / (r.w * 0.5f);
        const float dy = (y - static_cast<float>(r.y) - r.h * 0.5f) / (r.h * 0.5f);
        const float d = std::sqrt(dx * dx + dy * dy);
        const float k = clamp01(1.0f - d);
        const float intensity = k * k * (3.0f - 2.0f * k);
        return scaled(mix(rim, core, intensity * intensity), intensity);
    });
}

} // namespace

Image paintLampGlow() {
    Image img(atlas::kLampGlow.width, atlas::kLampGlow.height);
    paintGlow(img, atlas::lamp::brake, rgb(0xFF9070), rgb(0xD01808));
    paintGlow(img, atlas::lamp::head, rgb(0xFFFCF0), rgb(0xFFC860));
    return img;
}

Image paintShadow() {
    constexpr int size = atlas::kShadow.width;
    Image img(size, size);
    shade(img, 0, 0, size, size, [](float x, float y) {
        // A rounded footprint, darkest under the middle, fading to nothing well inside the border.
        const float half = static_cast<float>(size) * 0.5f;
        const float qx = std::fabs(x - half) / half, qy = std::fabs(y - half) / half;
        const float ex = std::fmax(qx - 0.45f, 0.0f), ey = std::fmax(qy - 0.45f, 0.0f);
        const float d = std::sqrt(ex * ex + ey * ey) + std::fmin(std::fmax(qx, qy) - 0.45f, 0.0f);
        const float a = 0.8f * (1.0f - smoothstep(-0.2f, 0.42f, d));
        return Colour{0.04f, 0.04f, 0.05f, a};
    });
    return img;
}

Image paintWaterfall() {
    constexpr int size = atlas::kWaterfall.width;
    Image img(size, size);
    shade(img, 0, 0, size, size, [](float x, float y) {
        const float u = x / static_cast<float>(size), v = y / static_cast<float>(size);
        // Streaks: fine across, long down; both directions repeat over the texture. Bright white water with
        // darker gaps between the streaks and foam clots, so that the thin blended layers still read as
        // falling water.
        const float streak = fbm2(u * 48.0f, v * 3.0f, 4, 301, 48, 3);
        const float ripple = fbm2(u * 16.0f, v * 12.0f, 3, 307, 16, 12);
        const float clots = fbm2(u * 24.0f, v * 24.0f, 2, 311, 24, 24);
        const float gap = 1.0f - smoothstep(0.25f, 0.45f, streak);
        Colour c = mix(rgb(0x9CC2D2), rgb(0xD4E8F0), smoothstep(0.3f, 0.7f, ripple));
        c = mix(c, rgb(0x40708A), 0.8f * gap);
        c = mix(c, rgb(0xFFFFFF), smoothstep(0.45f, 0.7f, streak * 0.75f + ripple * 0.35f));
        c = mix(c, rgb(0xFFFFFF), 0.8f * smoothstep(0.6f, 0.75f, clots));
        return c;
    });
    return img;
}

} // namespace art
