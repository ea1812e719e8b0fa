// The road surfaces.
#include "art/painters.h"
#include "art/rng.h"

#include "atlas_layout.h"

#include <cmath>

namespace art {

namespace {

namespace road = atlas::road;
using atlas::Rect;

// Texels per unit across the road and along it.
float acrossScale(const Rect& r) {
    return static_cast<float>(r.w) / (2.0f * road::kHalfWidth);
}

// Asphalt grain that repeats with the rectangle; `dark` darkens it (tunnel floor).
Colour asphalt(const Rect& r, float x, float y, float dark, std::uint32_t seed) {
    const float s = (x - static_cast<float>(r.x)) / static_cast<float>(r.w);
    const float t = (y - static_cast<float>(r.y)) / static_cast<float>(r.h);
    const int cellsT = r.h / 8;
    const float coarse = fbm2(s * 8.0f, t * 8.0f * r.h / r.w, 3, seed, 8, 8 * r.h / r.w);
    const float grain = latticeValue(static_cast<int>(x), static_cast<int>(y), 0, seed + 7);
    const float wear = fbm2(s * 4.0f, t * static_cast<float>(cellsT) / 8.0f, 2, seed + 3, 4, cellsT / 8);
    float k = 0.36f + 0.05f * coarse + 0.035f * grain;
    // The racing line is darker and smoother where the tyres run.
    const float lateral = (s - 0.5f) * 2.0f;
    k -= 0.04f * std::exp(-std::pow((std::fabs(lateral) - 0.35f) * 5.0f, 2.0f)) * (0.5f + wear);
    k *= dark;
    return Colour{k, k * 1.01f, k * 1.06f, 1.0f};
}

void paintEdgeLines(Image& img, const Rect& r, float alpha) {
    const float scale = acrossScale(r);
    const float lineWidth = 0.25f * scale;
    for (float side : {-1.0f, 1.0f}) {
        const float centre =
            static_cast<float>(r.x) + (road::kHalfWidth + side * (road::kHalfWidth - 0.5f)) * scale;
        fillRect(img, centre - lineWidth * 0.5f, static_cast<float>(r.y), centre + lineWidth * 0.5f,
                 static_cast<float>(r.y + r.h), withAlpha(rgb(0xEDEDE6), alpha));
    }
}

void paintCentreDashes(Image& img, const Rect& r) {
    const float scale = acrossScale(r);
    const float half = 0.09f * scale, cx = static_cast<float>(r.x) + static_cast<float>(r.w) * 0.5f;
    const float dash = static_cast<float>(r.h) / 2.0f;
    for (int k = 0; k < 2; ++k) {
        const float y0 = static_cast<float>(r.y) + dash * static_cast<float>(k) + dash * 0.25f;
        fillRect(img, cx - half, y0, cx + half, y0 + dash * 0.5f, withAlpha(rgb(0xF2F2EA), 0.92f));
    }
}

void paintAsphalt(Image& img, const Rect& r, float dark, std::uint32_t seed) {
    shade(img, r.x, r.y, r.x + r.w, r.y + r.h,
          [&](float x, float y) { return asphalt(r, x, y, dark, seed); });
}

void paintKerbs(Image& img, const Rect& r) {
    // Red and white blocks, 1.5 units long, in the outer 0.7 units, with a thin grass-stained outer lip.
    const float scale = acrossScale(r);
    const float kerbWidth = 0.7f * scale;
    const float block = static_cast<float>(r.h) / 8.0f;
    for (float side : {0.0f, 1.0f}) {
        const float x0 = static_cast<float>(r.x) + side * (static_cast<float>(r.w) - kerbWidth);
        shade(img, static_cast<int>(x0), r.y, static_cast<int>(x0 + kerbWidth), r.y + r.h,
              [&](float x, float y) {
                  const int n = static_cast<int>((y - static_cast<float>(r.y)) / block);
                  const float inBlock = std::fmod(y - static_cast<float>(r.y), block) / block;
                  Colour c = n % 2 == 0 ? rgb(0xD42020) : rgb(0xF2F0EA);
                  // Rounded shading across the kerb's hump.
                  const float across = (x - x0) / kerbWidth;
                  c = scaled(c, 0.82f + 0.18f * std::sin(across * 3.14159265f));
                  c = scaled(c,
                             0.92f + 0.08f * latticeValue(static_cast<int>(x), static_cast<int>(y), 3, 11));
                  if (inBlock < 0.04f || inBlock > 0.96f) {
                      c = scaled(c, 0.8f);
                  }
                  return c;
              });
    }
}

void paintStartLine(Image& img, const Rect& r) {
    const float scale = acrossScale(r);
    const float cell = 0.55f * scale;
    const float mid = static_cast<float>(r.y) + static_cast<float>(r.h) * 0.5f;
    const float x0 = static_cast<float>(r.x) + 0.75f * scale,
                x1 = static_cast<float>(r.x + r.w) - 0.75f * scale;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; static_cast<float>(r.x) + 0.75f * scale + col * cell < x1; ++col) {
            const float cx = x0 + static_cast<float>(col) * cell;
            const float cy = mid - 1.5f * cell + static_cast<float>(row) * cell;
            const Colour c = (row + col) % 2 == 0 ? rgb(0xF4F4F0) : rgb(0x141414);
            fillRect(img, cx, cy, std::fmin(cx + cell, x1), cy + cell, c);
        }
    }
    // The grid boxes' white bars on either side.
    fillRect(img, x0, mid - 2.2f * cell, x1, mid - 1.9f * cell, withAlpha(rgb(0xEDEDE6), 0.9f));
    fillRect(img, x0, mid + 1.9f * cell, x1, mid + 2.2f * cell, withAlpha(rgb(0xEDEDE6), 0.9f));
}

} // namespace

Image paintRoad() {
    Image img(atlas::kRoad.width, atlas::kRoad.height);
    paintAsphalt(img, road::plain, 1.0f, 501);
    paintEdgeLines(img, road::plain, 0.95f);
    paintCentreDashes(img, road::plain);

    paintAsphalt(img, road::kerb, 1.0f, 503);
    paintCentreDashes(img, road::kerb);
    paintKerbs(img, road::kerb);

    paintAsphalt(img, road::start, 1.0f, 505);
    paintEdgeLines(img, road::start, 0.95f);
    paintStartLine(img, road::start);

    paintAsphalt(img, road::tunnel, 0.7f, 507);
    shadeOver(img, road::tunnel.x, road::tunnel.y, road::tunnel.x + road::tunnel.w,
              road::tunnel.y + road::tunnel.h, [](float x, float y) {
                  const float dust = fbm2(x / 32.0f, y / 32.0f, 3, 509, 8, 4);
                  return withAlpha(rgb(0x6A6258), 0.3f * smoothstep(0.45f, 0.8f, dust));
              });
    paintEdgeLines(img, road::tunnel, 0.7f);
    return img;
}

} // namespace art
