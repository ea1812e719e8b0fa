#pragma once
// The painters' canvas: floating-point RGBA pixels, row 0 first (row 0 is texture v = 0), and the
// drawing operations they share. Shapes are anti-aliased by their signed distance or by sub-samples.
#include <cstdint>
#include <functional>
#include <vector>

namespace art {

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB, opaque.
Colour rgb(std::uint32_t hex);
Colour mix(const Colour& a, const Colour& b, float t);
Colour scaled(const Colour& c, float k); // colour channels only
Colour withAlpha(const Colour& c, float a);

struct Point {
    float x, y;
};

class Image {
public:
    Image() = default;
    Image(int width, int height, Colour fill = {0, 0, 0, 1});

    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Colour& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    // Bilinear sample at pixel coordinates (pixel centres at +0.5), clamped at the edges.
    Colour sample(float x, float y) const;

    // Lays `c` over the pixel with weight c.a * coverage; the pixel's alpha becomes the union.
    void blend(int x, int y, const Colour& c, float coverage);

private:
    int width_ = 0, height_ = 0;
    std::vector<Colour> pixels_;
};

// Every pixel of the rectangle [x0, x1) x [y0, y1) becomes f(x, y) of its centre.
void shade(Image& img, int x0, int y0, int x1, int y1, const std::function<Colour(float, float)>& f);
// As shade, but blended over what is there.
void shadeOver(Image& img, int x0, int y0, int x1, int y1, const std::function<Colour(float, float)>& f);

void fillRect(Image& img, float x0, float y0, float x1, float y1, const Colour& c);
void fillRoundRect(Image& img, float x0, float y0, float x1, float y1, float radius, const Colour& c);
void fillCircle(Image& img, float cx, float cy, float r, const Colour& c);
void fillRing(Image& img, float cx, float cy, float r, float thickness, const Colour& c);
// Even-odd fill of a closed polygon, 4 x 4 sub-samples per pixel.
void fillPolygon(Image& img, const std::vector<Point>& poly, const Colour& c);
void drawLine(Image& img, Point a, Point b, float thickness, const Colour& c);

// 8-bit RGBA, rounded and clamped.
std::vector<std::uint8_t> toRgba8(const Image& img);
// Half size by the mean of 2 x 2 pixels (1 stays 1); colours weighted by alpha so that transparent
// pixels do not darken their neighbours.
Image halve(const Image& img);
// Rows in reverse order.
Image flipped(const Image& img);

float clamp01(float v);
float smoothstep(float e0, float e1, float x);

} // namespace art
