#include "art/legacy_texture.h"

#include "platform/gles/nymtc/nymtc.h"

#include <cmath>
#include <limits>

namespace art {

namespace {

namespace tc = platform::nymtc;

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    return static_cast<std::uint32_t>(in[at]) | static_cast<std::uint32_t>(in[at + 1]) << 8 |
           static_cast<std::uint32_t>(in[at + 2]) << 16 | static_cast<std::uint32_t>(in[at + 3]) << 24;
}

// n-bit channel from an 8-bit one, rounded.
std::uint32_t narrow(std::uint8_t v, int bits) {
    const std::uint32_t maxValue = (1u << bits) - 1;
    return (v * maxValue + 127) / 255;
}

std::uint8_t widen(std::uint32_t v, int bits) {
    const std::uint32_t maxValue = (1u << bits) - 1;
    return static_cast<std::uint8_t>((v * 255 + maxValue / 2) / maxValue);
}

void appendLevel(std::vector<std::uint8_t>& out, const Image& level, PixelFormat format, bool alpha) {
    const std::vector<std::uint8_t> rgba = toRgba8(level);
    if (format == PixelFormat::Compressed4bpp) {
        const auto blocks =
            tc::encodeLevel(alpha ? tc::Rgba4bpp : tc::Rgb4bpp, level.width(), level.height(), rgba.data());
        out.insert(out.end(), blocks.begin(), blocks.end());
        return;
    }
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        std::uint32_t v;
        if (format == PixelFormat::Rgb565) {
            v = narrow(rgba[i], 5) << 11 | narrow(rgba[i + 1], 6) << 5 | narrow(rgba[i + 2], 5);
        } else {
            v = narrow(rgba[i], 4) << 12 | narrow(rgba[i + 1], 4) << 8 | narrow(rgba[i + 2], 4) << 4 |
                narrow(rgba[i + 3], 4);
        }
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
}

} // namespace

std::vector<std::uint8_t> encodeLegacyTexture(const Image& top, PixelFormat format, int mipCount,
                                              bool alphaMask) {
    std::vector<std::uint8_t> data;
    Image level = top;
    for (int i = 0; i <= mipCount; ++i) {
        if (i > 0) {
            level = halve(level);
        }
        appendLevel(data, level, format, alphaMask);
    }
    LegacyHeader h{};
    h.headerSize = LegacyHeaderBytes;
    h.height = static_cast<std::uint32_t>(top.height());
    h.width = static_cast<std::uint32_t>(top.width());
    h.mipCount = static_cast<std::uint32_t>(mipCount);
    h.dataSize = static_cast<std::uint32_t>(data.size());
    switch (format) {
    case PixelFormat::Compressed4bpp:
        h.flags = 0x119;
        h.bitsPerPixel = 4;
        h.alphaMask = alphaMask ? 1 : 0;
        break;
    case PixelFormat::Rgb565:
        h.flags = 0x113;
        h.bitsPerPixel = 16;
        h.redMask = 0xF800;
        h.greenMask = 0x07E0;
        h.blueMask = 0x001F;
        break;
    case PixelFormat::Rgba4444:
        h.flags = 0x110;
        h.bitsPerPixel = 16;
        h.redMask = 0xF000;
        h.greenMask = 0x0F00;
        h.blueMask = 0x00F0;
        h.alphaMask = 0x000F;
        break;
    }
    std::vector<std::uint8_t> out;
    out.reserve(LegacyHeaderBytes + data.size());
    for (std::uint32_t v : {h.headerSize, h.height, h.width, h.mipCount, h.flags, h.dataSize, h.bitsPerPixel,
                            h.redMask, h.greenMask, h.blueMask, h.alphaMask}) {
        put32(out, v);
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

bool readLegacyHeader(const std::vector<std::uint8_t>& file, LegacyHeader& h) {
    if (file.size() < LegacyHeaderBytes) {
        return false;
    }
    std::uint32_t* fields[] = {&h.headerSize, &h.height,   &h.width,        &h.mipCount,
                               &h.flags,      &h.dataSize, &h.bitsPerPixel, &h.redMask,
                               &h.greenMask,  &h.blueMask, &h.alphaMask};
    for (std::size_t i = 0; i < 11; ++i) {
        *fields[i] = get32(file, 4 * i);
    }
    return true;
}

std::vector<std::uint8_t> decodeLegacyTopLevel(const std::vector<std::uint8_t>& file) {
    LegacyHeader h;
    if (!readLegacyHeader(file, h) || h.headerSize > file.size() || h.width == 0 || h.height == 0) {
        return {};
    }
    const int w = static_cast<int>(h.width), ht = static_cast<int>(h.height);
    const std::uint8_t* data = file.data() + h.headerSize;
    const std::size_t available = file.size() - h.headerSize;
    const std::uint32_t code = h.flags & 0xFF;
    if (code == 0x19) {
        return tc::decodeLevel(h.alphaMask != 0 ? tc::Rgba4bpp : tc::Rgb4bpp, w, ht, data, available);
    }
    if ((code != 0x13 && code != 0x10) || available < static_cast<std::size_t>(w) * ht * 2) {
        return {};
    }
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(w) * ht * 4);
    for (std::size_t i = 0; i < static_cast<std::size_t>(w) * ht; ++i) {
        const std::uint32_t v = data[2 * i] | static_cast<std::uint32_t>(data[2 * i + 1]) << 8;
        if (code == 0x13) {
            out.insert(out.end(), {widen(v >> 11, 5), widen(v >> 5 & 63, 6), widen(v & 31, 5), 255});
        } else {
            out.insert(out.end(),
                       {widen(v >> 12, 4), widen(v >> 8 & 15, 4), widen(v >> 4 & 15, 4), widen(v & 15, 4)});
        }
    }
    return out;
}

double psnr(const std::vector<std::uint8_t>& reference, const std::vector<std::uint8_t>& decoded,
            bool cutout) {
    if (reference.size() != decoded.size() || reference.empty()) {
        return 0.0;
    }
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t i = 0; i < reference.size(); i += 4) {
        const bool clear = cutout && reference[i + 3] < 128;
        for (int ch = 0; ch < (cutout ? 4 : 3); ++ch) {
            int expected = reference[i + ch];
            if (cutout && ch == 3) {
                expected = clear ? 0 : 255;
            } else if (clear) {
                expected = 0;
            }
            const double d = expected - decoded[i + ch];
            sum += d * d;
            ++count;
        }
    }
    if (sum == 0) {
        return std::numeric_limits<double>::infinity();
    }
    const double mse = sum / static_cast<double>(count);
    return 10.0 * std::log10(255.0 * 255.0 / mse);
}

} // namespace art
