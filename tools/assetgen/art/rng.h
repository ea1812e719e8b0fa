#pragma once
// The painters' own pseudo-random numbers and lattice noise: fixed integer hashing, so every run and
// every machine paints the same pixels.
#include <cstdint>

namespace art {

// splitmix64: a small generator with a well-mixed output.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in [0, 1).
    float unit();
    // Uniform in [lo, hi).
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); }
    // Uniform integer in [0, n).
    int below(int n);

private:
    std::uint64_t state_;
};

// A hash of integer lattice coordinates to [0, 1).
float latticeValue(int x, int y, int z, std::uint32_t seed);

// Smooth value noise in [0, 1]. It repeats every periodX cells across and periodY cells
// down when those are positive.
float valueNoise2(float x, float y, std::uint32_t seed, int periodX = 0, int periodY = 0);

// Sums of octaves (each twice the frequency, half the amplitude), normalised to [0, 1].
float fbm2(float x, float y, int octaves, std::uint32_t seed, int periodX = 0, int periodY = 0);

} // namespace art
