// Ground, walls and rock of the section01 atlas.
#include "art/section01_parts.h"

#include "art/rng.h"
#include "art/surfaces.h"

#include <cmath>

namespace art {

namespace {

namespace s01 = atlas::section01;
using atlas::Rect;

Colour grassColour(const Rect& r, float x, float y, std::uint32_t seed, const Colour& light,
                   const Colour& dark) {
    const float broad = tiledNoise(r, x, y, 4, 3, seed);
    const float fine = tiledNoise(r, x, y, 32, 2, seed + 1);
    const float blade = latticeValue(static_cast<int>(x), static_cast<int>(y), 1, seed);
    return scaled(mix(dark, light, smoothstep(0.3f, 0.7f, broad)), 0.85f + 0.2f * fine + 0.06f * blade);
}

} // namespace

void paintGround(Image& img) {
    shadeRect(img, s01::grass, [](float s, float, float x, float y) {
        // Mown stripes across, faint.
        const float stripe = 0.04f * std::sin(s * 3.14159265f * 8.0f);
        return scaled(grassColour(s01::grass, x, y, 701, rgb(0x7DA547), rgb(0x557F33)), 1.0f + stripe);
    });
    shadeRect(img, s01::meadow, [](float, float, float x, float y) {
        Colour c = grassColour(s01::meadow, x, y, 703, rgb(0x5E8438), rgb(0x3A5A26));
        const int cx = static_cast<int>(x) / 3, cy = static_cast<int>(y) / 3;
        const float flower = latticeValue(cx, cy, 2, 705);
        if (flower > 0.985f) {
            c = flower > 0.993f ? rgb(0xF4F0D8) : rgb(0xE8C83C);
        }
        return c;
    });
    shadeRect(img, s01::pavement, [](float s, float t, float x, float y) {
        // Slabs of 1 x 1 unit (32 texels), offset by half a slab each row, with dark joints.
        const float slab = 32.0f;
        const float px = s * 256.0f, py = t * 256.0f;
        const int row = static_cast<int>(py / slab);
        const float ox = std::fmod(px + (row % 2 == 1 ? slab * 0.5f : 0.0f), slab);
        const float oy = std::fmod(py, slab);
        const int col = static_cast<int>((px + (row % 2 == 1 ? slab * 0.5f : 0.0f)) / slab) % 8;
        const float tone = 0.92f + 0.1f * latticeValue(col, row, 0, 707);
        Colour c =
            scaled(rgb(0xB4AEA2), tone * (0.94f + 0.08f * tiledNoise(s01::pavement, x, y, 32, 2, 709)));
        if (ox < 1.5f || oy < 1.5f) {
            c = scaled(c, 0.62f);
        }
        return c;
    });
    shadeRect(img, s01::gravel, [](float, float, float x, float y) {
        const float stones = latticeValue(static_cast<int>(x) / 2, static_cast<int>(y) / 2, 3, 711);
        const float patch = tiledNoise(s01::gravel, x, y, 6, 3, 713);
        Colour c = mix(rgb(0x9C968A), rgb(0x7A7468), patch);
        c = scaled(c, 0.85f + 0.25f * stones);
        return mix(c, rgb(0xA8A498),
                   0.4f * smoothstep(0.6f, 0.75f, tiledNoise(s01::gravel, x, y, 3, 2, 715)));
    });
}

void paintWalls(Image& img) {
    shadeRect(img, s01::stoneWall, [](float s, float t, float x, float y) {
        // Irregular courses of stones; the cap stones lie along the top.
        const float course = 16.0f;
        const float py = t * 128.0f;
        const int row = static_cast<int>(py / course);
        const float shift = latticeValue(row, 0, 0, 721) * 24.0f;
        const float px = std::fmod(s * 256.0f + shift, 256.0f);
        const float len = 28.0f;
        const int col = static_cast<int>(px / len);
        const float ox = std::fmod(px, len), oy = std::fmod(py, course);
        const float tone = latticeValue(col, row, 1, 723);
        Colour c = mix(rgb(0x8C8678), rgb(0xB0A894), tone);
        c = scaled(c, 0.85f + 0.2f * tiledNoise(s01::stoneWall, x, y, 32, 2, 725));
        const float edge = std::fmin(std::fmin(ox, len - ox), std::fmin(oy, course - oy));
        c = scaled(c, 0.45f + 0.55f * smoothstep(0.0f, 3.0f, edge));
        if (row == 0) {
            c = scaled(mix(c, rgb(0x9A9488), 0.5f), 1.05f);
        }
        return c;
    });
    shadeRect(img, s01::hedge, [](float, float t, float x, float y) {
        const float leaves = tiledNoise(s01::hedge, x, y, 32, 3, 731);
        const float spots = latticeValue(static_cast<int>(x) / 2, static_cast<int>(y) / 2, 0, 733);
        Colour c = mix(rgb(0x24481C), rgb(0x4C7A30), leaves);
        c = scaled(c, 0.8f + 0.3f * spots);
        // Lighter clipped top, shaded bottom.
        c = scaled(c, 1.15f - 0.45f * t);
        return c;
    });
    shadeRect(img, s01::rockFace, [](float, float, float x, float y) {
        const float big = tiledNoise(s01::rockFace, x, y, 4, 4, 741);
        const float strata = std::sin((y + big * 40.0f) * 0.12f);
        Colour c = mix(rgb(0x848A8E), rgb(0xC2C6C4), big);
        c = scaled(c, 0.9f + 0.1f * strata);
        // Wet streaks and moss.
        const float wet = tiledNoise(s01::rockFace, x, y * 0.25f, 16, 2, 743);
        c = scaled(c, 1.0f - 0.2f * smoothstep(0.55f, 0.75f, wet));
        return mix(c, rgb(0x5A7A3C),
                   0.45f * smoothstep(0.62f, 0.78f, tiledNoise(s01::rockFace, x, y, 8, 3, 745)));
    });
    shadeRect(img, s01::concreteWall, [](float s, float t, float x, float y) {
        Colour c = scaled(rgb(0xA2A19C), 0.9f + 0.15f * tiledNoise(s01::concreteWall, x, y, 16, 3, 751));
        // Formwork panel joints and tie holes.
        const float ps = std::fmod(s * 2.0f, 1.0f), pt = std::fmod(t * 2.0f, 1.0f);
        if (ps < 0.01f || pt < 0.01f) {
            c = scaled(c, 0.7f);
        }
        const float hx = std::fmod(s * 8.0f, 1.0f) - 0.5f, hy = std::fmod(t * 8.0f, 1.0f) - 0.5f;
        if (hx * hx + hy * hy < 0.006f) {
            c = scaled(c, 0.6f);
        }
        const float drip = tiledNoise(s01::concreteWall, x, y * 0.2f, 32, 2, 753);
        return scaled(c, 1.0f - 0.12f * smoothstep(0.5f, 0.8f, drip) * t);
    });
    shadeRect(img, s01::fence, [](float s, float t, float x, float y) {
        Colour c = grassColour(s01::fence, x, y, 761, rgb(0x86AE52), rgb(0x5E8838));
        c = mix(c, rgb(0x9CC0E0), 0.5f * smoothstep(0.45f, 0.2f, t)); // sky behind the upper part
        // Diagonal chain-link mesh, a post at each side and a top rail.
        const float m = 16.0f;
        const float a = std::fmod(s * 256.0f + t * 256.0f, m),
                    b = std::fmod(s * 256.0f - t * 256.0f + 256.0f, m);
        const float wire = std::fmin(std::fmin(a, m - a), std::fmin(b, m - b));
        c = mix(c, rgb(0xA8ACA8), 0.9f * (1.0f - smoothstep(0.4f, 1.2f, wire)));
        if (s < 0.03f || s > 0.97f || t < 0.03f) {
            c = scaled(rgb(0x8A8E90), 0.9f + 0.2f * std::sin(s * 200.0f));
        }
        return c;
    });
}

} // namespace art
