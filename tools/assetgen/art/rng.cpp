#include "art/rng.h"

#include <cmath>

namespace art {

namespace {

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

int wrap(int i, int period) {
    if (period <= 0) {
        return i;
    }
    const int m = i % period;
    return m < 0 ? m + period : m;
}

} // namespace

std::uint64_t Rng::next() {
    state_ += 0x9E3779B97F4A7C15ull;
    return mix(state_);
}

float Rng::unit() {
    return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f);
}

int Rng::below(int n) {
    return static_cast<int>(next() % static_cast<std::uint64_t>(n));
}

float latticeValue(int x, int y, int z, std::uint32_t seed) {
    const std::uint64_t key = static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) * 0x9E3779B1ull ^
                              static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)) * 0x85EBCA77ull << 1 ^
                              static_cast<std::uint64_t>(static_cast<std::uint32_t>(z)) * 0xC2B2AE3Dull << 2 ^
                              static_cast<std::uint64_t>(seed) << 32;
    return static_cast<float>(mix(key) >> 40) * (1.0f / 16777216.0f);
}

float valueNoise2(float x, float y, std::uint32_t seed, int periodX, int periodY) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float tx = smooth(x - fx), ty = smooth(y - fy);
    const int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    const int y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    const float a = latticeValue(x0, y0, 0, seed), b = latticeValue(x1, y0, 0, seed);
    const float c = latticeValue(x0, y1, 0, seed), d = latticeValue(x1, y1, 0, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fbm2(float x, float y, int octaves, std::uint32_t seed, int periodX, int periodY) {
    float sum = 0, amplitude = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * valueNoise2(x, y, seed + static_cast<std::uint32_t>(o) * 101u, periodX, periodY);
        total += amplitude;
        amplitude *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / total;
}

} // namespace art
