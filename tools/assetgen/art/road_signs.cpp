// Road signs, distance boards and barriers. Upright pictures: the top of each is its first row.
#include "art/painters.h"
#include "art/rng.h"
#include "art/text.h"

#include "atlas_layout.h"

#include <cmath>
#include <string>

namespace art {

namespace {

namespace signs = atlas::signs;
using atlas::Rect;

float fx(const Rect& r, float s) {
    return static_cast<float>(r.x) + s * static_cast<float>(r.w);
}
float fy(const Rect& r, float t) {
    return static_cast<float>(r.y) + t * static_cast<float>(r.h);
}

void brushedMetal(Image& img, const Rect& r, const Colour& base, std::uint32_t seed) {
    shade(img, r.x, r.y, r.x + r.w, r.y + r.h, [&](float x, float y) {
        const float streak = valueNoise2(x / 40.0f, y * 0.8f, seed);
        return scaled(base, 0.9f + 0.12f * streak);
    });
}

void chevrons(Image& img, const Rect& r, bool left) {
    fillRect(img, fx(r, 0), fy(r, 0), fx(r, 1), fy(r, 1), rgb(0x1A1A1A));
    fillRoundRect(img, fx(r, 0.02f), fy(r, 0.04f), fx(r, 0.98f), fy(r, 0.96f), 6, rgb(0xF4F4F0));
    fillRoundRect(img, fx(r, 0.035f), fy(r, 0.07f), fx(r, 0.965f), fy(r, 0.93f), 5, rgb(0xD81E1E));
    for (int k = 0; k < 3; ++k) {
        const float d = left ? -1.0f : 1.0f;
        const float c = 0.5f + 0.24f * static_cast<float>(k - 1) - d * 0.04f;
        const float tip = c + d * 0.08f, back = c - d * 0.08f;
        fillPolygon(img,
                    {{fx(r, tip), fy(r, 0.5f)},
                     {fx(r, back), fy(r, 0.17f)},
                     {fx(r, back + d * 0.08f), fy(r, 0.17f)},
                     {fx(r, tip + d * 0.08f), fy(r, 0.5f)},
                     {fx(r, back + d * 0.08f), fy(r, 0.83f)},
                     {fx(r, back), fy(r, 0.83f)}},
                    rgb(0xF8F8F4));
    }
}

void distanceBoard(Image& img, const Rect& r, int stripes, const std::string& number) {
    fillRect(img, fx(r, 0), fy(r, 0), fx(r, 1), fy(r, 1), rgb(0x2A2A2A));
    fillRect(img, fx(r, 0.04f), fy(r, 0.04f), fx(r, 0.96f), fy(r, 0.96f), rgb(0xF4F4F0));
    for (int k = 0; k < stripes; ++k) {
        const float t = 0.12f + 0.14f * static_cast<float>(k);
        fillPolygon(img,
                    {{fx(r, 0.12f), fy(r, t + 0.08f)},
                     {fx(r, 0.5f), fy(r, t)},
                     {fx(r, 0.88f), fy(r, t + 0.08f)},
                     {fx(r, 0.88f), fy(r, t + 0.14f)},
                     {fx(r, 0.5f), fy(r, t + 0.06f)},
                     {fx(r, 0.12f), fy(r, t + 0.14f)}},
                    rgb(0x1C3C9C));
    }
    drawTextCentred(img, Typeface::SansBold, 40, number, fx(r, 0.5f), fy(r, 0.9f), rgb(0x141414), false);
}

void barrier(Image& img, const Rect& r) {
    const float band = static_cast<float>(r.w) / 8.0f;
    shade(img, r.x, r.y, r.x + r.w, r.y + r.h, [&](float x, float y) {
        // Diagonal red and white bands that repeat across the rectangle.
        const float t = (y - static_cast<float>(r.y)) / static_cast<float>(r.h);
        const float p =
            std::fmod(x - static_cast<float>(r.x) + (y - static_cast<float>(r.y)) * 0.5f, band * 2.0f);
        Colour c = p < band ? rgb(0xD22222) : rgb(0xF2F2EE);
        if (t < 0.06f || t > 0.94f) {
            c = rgb(0x8A8A8A);
        }
        const float dirt = fbm2(x / 32.0f, y / 32.0f, 3, 611, r.w / 32, 0);
        return scaled(c, 0.86f + 0.14f * dirt);
    });
}

void tunnelSign(Image& img, const Rect& r) {
    fillRect(img, fx(r, 0), fy(r, 0), fx(r, 1), fy(r, 1), rgb(0x0E4A9E));
    fillRoundRect(img, fx(r, 0.03f), fy(r, 0.06f), fx(r, 0.97f), fy(r, 0.94f), 6, rgb(0xF4F4F0));
    fillRoundRect(img, fx(r, 0.05f), fy(r, 0.1f), fx(r, 0.95f), fy(r, 0.9f), 5, rgb(0x0E4A9E));
    // A tunnel mouth pictogram: a white arch with a dark opening and a road into it.
    const float cx = fx(r, 0.22f), base = fy(r, 0.8f);
    fillRect(img, cx - 26, base - 40, cx + 26, base, rgb(0xF4F4F0));
    fillCircle(img, cx, base - 40, 26, rgb(0xF4F4F0));
    fillRect(img, cx - 16, base - 30, cx + 16, base, rgb(0x141414));
    fillCircle(img, cx, base - 30, 16, rgb(0x141414));
    fillPolygon(img, {{cx - 6, base - 2}, {cx + 6, base - 2}, {cx + 14, base}, {cx - 14, base}},
                rgb(0x9A9A9A));
    const float room = fx(r, 0.52f) - fx(r, 0);
    drawTextCentred(img, Typeface::SansBold, fitTextSize(Typeface::SansBold, 34, "TUNNEL", room), "TUNNEL",
                    fx(r, 0.67f), fy(r, 0.52f), rgb(0xF4F4F0), false);
    drawTextCentred(img, Typeface::SansBold, fitTextSize(Typeface::SansBold, 22, "LIGHTS ON", room),
                    "LIGHTS ON", fx(r, 0.67f), fy(r, 0.78f), rgb(0xFFD23C), false);
}

void townBoard(Image& img, const Rect& r) {
    fillRect(img, fx(r, 0), fy(r, 0), fx(r, 1), fy(r, 1), rgb(0x1A1A1A));
    fillRoundRect(img, fx(r, 0.02f), fy(r, 0.05f), fx(r, 0.98f), fy(r, 0.95f), 8, rgb(0xF2C21E));
    fillRoundRect(img, fx(r, 0.05f), fy(r, 0.12f), fx(r, 0.95f), fy(r, 0.88f), 6, rgb(0x1A1A1A));
    fillRoundRect(img, fx(r, 0.065f), fy(r, 0.15f), fx(r, 0.935f), fy(r, 0.85f), 5, rgb(0xF2C21E));
    drawTextCentred(img, Typeface::SansBold,
                    fitTextSize(Typeface::SansBold, 48, "NYMBUS", fx(r, 0.78f) - fx(r, 0)), "NYMBUS",
                    fx(r, 0.5f), fy(r, 0.64f), rgb(0x141414), false);
    drawTextCentred(img, Typeface::SansBold, 12, "PLEASE DRIVE CAREFULLY", fx(r, 0.5f), fy(r, 0.79f),
                    rgb(0x141414), false);
}

} // namespace

Image paintRoadSigns() {
    Image img(atlas::kRoadSigns.width, atlas::kRoadSigns.height, rgb(0x808080));
    chevrons(img, signs::chevronLeft, true);
    chevrons(img, signs::chevronRight, false);
    distanceBoard(img, signs::board150, 3, "150");
    distanceBoard(img, signs::board100, 2, "100");
    distanceBoard(img, signs::board50, 1, "50");
    brushedMetal(img, signs::post, rgb(0x8E949A), 613);
    barrier(img, signs::barrier);
    tunnelSign(img, signs::tunnelAhead);
    townBoard(img, signs::townName);
    return img;
}

} // namespace art
