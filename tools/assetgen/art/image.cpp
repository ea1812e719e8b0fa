#include "art/image.h"

#include <algorithm>
#include <cmath>

namespace art {

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

float smoothstep(float e0, float e1, float x) {
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

Colour rgb(std::uint32_t hex) {
    return {static_cast<float>(hex >> 16 & 255) / 255.0f, static_cast<float>(hex >> 8 & 255) / 255.0f,
            static_cast<float>(hex & 255) / 255.0f, 1.0f};
}

Colour mix(const Colour& a, const Colour& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Colour scaled(const Colour& c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}

Colour withAlpha(const Colour& c, float a) {
    return {c.r, c.g, c.b, a};
}

Image::Image(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

Colour Image::sample(float x, float y) const {
    const float fx = std::clamp(x - 0.5f, 0.0f, static_cast<float>(width_ - 1));
    const float fy = std::clamp(y - 0.5f, 0.0f, static_cast<float>(height_ - 1));
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, width_ - 1), y1 = std::min(y0 + 1, height_ - 1);
    const float tx = fx - static_cast<float>(x0), ty = fy - static_cast<float>(y0);
    return mix(mix(at(x0, y0), at(x1, y0), tx), mix(at(x0, y1), at(x1, y1), tx), ty);
}

void Image::blend(int x, int y, const Colour& c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    const float w = clamp01(c.a * coverage);
    if (w <= 0.0f) {
        return;
    }
    Colour& p = at(x, y);
    p.r += (c.r - p.r) * w;
    p.g += (c.g - p.g) * w;
    p.b += (c.b - p.b) * w;
    p.a = p.a + w * (1.0f - p.a);
}

namespace {

struct Box {
    int x0, y0, x1, y1;
};

Box clip(const Image& img, float x0, float y0, float x1, float y1) {
    return {std::max(0, static_cast<int>(std::floor(x0))), std::max(0, static_cast<int>(std::floor(y0))),
            std::min(img.width(), static_cast<int>(std::ceil(x1))),
            std::min(img.height(), static_cast<int>(std::ceil(y1)))};
}

// Coverage of a pixel by a shape from the signed distance of its centre (negative inside).
float coverageFromDistance(float d) {
    return clamp01(0.5f - d);
}

} // namespace

void shade(Image& img, int x0, int y0, int x1, int y1, const std::function<Colour(float, float)>& f) {
    const Box b = clip(img, static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1),
                       static_cast<float>(y1));
    for (int y = b.y0; y < b.y1; ++y) {
        for (int x = b.x0; x < b.x1; ++x) {
            img.at(x, y) = f(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
        }
    }
}

void shadeOver(Image& img, int x0, int y0, int x1, int y1, const std::function<Colour(float, float)>& f) {
    const Box b = clip(img, static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1),
                       static_cast<float>(y1));
    for (int y = b.y0; y < b.y1; ++y) {
        for (int x = b.x0; x < b.x1; ++x) {
            img.blend(x, y, f(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f), 1.0f);
        }
    }
}

void fillRect(Image& img, float x0, float y0, float x1, float y1, const Colour& c) {
    const Box b = clip(img, x0, y0, x1, y1);
    for (int y = b.y0; y < b.y1; ++y) {
        const float cy =
            clamp01(std::min(static_cast<float>(y + 1), y1) - std::max(static_cast<float>(y), y0));
        for (int x = b.x0; x < b.x1; ++x) {
            const float cx =
                clamp01(std::min(static_cast<float>(x + 1), x1) - std::max(static_cast<float>(x), x0));
            img.blend(x, y, c, cx * cy);
        }
    }
}

void fillRoundRect(Image& img, float x0, float y0, float x1, float y1, float radius, const Colour& c) {
    const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    const float hx = (x1 - x0) * 0.5f - radius, hy = (y1 - y0) * 0.5f - radius;
    const Box b = clip(img, x0 - 1, y0 - 1, x1 + 1, y1 + 1);
    for (int y = b.y0; y < b.y1; ++y) {
        for (int x = b.x0; x < b.x1; ++x) {
            const float qx = std::fabs(static_cast<float>(x) + 0.5f - cx) - hx;
            const float qy = std::fabs(static_cast<float>(y) + 0.5f - cy) - hy;
            const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
            const float d = outside + std::min(std::max(qx, qy), 0.0f) - radius;
            img.blend(x, y, c, coverageFromDistance(d));
        }
    }
}

void fillCircle(Image& img, float cx, float cy, float r, const Colour& c) {
    const Box b = clip(img, cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1);
    for (int y = b.y0; y < b.y1; ++y) {
        for (int x = b.x0; x < b.x1; ++x) {
            const float d =
                std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy) - r;
            img.blend(x, y, c, coverageFromDistance(d));
        }
    }
}

void fillRing(Image& img, float cx, float cy, float r, float thickness, const Colour& c) {
    const Box b = clip(img, cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1);
    for (int y = b.y0; y < b.y1; ++y) {
        for (int x = b.x0; x < b.x1; ++x) {
            const float dist =
                std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy);
            const float d = std::fabs(dist - (r - thickness * 0.5f)) - thickness * 0.5f;
            img.blend(x, y, c, coverageFromDistance(d));
        }
    }
}

void fillPolygon(Image& img, const std::vector<Point>& poly, const Colour& c) {
    if (poly.size() < 3) {
        return;
    }
    float minX = poly[0].x, maxX = poly[0].x, minY = poly[0].y, maxY = poly[0].y;
    for (const Point& p : poly) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const Box b = clip(img, minX, minY, maxX, maxY);
    auto inside = [&](float px, float py) {
        bool in = false;
        for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
            const Point& a = poly[i];
            const Point& q = poly[j];
            if ((a.y > py) != (q.y > py) && px < (q.x - a.x) * (py - a.y) / (q.y - a.y) + a.x) {
                in = !in;
            }
        }
        return in;
    };
    for (int y = b.y0; y < b.y1; ++y) {
        for (int x = b.x0; x < b.x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    hits += inside(static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) * 0.25f,
                                   static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) * 0.25f);
                }
            }
            img.blend(x, y, c, static_cast<float>(hits) / 16.0f);
        }
    }
}

void drawLine(Image& img, Point a, Point b, float thickness, const Colour& c) {
    const float r = thickness * 0.5f;
    const Box box = clip(img, std::min(a.x, b.x) - r - 1, std::min(a.y, b.y) - r - 1,
                         std::max(a.x, b.x) + r + 1, std::max(a.y, b.y) + r + 1);
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            const float px = static_cast<float>(x) + 0.5f - a.x, py = static_cast<float>(y) + 0.5f - a.y;
            const float t = clamp01((px * dx + py * dy) / len2);
            const float d = std::hypot(px - t * dx, py - t * dy) - r;
            img.blend(x, y, c, coverageFromDistance(d));
        }
    }
}

std::vector<std::uint8_t> toRgba8(const Image& img) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(img.width()) * img.height() * 4);
    std::size_t i = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const Colour& c = img.at(x, y);
            for (float v : {c.r, c.g, c.b, c.a}) {
                out[i++] = static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0f));
            }
        }
    }
    return out;
}

Image halve(const Image& img) {
    const int w = std::max(1, img.width() / 2), h = std::max(1, img.height() / 2);
    Image out(w, h);
    const int sx = img.width() > 1 ? 2 : 1, sy = img.height() > 1 ? 2 : 1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Colour sum{0, 0, 0, 0};
            for (int j = 0; j < sy; ++j) {
                for (int i = 0; i < sx; ++i) {
                    const Colour& p = img.at(x * sx + i, y * sy + j);
                    sum.r += p.r * p.a;
                    sum.g += p.g * p.a;
                    sum.b += p.b * p.a;
                    sum.a += p.a;
                }
            }
            const float n = static_cast<float>(sx * sy);
            out.at(x, y) = sum.a > 0.0f ? Colour{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n}
                                        : Colour{0, 0, 0, 0};
        }
    }
    return out;
}

Image flipped(const Image& img) {
    Image out(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            out.at(x, img.height() - 1 - y) = img.at(x, y);
        }
    }
    return out;
}

} // namespace art
