#include "platform/gles/nymtc/nymtc.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace platform::nymtc {

namespace {

constexpr int BlockBytes = 8;
constexpr int BlockHeight = 4;
constexpr int SamplesPerBlock = 16; // one per 2-bit index

struct Rgb {
    int r, g, b;
};

Rgb expand565(std::uint16_t c) {
    const int r5 = c >> 11, g6 = (c >> 5) & 63, b5 = c & 31;
    return {r5 << 3 | r5 >> 2, g6 << 2 | g6 >> 4, b5 << 3 | b5 >> 2};
}

using Palette = std::array<std::array<std::uint8_t, 4>, 4>;

Palette makePalette(bool alpha, std::uint16_t c0, std::uint16_t c1) {
    const Rgb a = expand565(c0), b = expand565(c1);
    auto entry = [](int r, int g, int bl, int al) {
        return std::array<std::uint8_t, 4>{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                           static_cast<std::uint8_t>(bl), static_cast<std::uint8_t>(al)};
    };
    Palette p;
    p[0] = entry(a.r, a.g, a.b, 255);
    p[1] = entry(b.r, b.g, b.b, 255);
    if (c0 > c1) {
        p[2] = entry((2 * a.r + b.r) / 3, (2 * a.g + b.g) / 3, (2 * a.b + b.b) / 3, 255);
        p[3] = entry((a.r + 2 * b.r) / 3, (a.g + 2 * b.g) / 3, (a.b + 2 * b.b) / 3, 255);
    } else {
        p[2] = entry((a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2, 255);
        p[3] = entry(0, 0, 0, alpha ? 0 : 255);
    }
    return p;
}

std::uint32_t readLe(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = v << 8 | p[i];
    }
    return v;
}

// One colour the block must represent: a pixel at 4 bpp, the mean of two pixels at 2 bpp.
struct Sample {
    float c[3];
    bool transparent;
};

struct Encoded {
    std::uint16_t c0 = 0, c1 = 0;
    std::array<int, SamplesPerBlock> index{};
    float error = 0;
};

std::uint16_t quantize565(const float c[3]) {
    auto q = [](float v, int maxValue) {
        const long n = std::lround(std::clamp(v, 0.0f, 255.0f) * static_cast<float>(maxValue) / 255.0f);
        return static_cast<std::uint16_t>(std::clamp<long>(n, 0, maxValue));
    };
    return static_cast<std::uint16_t>(q(c[0], 31) << 11 | q(c[1], 63) << 5 | q(c[2], 31));
}

// Orders two quantized end colours for the block's mode, picks the nearest palette entry for every
// opaque sample and sums the squared error.
Encoded evaluate(const std::array<Sample, SamplesPerBlock>& s, bool threeColour, std::uint16_t qa,
                 std::uint16_t qb) {
    Encoded e;
    if (threeColour) {
        e.c0 = std::min(qa, qb);
        e.c1 = std::max(qa, qb);
    } else if (qa != qb) {
        e.c0 = std::max(qa, qb);
        e.c1 = std::min(qa, qb);
    } else if (qa > 0) {
        // One colour: index 0 holds it exactly; c1 just below keeps c0 > c1.
        e.c0 = qa;
        e.c1 = static_cast<std::uint16_t>(qa - 1);
    } else {
        e.c0 = 1;
        e.c1 = 0;
    }
    const Palette p = makePalette(true, e.c0, e.c1);
    const int choices = threeColour ? 3 : 4;
    for (int i = 0; i < SamplesPerBlock; ++i) {
        if (s[i].transparent) {
            e.index[i] = 3;
            continue;
        }
        float best = 0;
        for (int k = 0; k < choices; ++k) {
            float d = 0;
            for (int ch = 0; ch < 3; ++ch) {
                const float diff = s[i].c[ch] - static_cast<float>(p[k][ch]);
                d += diff * diff;
            }
            if (k == 0 || d < best) {
                best = d;
                e.index[i] = k;
            }
        }
        e.error += best;
    }
    return e;
}

// The end colours that fit the samples best in the least-squares sense for the given indices.
// False when the indices do not determine two end colours (all samples on one index).
bool leastSquares(const std::array<Sample, SamplesPerBlock>& s, const Encoded& e, bool threeColour,
                  float a[3], float b[3]) {
    static constexpr float weight4[4] = {1.0f, 0.0f, 2.0f / 3.0f, 1.0f / 3.0f};
    static constexpr float weight3[3] = {1.0f, 0.0f, 0.5f};
    float aa = 0, ab = 0, bb = 0, ax[3] = {0, 0, 0}, bx[3] = {0, 0, 0};
    for (int i = 0; i < SamplesPerBlock; ++i) {
        if (s[i].transparent) {
            continue;
        }
        const float wa = threeColour ? weight3[e.index[i]] : weight4[e.index[i]];
        const float wb = 1.0f - wa;
        aa += wa * wa;
        ab += wa * wb;
        bb += wb * wb;
        for (int ch = 0; ch < 3; ++ch) {
            ax[ch] += wa * s[i].c[ch];
            bx[ch] += wb * s[i].c[ch];
        }
    }
    const float det = aa * bb - ab * ab;
    if (std::fabs(det) < 1e-4f) {
        return false;
    }
    for (int ch = 0; ch < 3; ++ch) {
        a[ch] = (bb * ax[ch] - ab * bx[ch]) / det;
        b[ch] = (aa * bx[ch] - ab * ax[ch]) / det;
    }
    return true;
}

// End colours at the extremes of the samples along their principal axis.
void principalAxisEnds(const std::array<Sample, SamplesPerBlock>& s, float a[3], float b[3]) {
    float mean[3] = {0, 0, 0};
    int n = 0;
    for (const Sample& x : s) {
        if (!x.transparent) {
            for (int ch = 0; ch < 3; ++ch) {
                mean[ch] += x.c[ch];
            }
            ++n;
        }
    }
    for (float& m : mean) {
        m /= static_cast<float>(n);
    }
    float cov[3][3] = {};
    for (const Sample& x : s) {
        if (!x.transparent) {
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) {
                    cov[i][j] += (x.c[i] - mean[i]) * (x.c[j] - mean[j]);
                }
            }
        }
    }
    // Power iteration, started from the column of the channel that varies most.
    int start = 0;
    for (int i = 1; i < 3; ++i) {
        if (cov[i][i] > cov[start][start]) {
            start = i;
        }
    }
    float v[3] = {cov[0][start], cov[1][start], cov[2][start]};
    for (int iter = 0; iter < 8; ++iter) {
        float w[3];
        for (int i = 0; i < 3; ++i) {
            w[i] = cov[i][0] * v[0] + cov[i][1] * v[1] + cov[i][2] * v[2];
        }
        const float len = std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
        if (len < 1e-6f) {
            break;
        }
        for (int i = 0; i < 3; ++i) {
            v[i] = w[i] / len;
        }
    }
    const float len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    float tmin = 0, tmax = 0;
    if (len > 1e-6f) {
        for (float& x : v) {
            x /= len;
        }
        bool first = true;
        for (const Sample& x : s) {
            if (x.transparent) {
                continue;
            }
            const float t = (x.c[0] - mean[0]) * v[0] + (x.c[1] - mean[1]) * v[1] + (x.c[2] - mean[2]) * v[2];
            tmin = first ? t : std::min(tmin, t);
            tmax = first ? t : std::max(tmax, t);
            first = false;
        }
    }
    for (int ch = 0; ch < 3; ++ch) {
        a[ch] = mean[ch] + tmax * v[ch];
        b[ch] = mean[ch] + tmin * v[ch];
    }
}

Encoded encodeBlock(const std::array<Sample, SamplesPerBlock>& s, bool alpha) {
    bool anyOpaque = false, anyTransparent = false;
    for (const Sample& x : s) {
        (x.transparent ? anyTransparent : anyOpaque) = true;
    }
    if (!anyOpaque) {
        Encoded e;
        e.index.fill(3);
        return e;
    }
    const bool threeColour = alpha && anyTransparent;
    float a[3], b[3];
    principalAxisEnds(s, a, b);
    Encoded best = evaluate(s, threeColour, quantize565(a), quantize565(b));
    for (int iter = 0; iter < 3 && best.error > 0; ++iter) {
        if (!leastSquares(s, best, threeColour, a, b)) {
            break;
        }
        const Encoded next = evaluate(s, threeColour, quantize565(a), quantize565(b));
        if (next.error >= best.error) {
            break;
        }
        best = next;
    }
    return best;
}

// Blocks across and down a level, counted in size_t so that no dimension up to INT_MAX wraps.
std::size_t blocksAcross(Format format, int width) {
    const auto bw = static_cast<std::size_t>(blockWidth(format));
    const std::size_t w =
        std::max<std::size_t>(static_cast<std::size_t>(std::max(width, 0)), bw == 8 ? 16 : 8);
    return (w + bw - 1) / bw;
}

std::size_t blocksDown(int height) {
    const std::size_t h = std::max<std::size_t>(static_cast<std::size_t>(std::max(height, 0)), 8);
    return (h + BlockHeight - 1) / BlockHeight;
}

} // namespace

bool isFormat(std::uint32_t internalFormat) {
    return internalFormat >= Rgb4bpp && internalFormat <= Rgba2bpp;
}

int bitsPerPixel(Format format) {
    return format == Rgb2bpp || format == Rgba2bpp ? 2 : 4;
}

int blockWidth(Format format) {
    return bitsPerPixel(format) == 2 ? 8 : 4;
}

bool hasAlpha(Format format) {
    return format == Rgba4bpp || format == Rgba2bpp;
}

int paddedWidth(Format format, int width) {
    return static_cast<int>(blocksAcross(format, width) * static_cast<std::size_t>(blockWidth(format)));
}

int paddedHeight(Format, int height) {
    return static_cast<int>(blocksDown(height) * BlockHeight);
}

std::size_t levelSize(Format format, int width, int height) {
    return blocksAcross(format, width) * blocksDown(height) * BlockBytes;
}

void decodeBlock(Format format, const std::uint8_t block[8], std::uint8_t* rgba) {
    const auto c0 = static_cast<std::uint16_t>(readLe(block, 2));
    const auto c1 = static_cast<std::uint16_t>(readLe(block + 2, 2));
    const std::uint32_t bits = readLe(block + 4, 4);
    const Palette p = makePalette(hasAlpha(format), c0, c1);
    const int bw = blockWidth(format);
    const int pixelsPerIndex = bw / 4;
    for (int y = 0; y < BlockHeight; ++y) {
        for (int x = 0; x < bw; ++x) {
            const int index = static_cast<int>(bits >> (2 * (4 * y + x / pixelsPerIndex))) & 3;
            std::copy(p[index].begin(), p[index].end(), rgba + 4 * (y * bw + x));
        }
    }
}

std::vector<std::uint8_t> decodeLevel(Format format, int width, int height, const std::uint8_t* data,
                                      std::size_t size) {
    if (width <= 0 || height <= 0 || data == nullptr || size < levelSize(format, width, height)) {
        return {};
    }
    const auto bw = static_cast<std::size_t>(blockWidth(format));
    const std::size_t bh = BlockHeight;
    const std::size_t across = blocksAcross(format, width);
    const std::size_t down = blocksDown(height);
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    std::vector<std::uint8_t> out(w * h * 4);
    std::uint8_t pixels[8 * BlockHeight * 4];
    for (std::size_t by = 0; by < down; ++by) {
        for (std::size_t bx = 0; bx < across; ++bx) {
            decodeBlock(format, data + (by * across + bx) * BlockBytes, pixels);
            for (std::size_t y = 0; y < bh && by * bh + y < h; ++y) {
                for (std::size_t x = 0; x < bw && bx * bw + x < w; ++x) {
                    const std::size_t to = ((by * bh + y) * w + bx * bw + x) * 4;
                    std::copy_n(pixels + 4 * (y * bw + x), 4, out.begin() + static_cast<std::ptrdiff_t>(to));
                }
            }
        }
    }
    return out;
}

std::vector<std::uint8_t> encodeLevel(Format format, int width, int height, const std::uint8_t* rgba) {
    const int bw = blockWidth(format);
    const int pixelsPerIndex = bw / 4;
    const bool alpha = hasAlpha(format);
    const int blocksAcross = paddedWidth(format, width) / bw;
    const int blocksDown = paddedHeight(format, height) / BlockHeight;
    std::vector<std::uint8_t> out(levelSize(format, width, height));
    auto pixel = [&](int x, int y) {
        return rgba +
               (static_cast<std::size_t>(std::min(y, height - 1)) * width + std::min(x, width - 1)) * 4;
    };
    for (int by = 0; by < blocksDown; ++by) {
        for (int bx = 0; bx < blocksAcross; ++bx) {
            std::array<Sample, SamplesPerBlock> s;
            for (int i = 0; i < SamplesPerBlock; ++i) {
                const int x = bx * bw + (i % 4) * pixelsPerIndex, y = by * BlockHeight + i / 4;
                float sum[4] = {0, 0, 0, 0};
                for (int k = 0; k < pixelsPerIndex; ++k) {
                    const std::uint8_t* p = pixel(x + k, y);
                    for (int ch = 0; ch < 4; ++ch) {
                        sum[ch] += p[ch];
                    }
                }
                for (int ch = 0; ch < 3; ++ch) {
                    s[i].c[ch] = sum[ch] / static_cast<float>(pixelsPerIndex);
                }
                s[i].transparent = alpha && sum[3] < 128.0f * static_cast<float>(pixelsPerIndex);
            }
            const Encoded e = encodeBlock(s, alpha);
            std::uint32_t bits = 0;
            for (int i = 0; i < SamplesPerBlock; ++i) {
                bits |= static_cast<std::uint32_t>(e.index[i]) << (2 * i);
            }
            std::uint8_t* b = out.data() + (static_cast<std::size_t>(by) * blocksAcross + bx) * BlockBytes;
            b[0] = static_cast<std::uint8_t>(e.c0);
            b[1] = static_cast<std::uint8_t>(e.c0 >> 8);
            b[2] = static_cast<std::uint8_t>(e.c1);
            b[3] = static_cast<std::uint8_t>(e.c1 >> 8);
            for (int k = 0; k < 4; ++k) {
                b[4 + k] = static_cast<std::uint8_t>(bits >> (8 * k));
            }
        }
    }
    return out;
}

} // namespace platform::nymtc
