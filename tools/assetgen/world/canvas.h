#pragma once
// A small RGBA canvas for the previews: lines, discs, filled triangles with depth, and digits.
#include <cstdint>
#include <string>
#include <vector>

namespace world {

struct Colour {
    std::uint8_t r, g, b;
};

class Canvas {
public:
    Canvas(int width, int height, Colour fill);
    void pixel(int x, int y, Colour c);
    void line(double x0, double y0, double x1, double y1, Colour c, double thickness = 1.0);
    void disc(double x, double y, double radius, Colour c);
    // A triangle in screen space with depth (smaller is nearer), flat colour.
    void triangle(const double x[3], const double y[3], const double z[3], Colour c);
    // Digits and a few letters drawn with a 3 x 5 pattern, scale pixels per cell.
    void text(double x, double y, const std::string& s, Colour c, int scale);
    void blit(const Canvas& src, int x, int y);
    bool save(const std::string& path) const;
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_, height_;
    std::vector<std::uint8_t> rgba_;
    std::vector<float> depth_;
};

} // namespace world
