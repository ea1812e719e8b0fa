// The advertising boards: invented sponsors with their emblems. Upright: each board's top is its
// rectangle's first row.
#include "art/painters.h"
#include "art/rng.h"
#include "art/surfaces.h"
#include "art/text.h"

#include <cmath>

namespace art {

namespace {

using atlas::Rect;

float X(const Rect& r, float s) {
    return static_cast<float>(r.x) + s * static_cast<float>(r.w);
}
float Y(const Rect& r, float t) {
    return static_cast<float>(r.y) + t * static_cast<float>(r.h);
}

void background(Image& img, const Rect& r, const Colour& a, const Colour& b) {
    shadeRect(img, r,
              [&](float s, float t, float, float) { return mix(a, b, clamp01(t * 0.8f + s * 0.2f)); });
    fillRect(img, X(r, 0), Y(r, 0), X(r, 1), Y(r, 0.04f), rgb(0xE8E8E4));
    fillRect(img, X(r, 0), Y(r, 0.96f), X(r, 1), Y(r, 1), rgb(0xE8E8E4));
}

void nymbusBoard(Image& img, const Rect& r) {
    background(img, r, rgb(0x2C7BD8), rgb(0x0B2A5E));
    const float cx = X(r, 0.14f), cy = Y(r, 0.5f);
    fillCircle(img, cx, cy, 40, rgb(0x7FE0FF));
    for (int k = 0; k < 3; ++k) {
        const float y = cy - 22.0f + 16.0f * static_cast<float>(k);
        fillPolygon(
            img, {{cx - 48 + 6.0f * k, y}, {cx + 56, y - 5}, {cx + 46, y + 7}, {cx - 42 + 6.0f * k, y + 7}},
            rgb(0xFFFFFF));
    }
    drawTextCentred(img, Typeface::SansBold,
                    fitTextSize(Typeface::SansBold, 76, "NYMBUS", X(r, 0.68f) - X(r, 0)), "NYMBUS",
                    X(r, 0.62f), Y(r, 0.76f), rgb(0xFFFFFF), false);
}

void zidazBoard(Image& img, const Rect& r) {
    background(img, r, rgb(0xE23A2A), rgb(0x7A0E12));
    drawText(img, Typeface::SansBold, 72, "ZIDAZ", X(r, 0.06f), Y(r, 0.7f), rgb(0xFFFFFF), false);
    // The bolt and ring emblem, and a strapline.
    const float cx = X(r, 0.82f), cy = Y(r, 0.5f);
    fillRing(img, cx, cy, 42, 8, rgb(0xFFD23C));
    fillPolygon(img,
                {{cx + 10, cy - 50},
                 {cx - 22, cy + 6},
                 {cx - 2, cy + 6},
                 {cx - 12, cy + 50},
                 {cx + 24, cy - 8},
                 {cx + 4, cy - 8}},
                rgb(0xFFFFFF));
    drawText(img, Typeface::Sans, 16, "ENERGY FOR THE LAST LAP", X(r, 0.06f), Y(r, 0.93f), rgb(0xFFD8C8),
             false);
}

void stellarionBoard(Image& img, const Rect& r) {
    background(img, r, rgb(0x14161C), rgb(0x2A2E3A));
    // A four-pointed star over an orbit.
    const float cx = X(r, 0.12f), cy = Y(r, 0.5f);
    fillRing(img, cx, cy, 44, 4, rgb(0x8A96B0));
    fillPolygon(img,
                {{cx, cy - 52},
                 {cx + 10, cy - 10},
                 {cx + 52, cy},
                 {cx + 10, cy + 10},
                 {cx, cy + 52},
                 {cx - 10, cy + 10},
                 {cx - 52, cy},
                 {cx - 10, cy - 10}},
                rgb(0xF6C84A));
    drawText(img, Typeface::CondensedBold,
             fitTextSize(Typeface::CondensedBold, 70, "STELLARION", X(r, 0.72f) - X(r, 0)), "STELLARION",
             X(r, 0.25f), Y(r, 0.7f), rgb(0xF2F2F2), false);
    drawText(img, Typeface::Sans, 17, "PERFORMANCE MOTOR OIL", X(r, 0.26f), Y(r, 0.88f), rgb(0xF6C84A),
             false);
}

void othersBoard(Image& img, const Rect& r) {
    // Two smaller sponsors side by side: Quorvex tyres and Helimo watches.
    shadeRect(img, {r.x, r.y, r.w / 2, r.h}, [&](float s, float t, float, float) {
        return mix(rgb(0xF4D020), rgb(0xE0A810), clamp01(t + s * 0.2f));
    });
    shadeRect(img, {r.x + r.w / 2, r.y, r.w / 2, r.h},
              [&](float, float t, float, float) { return mix(rgb(0x1E5E3A), rgb(0x0C3020), t); });
    const float tx = X(r, 0.1f), ty = Y(r, 0.5f);
    fillCircle(img, tx, ty, 34, rgb(0x1A1A1A));
    fillCircle(img, tx, ty, 18, rgb(0x8A8A8A));
    fillCircle(img, tx, ty, 9, rgb(0x1A1A1A));
    for (int k = 0; k < 12; ++k) {
        const float a = static_cast<float>(k) / 12.0f * 6.2831853f;
        drawLine(img, {tx + std::cos(a) * 24, ty + std::sin(a) * 24},
                 {tx + std::cos(a) * 33, ty + std::sin(a) * 33}, 3, rgb(0x3A3A3A));
    }
    drawText(img, Typeface::SansBold, fitTextSize(Typeface::SansBold, 44, "QUORVEX", X(r, 0.31f) - X(r, 0)),
             "QUORVEX", X(r, 0.18f), Y(r, 0.6f), rgb(0x1A1A1A), false);
    drawText(img, Typeface::Sans, 15, "RACING TYRES", X(r, 0.19f), Y(r, 0.82f), rgb(0x3A2A00), false);
    drawText(img, Typeface::SerifBold, fitTextSize(Typeface::SerifBold, 46, "Helimo", X(r, 0.26f) - X(r, 0)),
             "Helimo", X(r, 0.56f), Y(r, 0.62f), rgb(0xF2E6C0), false);
    drawText(img, Typeface::Sans, 15, "SWISS  TIMING", X(r, 0.58f), Y(r, 0.84f), rgb(0xC8D8C0), false);
    fillRing(img, X(r, 0.92f), Y(r, 0.5f), 26, 3, rgb(0xF2E6C0));
    drawLine(img, {X(r, 0.92f), Y(r, 0.5f)}, {X(r, 0.92f), Y(r, 0.5f) - 18}, 3, rgb(0xF2E6C0));
    drawLine(img, {X(r, 0.92f), Y(r, 0.5f)}, {X(r, 0.92f) + 12, Y(r, 0.5f) + 6}, 3, rgb(0xF2E6C0));
    fillRect(img, X(r, 0), Y(r, 0), X(r, 1), Y(r, 0.04f), rgb(0xE8E8E4));
    fillRect(img, X(r, 0), Y(r, 0.96f), X(r, 1), Y(r, 1), rgb(0xE8E8E4));
}

} // namespace

Image paintLogoBoards() {
    Image img(atlas::kLogos.width, atlas::kLogos.height);
    nymbusBoard(img, atlas::logos::board[0]);
    zidazBoard(img, atlas::logos::board[1]);
    stellarionBoard(img, atlas::logos::board[2]);
    othersBoard(img, atlas::logos::board[3]);
    return img;
}

} // namespace art
