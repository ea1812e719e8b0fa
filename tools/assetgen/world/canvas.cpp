#include "canvas.h"

#include "runner/png_file.h"

#include <algorithm>
#include <cmath>

namespace world {

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), rgba_(static_cast<std::size_t>(width * height) * 4),
      depth_(static_cast<std::size_t>(width * height), 1e30f) {
    for (int i = 0; i < width * height; ++i) {
        rgba_[static_cast<std::size_t>(i) * 4 + 0] = fill.r;
        rgba_[static_cast<std::size_t>(i) * 4 + 1] = fill.g;
        rgba_[static_cast<std::size_t>(i) * 4 + 2] = fill.b;
        rgba_[static_cast<std::size_t>(i) * 4 + 3] = 255;
    }
}

void Canvas::pixel(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    const auto i = static_cast<std::size_t>(y * width_ + x) * 4;
    rgba_[i] = c.r;
    rgba_[i + 1] = c.g;
    rgba_[i + 2] = c.b;
}

void Canvas::line(double x0, double y0, double x1, double y1, Colour c, double thickness) {
    const double len = std::hypot(x1 - x0, y1 - y0);
    const int steps = std::max(1, static_cast<int>(len * 2));
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, thickness * 0.5, c);
    }
}

void Canvas::disc(double x, double y, double radius, Colour c) {
    const int r = static_cast<int>(std::ceil(radius));
    for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
            if (dx * dx + dy * dy <= radius * radius + 0.5) {
                pixel(static_cast<int>(std::lround(x)) + dx, static_cast<int>(std::lround(y)) + dy, c);
            }
        }
    }
}

void Canvas::triangle(const double x[3], const double y[3], const double z[3], Colour c) {
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({x[0], x[1], x[2]}))));
    const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(std::max({x[0], x[1], x[2]}))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({y[0], y[1], y[2]}))));
    const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(std::max({y[0], y[1], y[2]}))));
    const double area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
    if (std::fabs(area) < 1e-12) {
        return;
    }
    for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
            const double sx = px + 0.5, sy = py + 0.5;
            const double w0 = ((x[1] - sx) * (y[2] - sy) - (x[2] - sx) * (y[1] - sy)) / area;
            const double w1 = ((x[2] - sx) * (y[0] - sy) - (x[0] - sx) * (y[2] - sy)) / area;
            const double w2 = 1.0 - w0 - w1;
            if (w0 < 0 || w1 < 0 || w2 < 0) {
                continue;
            }
            const auto d = static_cast<float>(w0 * z[0] + w1 * z[1] + w2 * z[2]);
            const auto i = static_cast<std::size_t>(py * width_ + px);
            if (d < depth_[i]) {
                depth_[i] = d;
                pixel(px, py, c);
            }
        }
    }
}

namespace {

// 3 x 5 patterns, rows top to bottom, bit 2 the left column.
const char* glyph(char ch) {
    switch (ch) {
    case '0':
        return "\7\5\5\5\7";
    case '1':
        return "\2\6\2\2\7";
    case '2':
        return "\7\1\7\4\7";
    case '3':
        return "\7\1\7\1\7";
    case '4':
        return "\5\5\7\1\1";
    case '5':
        return "\7\4\7\1\7";
    case '6':
        return "\7\4\7\5\7";
    case '7':
        return "\7\1\1\1\1";
    case '8':
        return "\7\5\7\5\7";
    case '9':
        return "\7\5\7\1\7";
    case 'A':
        return "\2\5\7\5\5";
    case 'B':
        return "\6\5\6\5\6";
    case 'C':
        return "\7\4\4\4\7";
    case 'D':
        return "\6\5\5\5\6";
    case 'E':
        return "\7\4\6\4\7";
    case 'F':
        return "\7\4\6\4\4";
    case 'G':
        return "\7\4\5\5\7";
    case 'H':
        return "\5\5\7\5\5";
    case 'I':
        return "\7\2\2\2\7";
    case 'K':
        return "\5\5\6\5\5";
    case 'L':
        return "\4\4\4\4\7";
    case 'M':
        return "\5\7\7\5\5";
    case 'N':
        return "\6\5\5\5\5";
    case 'O':
        return "\7\5\5\5\7";
    case 'P':
        return "\7\5\7\4\4";
    case 'R':
        return "\6\5\6\5\5";
    case 'S':
        return "\7\4\7\1\7";
    case 'T':
        return "\7\2\2\2\2";
    case 'U':
        return "\5\5\5\5\7";
    case 'W':
        return "\5\5\7\7\5";
    case 'Y':
        return "\5\5\2\2\2";
    default:
        return nullptr;
    }
}

} // namespace

void Canvas::text(double x, double y, const std::string& s, Colour c, int scale) {
    for (std::size_t k = 0; k < s.size(); ++k) {
        const char* g = glyph(s[k]);
        if (g == nullptr) {
            continue;
        }
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if ((g[row] >> (2 - col)) & 1) {
                    for (int dy = 0; dy < scale; ++dy) {
                        for (int dx = 0; dx < scale; ++dx) {
                            pixel(static_cast<int>(x) + static_cast<int>(k) * 4 * scale + col * scale + dx,
                                  static_cast<int>(y) + row * scale + dy, c);
                        }
                    }
                }
            }
        }
    }
}

void Canvas::blit(const Canvas& src, int x, int y) {
    for (int sy = 0; sy < src.height_; ++sy) {
        for (int sx = 0; sx < src.width_; ++sx) {
            const auto i = static_cast<std::size_t>(sy * src.width_ + sx) * 4;
            pixel(x + sx, y + sy, {src.rgba_[i], src.rgba_[i + 1], src.rgba_[i + 2]});
        }
    }
}

bool Canvas::save(const std::string& path) const {
    return runner::writePng(path, width_, height_, rgba_.data());
}

} // namespace world
