// Tree and bush cut-outs: opaque foliage and trunks, fully transparent around them.
#include "art/painters.h"
#include "art/rng.h"

#include "atlas_layout.h"

#include <cmath>
#include <vector>

namespace art {

namespace {

using atlas::Rect;

struct Blob {
    float x, y, r;
};

// Leafy mass: inside any blob (edges roughened by noise), shaded lighter towards the upper left.
void foliage(Image& img, const Rect& r, const std::vector<Blob>& blobs, const Colour& light,
             const Colour& dark, std::uint32_t seed) {
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            const float rough = fbm2(px / 7.0f, py / 7.0f, 3, seed);
            float best = 1e9f, lit = 0;
            for (const Blob& b : blobs) {
                const float d = std::hypot(px - b.x, py - b.y) / b.r;
                if (d < best) {
                    best = d;
                    lit = clamp01(0.5f - ((px - b.x) * 0.5f + (py - b.y) * 0.8f) / b.r * 0.5f);
                }
            }
            if (best + (rough - 0.5f) * 0.45f > 1.0f) {
                continue;
            }
            const float clump = fbm2(px / 3.0f, py / 3.0f, 2, seed + 5);
            Colour c = mix(dark, light, clamp01(lit * 0.8f + (clump - 0.5f) * 0.9f + 0.1f));
            img.at(x, y) = withAlpha(scaled(c, 0.9f + 0.2f * latticeValue(x, y, 0, seed + 9)), 1.0f);
        }
    }
}

void trunk(Image& img, float cx, float top, float bottom, float halfWidth, std::uint32_t seed) {
    for (int y = static_cast<int>(top); y < static_cast<int>(bottom); ++y) {
        const float k = (static_cast<float>(y) - top) / (bottom - top);
        const float hw = halfWidth * (0.7f + 0.5f * k * k);
        for (int x = static_cast<int>(cx - hw); x <= static_cast<int>(cx + hw); ++x) {
            const float across = (static_cast<float>(x) + 0.5f - cx) / hw;
            const float bark = valueNoise2(static_cast<float>(x) / 2.0f, static_cast<float>(y) / 9.0f, seed);
            const Colour c = scaled(rgb(0x5A4030), (0.75f + 0.25f * bark) * (1.0f - 0.35f * across * across));
            img.at(x, y) = c;
        }
    }
}

void conifer(Image& img) {
    const Rect& r = atlas::tree::conifer;
    const float cx = static_cast<float>(r.x) + static_cast<float>(r.w) * 0.5f;
    trunk(img, cx, static_cast<float>(r.y) + 380.0f, static_cast<float>(r.y + r.h), 9.0f, 1001);
    // Tiers of drooping branches, wider towards the foot.
    std::vector<Blob> blobs;
    for (int tier = 0; tier < 9; ++tier) {
        const float t = static_cast<float>(tier) / 8.0f;
        const float y = static_cast<float>(r.y) + 30.0f + t * 380.0f;
        const float half = 10.0f + t * 78.0f;
        for (int k = -3; k <= 3; ++k) {
            const float f = static_cast<float>(k) / 3.0f;
            blobs.push_back(
                {cx + f * half, y - 8.0f + std::fabs(f) * 22.0f, 14.0f + t * 16.0f - std::fabs(f) * 5.0f});
        }
    }
    blobs.push_back({cx, static_cast<float>(r.y) + 14.0f, 10.0f});
    foliage(img, r, blobs, rgb(0x4E8A44), rgb(0x16361E), 1003);
}

void broadleaf(Image& img) {
    const Rect& r = atlas::tree::broadleaf;
    const float cx = static_cast<float>(r.x) + static_cast<float>(r.w) * 0.5f;
    trunk(img, cx, static_cast<float>(r.y) + 150.0f, static_cast<float>(r.y + r.h), 10.0f, 1011);
    Rng rng(1013);
    std::vector<Blob> blobs{{cx, static_cast<float>(r.y) + 105.0f, 70.0f}};
    for (int k = 0; k < 14; ++k) {
        const float a = static_cast<float>(k) / 14.0f * 6.2831853f;
        blobs.push_back({cx + std::cos(a) * rng.range(50.0f, 70.0f),
                         static_cast<float>(r.y) + 105.0f + std::sin(a) * rng.range(40.0f, 58.0f),
                         rng.range(24.0f, 36.0f)});
    }
    foliage(img, r, blobs, rgb(0x7CAE48), rgb(0x24481C), 1015);
}

void bush(Image& img) {
    const Rect& r = atlas::tree::bush;
    Rng rng(1021);
    std::vector<Blob> blobs;
    for (int k = 0; k < 9; ++k) {
        const float f = static_cast<float>(k) / 8.0f;
        blobs.push_back(
            {static_cast<float>(r.x) + 60.0f + f * 136.0f,
             static_cast<float>(r.y) + 170.0f + rng.range(-20.0f, 20.0f) - std::sin(f * 3.14159f) * 40.0f,
             rng.range(30.0f, 44.0f)});
    }
    blobs.push_back({static_cast<float>(r.x) + 128.0f, static_cast<float>(r.y) + 200.0f, 70.0f});
    foliage(img, r, blobs, rgb(0x6A9A3C), rgb(0x203E18), 1023);
}

} // namespace

Image paintTrees() {
    Image img(atlas::kTree.width, atlas::kTree.height, withAlpha(rgb(0x2A4A22), 0.0f));
    conifer(img);
    broadleaf(img);
    bush(img);
    return img;
}

} // namespace art
