// House fronts, roofs and the grandstand of the section01 atlas. Upright: each picture's top is its
// rectangle's first row.
#include "art/section01_parts.h"

#include "art/painters.h"
#include "art/rng.h"
#include "art/surfaces.h"
#include "art/text.h"

#include <cmath>

namespace art {

namespace {

namespace s01 = atlas::section01;
using atlas::Rect;

float X(const Rect& r, float s) {
    return static_cast<float>(r.x) + s * static_cast<float>(r.w);
}
float Y(const Rect& r, float t) {
    return static_cast<float>(r.y) + t * static_cast<float>(r.h);
}

void plaster(Image& img, const Rect& r, const Colour& base, std::uint32_t seed) {
    shadeRect(img, r, [&](float, float t, float x, float y) {
        Colour c = scaled(base, 0.92f + 0.12f * tiledNoise(r, x, y, 16, 3, seed));
        // Grime collects towards the foot of the wall.
        return scaled(c, 1.0f - 0.12f * smoothstep(0.7f, 1.0f, t));
    });
}

void bricks(Image& img, const Rect& r, const Colour& base, std::uint32_t seed) {
    shadeRect(img, r, [&](float s, float t, float x, float y) {
        const float course = 8.0f, len = 21.333f;
        const float py = t * static_cast<float>(r.h), px = s * static_cast<float>(r.w);
        const int row = static_cast<int>(py / course);
        const float shifted = px + (row % 2 == 1 ? len * 0.5f : 0.0f);
        const int col = static_cast<int>(shifted / len);
        const float ox = std::fmod(shifted, len), oy = std::fmod(py, course);
        Colour c = scaled(base, 0.85f + 0.25f * latticeValue(col % 12, row, 0, seed));
        c = scaled(c, 0.94f + 0.08f * tiledNoise(r, x, y, 32, 2, seed + 1));
        if (ox < 1.5f || oy < 1.5f) {
            c = rgb(0xB8B0A0);
        }
        return c;
    });
}

void cornice(Image& img, const Rect& r, float t, const Colour& c) {
    fillRect(img, X(r, 0), Y(r, t), X(r, 1), Y(r, t) + 6, c);
    fillRect(img, X(r, 0), Y(r, t) + 6, X(r, 1), Y(r, t) + 8, scaled(c, 0.7f));
}

void townhouse(Image& img) {
    const Rect& r = s01::townhouse;
    plaster(img, r, rgb(0xE6D2A8), 801);
    cornice(img, r, 0.0f, rgb(0xF4EEE0));
    drawWindow(img, X(r, 0.12f), Y(r, 0.12f), X(r, 0.36f), Y(r, 0.45f), rgb(0xF6F4EE));
    drawWindow(img, X(r, 0.64f), Y(r, 0.12f), X(r, 0.88f), Y(r, 0.45f), rgb(0xF6F4EE));
    // Shutters beside the upper windows.
    for (float s : {0.07f, 0.36f, 0.59f, 0.88f}) {
        fillRect(img, X(r, s), Y(r, 0.12f), X(r, s + 0.05f), Y(r, 0.45f), rgb(0x3C6A48));
    }
    fillRect(img, X(r, 0), Y(r, 0.55f), X(r, 1), Y(r, 0.57f), rgb(0xF4EEE0));
    drawDoor(img, X(r, 0.4f), Y(r, 0.63f), X(r, 0.6f), Y(r, 1.0f), rgb(0x7A2A22));
    drawWindow(img, X(r, 0.1f), Y(r, 0.66f), X(r, 0.3f), Y(r, 0.92f), rgb(0xF6F4EE), true);
    drawWindow(img, X(r, 0.7f), Y(r, 0.66f), X(r, 0.9f), Y(r, 0.92f), rgb(0xF6F4EE));
}

void brickHouse(Image& img) {
    const Rect& r = s01::brickHouse;
    bricks(img, r, rgb(0x9A4630), 811);
    cornice(img, r, 0.0f, rgb(0xE8E0D0));
    for (float s : {0.1f, 0.4f, 0.7f}) {
        fillRect(img, X(r, s) - 3, Y(r, 0.1f) - 4, X(r, s + 0.2f) + 3, Y(r, 0.1f), rgb(0xE0D8C8));
        drawWindow(img, X(r, s), Y(r, 0.1f), X(r, s + 0.2f), Y(r, 0.44f), rgb(0xEEEEEA), s > 0.5f);
    }
    drawWindow(img, X(r, 0.1f), Y(r, 0.6f), X(r, 0.3f), Y(r, 0.9f), rgb(0xEEEEEA));
    drawDoor(img, X(r, 0.42f), Y(r, 0.6f), X(r, 0.6f), Y(r, 1.0f), rgb(0x1E3C6A));
    drawWindow(img, X(r, 0.7f), Y(r, 0.6f), X(r, 0.9f), Y(r, 0.9f), rgb(0xEEEEEA));
}

void shopFront(Image& img) {
    const Rect& r = s01::shopFront;
    plaster(img, r, rgb(0xD8DCD6), 821);
    cornice(img, r, 0.0f, rgb(0xF2F2EE));
    drawWindow(img, X(r, 0.12f), Y(r, 0.1f), X(r, 0.38f), Y(r, 0.4f), rgb(0xF6F6F2));
    drawWindow(img, X(r, 0.62f), Y(r, 0.1f), X(r, 0.88f), Y(r, 0.4f), rgb(0xF6F6F2));
    // Fascia with the shop's name, a striped awning, then the shop window and door.
    fillRect(img, X(r, 0), Y(r, 0.46f), X(r, 1), Y(r, 0.56f), rgb(0x1E4E3A));
    drawTextCentred(img, Typeface::SerifBold, 18, "CAFE ZIDAZ", X(r, 0.5f), Y(r, 0.54f), rgb(0xF2D88C),
                    false);
    for (int k = 0; k < 10; ++k) {
        const float s0 = static_cast<float>(k) / 10.0f;
        fillPolygon(img,
                    {{X(r, s0), Y(r, 0.56f)},
                     {X(r, s0 + 0.1f), Y(r, 0.56f)},
                     {X(r, s0 + 0.1f), Y(r, 0.64f)},
                     {X(r, s0 + 0.05f), Y(r, 0.66f)},
                     {X(r, s0), Y(r, 0.64f)}},
                    k % 2 == 0 ? rgb(0xC8302A) : rgb(0xF2EEE4));
    }
    fillRect(img, X(r, 0.05f), Y(r, 0.68f), X(r, 0.62f), Y(r, 0.97f), rgb(0x2A2A2A));
    shadeRect(img,
              {static_cast<int>(X(r, 0.07f)), static_cast<int>(Y(r, 0.7f)), static_cast<int>(0.53f * r.w),
               static_cast<int>(0.25f * r.h)},
              [](float s, float t, float, float) {
                  Colour c = mix(rgb(0x8CA8C0), rgb(0x2C3A44), t);
                  // Goods on shelves behind the glass.
                  if (t > 0.45f && std::fmod(s * 9.0f, 1.0f) < 0.7f && std::fmod(t * 4.0f, 1.0f) < 0.6f) {
                      c = mix(c, s < 0.5f ? rgb(0xD89850) : rgb(0xC05060), 0.6f);
                  }
                  return c;
              });
    drawDoor(img, X(r, 0.7f), Y(r, 0.68f), X(r, 0.9f), Y(r, 1.0f), rgb(0x1E4E3A));
}

void timberHouse(Image& img) {
    const Rect& r = s01::timberHouse;
    plaster(img, r, rgb(0xF0E8D6), 831);
    const Colour beam = rgb(0x4A3220);
    // Upper storey: the timber frame with crossed braces; lower storey: stone.
    for (float s : {0.0f, 0.33f, 0.66f, 0.97f}) {
        fillRect(img, X(r, s), Y(r, 0), X(r, s + 0.03f), Y(r, 0.55f), beam);
    }
    for (float t : {0.0f, 0.27f, 0.52f}) {
        fillRect(img, X(r, 0), Y(r, t), X(r, 1), Y(r, t + 0.03f), beam);
    }
    drawLine(img, {X(r, 0.03f), Y(r, 0.3f)}, {X(r, 0.33f), Y(r, 0.52f)}, 5, beam);
    drawLine(img, {X(r, 0.03f), Y(r, 0.52f)}, {X(r, 0.33f), Y(r, 0.3f)}, 5, beam);
    drawLine(img, {X(r, 0.69f), Y(r, 0.3f)}, {X(r, 0.97f), Y(r, 0.52f)}, 5, beam);
    drawLine(img, {X(r, 0.69f), Y(r, 0.52f)}, {X(r, 0.97f), Y(r, 0.3f)}, 5, beam);
    drawWindow(img, X(r, 0.42f), Y(r, 0.06f), X(r, 0.58f), Y(r, 0.24f), beam);
    drawWindow(img, X(r, 0.1f), Y(r, 0.06f), X(r, 0.24f), Y(r, 0.24f), beam);
    drawWindow(img, X(r, 0.76f), Y(r, 0.06f), X(r, 0.9f), Y(r, 0.24f), beam);
    drawWindow(img, X(r, 0.42f), Y(r, 0.32f), X(r, 0.58f), Y(r, 0.5f), beam, true);
    shadeRect(img, {r.x, static_cast<int>(Y(r, 0.55f)), r.w, static_cast<int>(0.45f * r.h)},
              [&](float s, float t, float x, float y) {
                  const int row = static_cast<int>(t * 6.0f);
                  const int col = static_cast<int>(s * 8.0f + (row % 2) * 0.5f);
                  Colour c = scaled(rgb(0xA09888), 0.8f + 0.3f * latticeValue(col % 8, row, 0, 833));
                  c = scaled(c, 0.93f + 0.1f * tiledNoise(r, x, y, 32, 2, 835));
                  const float ox = std::fmod(s * 8.0f + (row % 2) * 0.5f, 1.0f),
                              oy = std::fmod(t * 6.0f, 1.0f);
                  return ox < 0.05f || oy < 0.06f ? rgb(0x6A645A) : c;
              });
    drawDoor(img, X(r, 0.4f), Y(r, 0.62f), X(r, 0.6f), Y(r, 1.0f), rgb(0x5A3A22));
    drawWindow(img, X(r, 0.1f), Y(r, 0.66f), X(r, 0.28f), Y(r, 0.9f), beam);
    drawWindow(img, X(r, 0.72f), Y(r, 0.66f), X(r, 0.9f), Y(r, 0.9f), beam);
}

void roof(Image& img, const Rect& r, const Colour& base, bool slate, std::uint32_t seed) {
    shadeRect(img, r, [&](float s, float t, float x, float y) {
        // Courses of tiles down the slope, each course shaded darker at its lower lip.
        const float courses = slate ? 10.0f : 8.0f, across = slate ? 12.0f : 16.0f;
        const float ct = t * courses;
        const int row = static_cast<int>(ct);
        const float cs = s * across + (row % 2 == 1 ? 0.5f : 0.0f);
        const int col = static_cast<int>(cs) % static_cast<int>(across);
        const float fy = ct - static_cast<float>(row), fx = cs - std::floor(cs);
        Colour c = scaled(base, 0.82f + 0.25f * latticeValue(col, row, 0, seed));
        c = scaled(c, 0.92f + 0.1f * tiledNoise(r, x, y, 32, 2, seed + 1));
        c = scaled(c, 1.05f - 0.35f * fy * fy);
        if (!slate) {
            c = scaled(c, 0.85f + 0.15f * std::sin(fx * 3.14159265f));
        } else if (fx < 0.04f) {
            c = scaled(c, 0.6f);
        }
        return c;
    });
}

void sideWall(Image& img) {
    const Rect& r = s01::sideWall;
    plaster(img, r, rgb(0xE2D8C4), 841);
    drawWindow(img, X(r, 0.42f), Y(r, 0.2f), X(r, 0.58f), Y(r, 0.4f), rgb(0xF4F2EC));
    // A drainpipe down the corner.
    fillRect(img, X(r, 0.9f), Y(r, 0), X(r, 0.93f), Y(r, 1), rgb(0x5A5E60));
    fillRect(img, X(r, 0.905f), Y(r, 0), X(r, 0.912f), Y(r, 1), rgb(0x8A8E90));
}

void grandstand(Image& img) {
    const Rect& r = s01::grandstand;
    // Roof fascia with sponsor lettering, then tiers of seats with spectators in bright shirts.
    fillRect(img, X(r, 0), Y(r, 0), X(r, 1), Y(r, 1), rgb(0x303438));
    fillRect(img, X(r, 0), Y(r, 0), X(r, 1), Y(r, 0.14f), rgb(0xE8E8E4));
    drawTextCentred(img, Typeface::SansBold, 26, "NYMBUS  GRAND  PRIX", X(r, 0.5f), Y(r, 0.115f),
                    rgb(0xC81E1E), false);
    fillRect(img, X(r, 0), Y(r, 0.14f), X(r, 1), Y(r, 0.22f), rgb(0x14161A));
    const int tiers = 7;
    for (int k = 0; k < tiers; ++k) {
        const float t0 = 0.22f + 0.1f * static_cast<float>(k);
        fillRect(img, X(r, 0), Y(r, t0), X(r, 1), Y(r, t0 + 0.1f), rgb(0x2860A8));
        fillRect(img, X(r, 0), Y(r, t0 + 0.085f), X(r, 1), Y(r, t0 + 0.1f), rgb(0x6C7278));
        for (int p = 0; p < 64; ++p) {
            Rng rng(static_cast<std::uint64_t>(k * 64 + p) * 7919u + 13u);
            if (rng.unit() < 0.18f) {
                continue;
            }
            const Colour shirts[6] = {rgb(0xE8E0D0), rgb(0xD83030), rgb(0xF0C830),
                                      rgb(0x40A050), rgb(0x303030), rgb(0xF08040)};
            const float cx = X(r, (static_cast<float>(p) + 0.5f) / 64.0f) + rng.range(-1.5f, 1.5f);
            const float base = Y(r, t0 + 0.085f);
            fillRoundRect(img, cx - 3.0f, base - 12.0f, cx + 3.0f, base, 2.0f, shirts[rng.below(6)]);
            fillCircle(img, cx, base - 15.0f, 2.6f, rng.unit() < 0.5f ? rgb(0xE8B890) : rgb(0x8A5A3A));
        }
    }
    fillRect(img, X(r, 0), Y(r, 0.92f), X(r, 1), Y(r, 1), rgb(0xB0B0AA));
}

} // namespace

void paintFacades(Image& img) {
    townhouse(img);
    brickHouse(img);
    shopFront(img);
    timberHouse(img);
    roof(img, s01::roofTiles, rgb(0xB04A2E), false, 851);
    roof(img, s01::roofSlate, rgb(0x5A6068), true, 853);
    sideWall(img);
    grandstand(img);
}

Image paintSection01() {
    Image img(atlas::kSection01.width, atlas::kSection01.height);
    paintGround(img);
    paintWalls(img);
    paintFacades(img);
    return img;
}

} // namespace art
