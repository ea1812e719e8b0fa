// The tunnel and industrial atlases.
#include "art/painters.h"
#include "art/rng.h"
#include "art/surfaces.h"
#include "art/text.h"

#include <cmath>

namespace art {

namespace {

using atlas::Rect;

void tunnelInterior(Image& img) {
    const Rect& r = atlas::tunnels::interior;
    shadeRect(img, r, [&](float s, float t, float x, float y) {
        Colour c = scaled(rgb(0x8E8C86), 0.85f + 0.2f * tiledNoise(r, x, y, 8, 4, 901));
        // Panels: seams round the tube every quarter tile, and along it at the wall's quarters.
        const float ring = std::fmod(t * 4.0f, 1.0f);
        if (ring < 0.02f) {
            c = scaled(c, 0.6f);
        }
        const float band = std::fmod(s * 6.0f, 1.0f);
        if (band < 0.015f) {
            c = scaled(c, 0.7f);
        }
        // Soot over the roof, a dark skirting at the feet.
        c = scaled(c, 1.0f - 0.35f * std::exp(-std::pow((s - 0.5f) * 5.0f, 2.0f)));
        if (s < 0.06f || s > 0.94f) {
            c = mix(rgb(0x3A3A3A), rgb(0xD8C020), std::fmod(t * 16.0f, 1.0f) < 0.5f ? 0.0f : 0.15f);
        }
        return c;
    });
    // The lamp row at the roof line, one lamp every half tile.
    for (int k = 0; k < 2; ++k) {
        const float cy =
            static_cast<float>(r.y) + static_cast<float>(r.h) * (0.25f + 0.5f * static_cast<float>(k));
        const float cx = static_cast<float>(r.x) + static_cast<float>(r.w) * 0.5f;
        shadeOver(img, static_cast<int>(cx - 60), static_cast<int>(cy - 90), static_cast<int>(cx + 60),
                  static_cast<int>(cy + 90), [&](float x, float y) {
                      const float d = std::hypot((x - cx) / 60.0f, (y - cy) / 90.0f);
                      return withAlpha(rgb(0xFFE0A0), 0.45f * clamp01(1.0f - d) * clamp01(1.0f - d));
                  });
        fillRoundRect(img, cx - 14, cy - 40, cx + 14, cy + 40, 5, rgb(0x505458));
        fillRoundRect(img, cx - 10, cy - 36, cx + 10, cy + 36, 4, rgb(0xFFF4D0));
    }
}

void portal(Image& img) {
    const Rect& r = atlas::tunnels::portal;
    shadeRect(img, r, [&](float s, float t, float x, float y) {
        const int row = static_cast<int>(t * 8.0f);
        const float cs = s * 4.0f + (row % 2 == 1 ? 0.5f : 0.0f);
        const int col = static_cast<int>(cs) % 4;
        const float fx = cs - std::floor(cs), fy = t * 8.0f - static_cast<float>(row);
        Colour c = scaled(rgb(0x9C968C), 0.8f + 0.3f * latticeValue(col, row, 0, 911));
        c = scaled(c, 0.9f + 0.15f * tiledNoise(r, x, y, 16, 3, 913));
        const float edge = std::fmin(std::fmin(fx, 1.0f - fx) * 4.0f, std::fmin(fy, 1.0f - fy));
        return scaled(c, 0.55f + 0.45f * smoothstep(0.0f, 0.12f, edge));
    });
}

void hillside(Image& img) {
    const Rect& r = atlas::tunnels::hillside;
    shadeRect(img, r, [&](float, float, float x, float y) {
        const float n = tiledNoise(r, x, y, 4, 4, 921);
        Colour grass =
            scaled(mix(rgb(0x4C7A30), rgb(0x6E9A44), tiledNoise(r, x, y, 16, 2, 923)), 0.9f + 0.2f * n);
        const Colour rock = scaled(rgb(0x7E7A72), 0.85f + 0.3f * tiledNoise(r, x, y, 32, 2, 925));
        return mix(grass, rock, smoothstep(0.58f, 0.66f, n));
    });
}

void corrugated(Image& img) {
    const Rect& r = atlas::industrial::corrugated;
    shadeRect(img, r, [&](float s, float t, float x, float y) {
        // 32 ribs across, lit from the left.
        const float rib = std::sin(s * 32.0f * 2.0f * 3.14159265f);
        Colour c = scaled(rgb(0x7C98A8), 0.82f + 0.16f * rib);
        const float rust = tiledNoise(r, x, y, 8, 4, 931);
        c = mix(c, rgb(0x8A4E2A), 0.7f * smoothstep(0.6f, 0.78f, rust) * (0.4f + 0.6f * t));
        return std::fmod(t * 2.0f, 1.0f) < 0.012f ? scaled(c, 0.55f) : c;
    });
}

void roofMetal(Image& img) {
    const Rect& r = atlas::industrial::roofMetal;
    shadeRect(img, r, [&](float s, float, float x, float y) {
        const float seam = std::fmod(s * 8.0f, 1.0f);
        Colour c = scaled(rgb(0x8C9094), 0.88f + 0.14f * tiledNoise(r, x, y, 16, 3, 941));
        if (seam < 0.05f) {
            c = scaled(c, 1.2f);
        } else if (seam < 0.08f) {
            c = scaled(c, 0.7f);
        }
        return mix(c, rgb(0x6E5A44), 0.5f * smoothstep(0.62f, 0.8f, tiledNoise(r, x, y, 4, 3, 943)));
    });
}

// A painted pipe between two points along one axis, shaded as a cylinder, with brackets.
void pipe(Image& img, float x0, float y0, float x1, float y1, float radius, bool vertical) {
    const float rx = vertical ? radius : 0.0f, ry = vertical ? 0.0f : radius;
    shade(img, static_cast<int>(x0 - rx), static_cast<int>(y0 - ry), static_cast<int>(x1 + rx),
          static_cast<int>(y1 + ry), [&](float x, float y) {
              const float across = vertical ? (x - x0) / radius : (y - y0) / radius;
              const float along = vertical ? y : x;
              const float light = std::sqrt(std::fmax(0.0f, 1.0f - across * across));
              Colour c = scaled(rgb(0x6A8A7A), 0.45f + 0.6f * light + 0.15f * (across < -0.3f ? 1.0f : 0.0f));
              if (std::fmod(along, 40.0f) < 4.0f) {
                  c = scaled(rgb(0x3A3A3A), 0.6f + 0.5f * light);
              }
              const float rust = valueNoise2(x / 6.0f, y / 6.0f, 957);
              return mix(c, rgb(0x7A4424), 0.7f * smoothstep(0.7f, 0.85f, rust));
          });
}

void factoryWall(Image& img) {
    const Rect& r = atlas::industrial::brickWindows;
    shadeRect(img, r, [&](float s, float t, float x, float y) {
        const float py = t * 256.0f, px = s * 256.0f;
        const int row = static_cast<int>(py / 8.0f);
        const float shifted = px + (row % 2 == 1 ? 8.0f : 0.0f);
        Colour c = scaled(rgb(0x8A3E2C),
                          0.85f + 0.25f * latticeValue(static_cast<int>(shifted / 16.0f) % 16, row, 0, 951));
        c = scaled(c, 0.9f + 0.1f * tiledNoise(r, x, y, 16, 2, 953));
        return std::fmod(shifted, 16.0f) < 1.2f || std::fmod(py, 8.0f) < 1.2f ? rgb(0x9C9488) : c;
    });
    // Two tall steel-framed windows with many small panes.
    for (float s : {0.1f, 0.56f}) {
        const float x0 = static_cast<float>(r.x) + s * 256.0f, y0 = static_cast<float>(r.y) + 40.0f;
        fillRect(img, x0 - 4, y0 - 6, x0 + 92, y0, rgb(0xB8B0A0));
        fillRect(img, x0, y0, x0 + 88, y0 + 170, rgb(0x2E3236));
        for (int j = 0; j < 8; ++j) {
            for (int i = 0; i < 4; ++i) {
                const float px = x0 + 3 + static_cast<float>(i) * 21.25f,
                            py = y0 + 3 + static_cast<float>(j) * 20.8f;
                const float k = latticeValue(i, j, static_cast<int>(s * 10), 955);
                fillRect(img, px, py, px + 18.5f, py + 18.0f,
                         k > 0.9f ? rgb(0x404A50)
                                  : mix(rgb(0x9AB4C4), rgb(0x5A7484), static_cast<float>(j) / 8.0f));
            }
        }
    }
    // A pipe run under the eaves and a downpipe between the windows.
    const float top = static_cast<float>(r.y) + 16.0f, mid = static_cast<float>(r.x) + 128.5f;
    pipe(img, static_cast<float>(r.x), top, static_cast<float>(r.x + r.w), top, 6.0f, false);
    pipe(img, mid, top, mid, static_cast<float>(r.y + r.h), 5.0f, true);
}

void tank(Image& img) {
    const Rect& r = atlas::industrial::tank;
    shadeRect(img, r, [&](float, float t, float x, float y) {
        Colour c = scaled(rgb(0xD8D4C8), 0.9f + 0.1f * tiledNoise(r, x, y, 8, 3, 961));
        if (std::fmod(t * 6.0f, 1.0f) < 0.03f) {
            c = scaled(c, 0.7f);
        }
        // Rust runs down from the weld seams.
        const float run = tiledNoise(r, x, y * 0.15f, 16, 2, 963);
        return mix(c, rgb(0x8A5230), 0.6f * smoothstep(0.62f, 0.8f, run));
    });
    fillRect(img, static_cast<float>(r.x), static_cast<float>(r.y) + 100, static_cast<float>(r.x + r.w),
             static_cast<float>(r.y) + 124, rgb(0x1E5AA0));
}

void container(Image& img) {
    const Rect& r = atlas::industrial::container;
    shadeRect(img, r, [&](float s, float, float x, float y) {
        const float rib = std::fmod(s * 16.0f, 1.0f);
        Colour c = scaled(rgb(0xB03A22), rib < 0.5f ? 0.9f : 1.05f);
        return scaled(c, 0.9f + 0.12f * tiledNoise(r, x, y, 8, 3, 971));
    });
    drawText(img, Typeface::CondensedBold,
             fitTextSize(Typeface::CondensedBold, 20, "STELLARION", static_cast<float>(r.w) - 20.0f),
             "STELLARION", static_cast<float>(r.x) + 10, static_cast<float>(r.y) + 34, rgb(0xF2F2EE), false);
    drawText(img, Typeface::MonoBold, 11, "NYMU 480231 6", static_cast<float>(r.x) + 10,
             static_cast<float>(r.y) + 50, rgb(0xF2F2EE), false);
}

void hazard(Image& img) {
    const Rect& r = atlas::industrial::hazard;
    shadeRect(img, r, [&](float s, float t, float x, float y) {
        const float band = std::fmod((s + t) * 4.0f, 1.0f);
        const Colour c = band < 0.5f ? rgb(0xF0C018) : rgb(0x1A1A1A);
        return scaled(c, 0.88f + 0.12f * tiledNoise(r, x, y, 8, 2, 981));
    });
}

} // namespace

Image paintTunnels() {
    Image img(atlas::kTunnels.width, atlas::kTunnels.height);
    tunnelInterior(img);
    portal(img);
    hillside(img);
    return img;
}

Image paintIndustrial() {
    Image img(atlas::kIndustrial.width, atlas::kIndustrial.height);
    corrugated(img);
    roofMetal(img);
    factoryWall(img);
    tank(img);
    container(img);
    hazard(img);
    return img;
}

} // namespace art
