#include "art/surfaces.h"

#include "art/rng.h"

#include <algorithm>
#include <cmath>

namespace art {

float tiledNoise(const atlas::Rect& r, float x, float y, int cells, int octaves, std::uint32_t seed) {
    const int down = std::max(1, cells * r.h / r.w);
    const float s = (x - static_cast<float>(r.x)) / static_cast<float>(r.w);
    const float t = (y - static_cast<float>(r.y)) / static_cast<float>(r.h);
    return fbm2(s * static_cast<float>(cells), t * static_cast<float>(down), octaves, seed, cells, down);
}

void shadeRect(Image& img, const atlas::Rect& r, const std::function<Colour(float, float, float, float)>& f) {
    shade(img, r.x, r.y, r.x + r.w, r.y + r.h, [&](float x, float y) {
        return f((x - static_cast<float>(r.x)) / static_cast<float>(r.w),
                 (y - static_cast<float>(r.y)) / static_cast<float>(r.h), x, y);
    });
}

void drawWindow(Image& img, float x0, float y0, float x1, float y1, const Colour& frame, bool lit) {
    const float w = x1 - x0, h = y1 - y0;
    const float f = std::max(2.0f, w * 0.08f);
    // Sill shadow, frame, then glass: sky reflected at the top, darker room below.
    fillRect(img, x0 - 2, y1, x1 + 2, y1 + 3, rgb(0xC8C4BC));
    fillRect(img, x0, y0, x1, y1, frame);
    shade(img, static_cast<int>(x0 + f), static_cast<int>(y0 + f), static_cast<int>(x1 - f),
          static_cast<int>(y1 - f), [&](float x, float y) {
              const float t = (y - y0) / h;
              const float diagonal = std::fmod((x - x0) + (y - y0) * 0.6f, w * 1.2f) / (w * 1.2f);
              Colour glass =
                  lit ? mix(rgb(0xF8D890), rgb(0xC08040), t) : mix(rgb(0x7C98B4), rgb(0x20303C), t);
              if (diagonal > 0.2f && diagonal < 0.32f) {
                  glass = mix(glass, rgb(0xFFFFFF), 0.25f);
              }
              return glass;
          });
    // Glazing bars: one upright, one across.
    fillRect(img, x0 + w * 0.5f - f * 0.35f, y0, x0 + w * 0.5f + f * 0.35f, y1, frame);
    fillRect(img, x0, y0 + h * 0.4f - f * 0.35f, x1, y0 + h * 0.4f + f * 0.35f, frame);
}

void drawDoor(Image& img, float x0, float y0, float x1, float y1, const Colour& paint) {
    const float w = x1 - x0, h = y1 - y0;
    fillRect(img, x0 - 3, y0 - 3, x1 + 3, y1, rgb(0xE8E4DA));
    fillRect(img, x0, y0, x1, y1, paint);
    for (int k = 0; k < 2; ++k) {
        const float py = y0 + h * (0.08f + 0.46f * static_cast<float>(k));
        fillRect(img, x0 + w * 0.15f, py, x1 - w * 0.15f, py + h * 0.38f, scaled(paint, 0.8f));
        fillRect(img, x0 + w * 0.18f, py + 2, x1 - w * 0.18f, py + h * 0.38f - 2, scaled(paint, 1.05f));
    }
    fillCircle(img, x1 - w * 0.15f, y0 + h * 0.55f, std::max(1.5f, w * 0.05f), rgb(0xD8B850));
}

} // namespace art
