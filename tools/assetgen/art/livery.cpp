// The Stellarion team livery, one layout in three colours.
#include "art/painters.h"
#include "art/rng.h"
#include "art/surfaces.h"
#include "art/text.h"

#include <cmath>
#include <string>

namespace art {

namespace {

namespace lv = atlas::livery;
using atlas::Rect;

struct Scheme {
    Colour base, dark, stripe;
    const char* number; // symmetric figures read the same from either side of the car
};

Scheme scheme(LiveryColour c) {
    switch (c) {
    case LiveryColour::Red:
        return {rgb(0xD01E1E), rgb(0x6A0A0A), rgb(0xF4F4F0), "8"};
    case LiveryColour::Green:
        return {rgb(0x1E9A3C), rgb(0x0A4A1C), rgb(0xF4F4F0), "0"};
    case LiveryColour::Yellow:
        break;
    }
    return {rgb(0xF2C418), rgb(0x8A6A06), rgb(0x1A1A1A), "88"};
}

float X(const Rect& r, float s) {
    return static_cast<float>(r.x) + s * static_cast<float>(r.w);
}
float Y(const Rect& r, float t) {
    return static_cast<float>(r.y) + t * static_cast<float>(r.h);
}

// Text laid along t (the car's length) on a flank: painted upright into a strip, then turned.
void flankText(Image& img, const Rect& r, float s, float t, const std::string& text, int size,
               const Colour& c, bool towardsTail) {
    const int w = textWidth(Typeface::SansBold, size, text) + 4, h = size + size / 3;
    Image strip(w, h, Colour{0, 0, 0, 0});
    drawText(strip, Typeface::SansBold, size, text, 2, static_cast<float>(size), c, false);
    const float cx = X(r, s), cy = Y(r, t);
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            // Reading direction along +t or -t; the letters' tops point to the car's top (s = 0.5).
            const float along = static_cast<float>(i) - static_cast<float>(w) * 0.5f;
            const float up = static_cast<float>(h) * 0.5f - static_cast<float>(j);
            const float sign = towardsTail ? 1.0f : -1.0f;
            const float dir = s < 0.5f ? 1.0f : -1.0f;
            img.blend(static_cast<int>(cx + up * dir), static_cast<int>(cy + along * sign), strip.at(i, j),
                      1.0f);
        }
    }
}

void body(Image& img, const Scheme& k) {
    const Rect& r = lv::body;
    shadeRect(img, r, [&](float s, float t, float x, float y) {
        Colour c = k.base;
        // Sheen along the top, darker towards the flanks' foot.
        c = scaled(c, 0.8f + 0.3f * std::cos((s - 0.5f) * 3.14159265f * 1.6f));
        if (s < 0.1f || s > 0.9f) {
            c = scaled(rgb(0x202226), 0.9f + 0.1f * tiledNoise(r, x, y, 16, 2, 1101));
        }
        // Twin stripes over the top, from nose to tail.
        const float ds = std::fabs(s - 0.5f);
        if (ds > 0.025f && ds < 0.045f) {
            c = k.stripe;
        }
        // A dark sweep along each flank, widening towards the tail.
        const float flank = std::fabs(std::fabs(s - 0.5f) - 0.25f);
        if (flank < 0.02f + 0.03f * t && t > 0.25f) {
            c = mix(c, k.dark, 0.85f);
        }
        return c;
    });
    // Cockpit opening and the driver's helmet.
    fillRoundRect(img, X(r, 0.44f), Y(r, 0.42f), X(r, 0.56f), Y(r, 0.56f), 10, rgb(0x101214));
    fillCircle(img, X(r, 0.5f), Y(r, 0.5f), 17, rgb(0xF4F4F0));
    fillRect(img, X(r, 0.47f), Y(r, 0.46f), X(r, 0.53f), Y(r, 0.48f), rgb(0x303848));
    fillRect(img, X(r, 0.5f) - 3, Y(r, 0.44f), X(r, 0.5f) + 3, Y(r, 0.56f), k.base);
    // Number roundels on both flanks.
    for (float s : {0.25f, 0.75f}) {
        fillCircle(img, X(r, s), Y(r, 0.525f), 30, rgb(0xF8F8F4));
        fillRing(img, X(r, s), Y(r, 0.525f), 30, 3, rgb(0x1A1A1A));
        flankText(img, lv::body, s, 0.525f, k.number, 34, rgb(0x141414), s < 0.5f);
        const int size =
            fitTextSize(Typeface::SansBold, 24, "STELLARION", 0.3f * static_cast<float>(lv::body.h));
        flankText(img, lv::body, s, 0.8f, "STELLARION", size, k.stripe, s < 0.5f);
        flankText(img, lv::body, s, 0.25f, "ZIDAZ", 16, k.stripe, s < 0.5f);
    }
    // Nose tip darker, with the team star.
    fillRect(img, X(r, 0.1f), Y(r, 0), X(r, 0.9f), Y(r, 0.03f), k.dark);
    const float cx = X(r, 0.5f), cy = Y(r, 0.14f);
    fillPolygon(img,
                {{cx, cy - 18},
                 {cx + 5, cy - 5},
                 {cx + 18, cy},
                 {cx + 5, cy + 5},
                 {cx, cy + 18},
                 {cx - 5, cy + 5},
                 {cx - 18, cy},
                 {cx - 5, cy - 5}},
                k.stripe);
}

void smallParts(Image& img, const Scheme& k) {
    // Rear wing: team colour with a stripe at the trailing edge and the sponsor across.
    shadeRect(img, lv::wing,
              [&](float, float t, float, float) { return t > 0.8f ? k.stripe : scaled(k.base, 0.95f); });
    drawTextCentred(img, Typeface::CondensedBold, 40, "STELLARION", X(lv::wing, 0.5f), Y(lv::wing, 0.68f),
                    k.stripe, false);
    // Nose and tail faces: grille between two lamps.
    const Rect& e = lv::endCap;
    fillRect(img, X(e, 0), Y(e, 0), X(e, 1), Y(e, 1), k.dark);
    fillRoundRect(img, X(e, 0.3f), Y(e, 0.35f), X(e, 0.7f), Y(e, 0.7f), 4, rgb(0x141414));
    for (int i = 0; i < 6; ++i) {
        const float y = Y(e, 0.4f) + 5.0f * static_cast<float>(i);
        fillRect(img, X(e, 0.32f), y, X(e, 0.68f), y + 1.5f, rgb(0x4A4A4A));
    }
    fillCircle(img, X(e, 0.14f), Y(e, 0.5f), 11, rgb(0xFFF6D8));
    fillCircle(img, X(e, 0.86f), Y(e, 0.5f), 11, rgb(0xFF3020));
    // Tyre tread: dark rubber with grooves round the tyre.
    shadeRect(img, lv::tyre, [&](float s, float t, float, float) {
        Colour c = rgb(0x1C1C1E);
        if (std::fabs(t - 0.33f) < 0.03f || std::fabs(t - 0.67f) < 0.03f) {
            c = rgb(0x0C0C0C);
        }
        return scaled(
            c, 0.9f + 0.2f * latticeValue(static_cast<int>(s * 64.0f), static_cast<int>(t * 12.0f), 0, 1111));
    });
    // Wheel face: tyre wall, silver rim, five spokes, a hub in team colour.
    const Rect& w = lv::rim;
    const float cx = X(w, 0.5f), cy = Y(w, 0.5f);
    fillRect(img, X(w, 0), Y(w, 0), X(w, 1), Y(w, 1), rgb(0x1C1C1E));
    fillCircle(img, cx, cy, 34, rgb(0xB8BCC2));
    fillCircle(img, cx, cy, 30, rgb(0x3A3C40));
    for (int i = 0; i < 5; ++i) {
        const float a = static_cast<float>(i) / 5.0f * 6.2831853f;
        drawLine(img, {cx, cy}, {cx + std::cos(a) * 30, cy + std::sin(a) * 30}, 7, rgb(0xC8CCD2));
    }
    fillCircle(img, cx, cy, 9, k.base);
    fillCircle(img, cx, cy, 3, rgb(0xE8E8E8));
    // Endplates with the Zidaz emblem, a bolt in a ring, which reads the same either way round.
    const Rect& p = lv::endplate;
    const float ex = X(p, 0.5f), ey = Y(p, 0.5f);
    fillRect(img, X(p, 0), Y(p, 0), X(p, 1), Y(p, 1), k.dark);
    fillCircle(img, ex, ey, 36, rgb(0xE23A2A));
    fillRing(img, ex, ey, 30, 5, rgb(0xFFD23C));
    fillPolygon(img,
                {{ex + 6, ey - 32},
                 {ex - 14, ey + 4},
                 {ex - 1, ey + 4},
                 {ex - 7, ey + 32},
                 {ex + 15, ey - 5},
                 {ex + 2, ey - 5}},
                rgb(0xFFFFFF));
    // Helmet: white shell, dark visor, a stripe in team colour.
    const Rect& h = lv::helmet;
    fillRect(img, X(h, 0), Y(h, 0), X(h, 1), Y(h, 1), rgb(0xF2F2EE));
    fillRect(img, X(h, 0), Y(h, 0.4f), X(h, 1), Y(h, 0.62f), rgb(0x222A38));
    fillRect(img, X(h, 0), Y(h, 0.15f), X(h, 1), Y(h, 0.28f), k.base);
}

} // namespace

Image paintLivery(LiveryColour colour) {
    const Scheme k = scheme(colour);
    Image img(atlas::kLiveryRed.width, atlas::kLiveryRed.height, k.dark);
    body(img, k);
    smallParts(img, k);
    return img;
}

} // namespace art
