#pragma once
// Legacy texture files: a 44-byte header of eleven little-endian 32-bit words, then every mip level
// from the top down. The levels below the top are filtered from the painted top level.
#include "art/image.h"

#include <cstdint>
#include <vector>

namespace art {

enum class PixelFormat {
    Compressed4bpp, // flags 0x119
    Rgb565,         // flags 0x113
    Rgba4444,       // flags 0x110
};

struct LegacyHeader {
    std::uint32_t headerSize, height, width, mipCount, flags, dataSize, bitsPerPixel;
    std::uint32_t redMask, greenMask, blueMask, alphaMask;
};

constexpr std::size_t LegacyHeaderBytes = 44;

// A file of `top` and `mipCount` levels below it. For the compressed format a nonzero alpha mask
// selects the RGBA variant (transparent where alpha < 128).
std::vector<std::uint8_t> encodeLegacyTexture(const Image& top, PixelFormat format, int mipCount,
                                              bool alphaMask = false);

// False when the bytes are too short for a header.
bool readLegacyHeader(const std::vector<std::uint8_t>& file, LegacyHeader& header);

// The top level decoded back to RGBA 8888, row 0 first; empty when the file is malformed.
std::vector<std::uint8_t> decodeLegacyTopLevel(const std::vector<std::uint8_t>& file);

// Peak signal-to-noise ratio in dB of `decoded` against `reference` (both RGBA 8888) over the colour
// channels. With `cutout`, the reference is first cut at alpha 128 (transparent pixels count as
// transparent black) and alpha is compared too. Identical images give +infinity.
double psnr(const std::vector<std::uint8_t>& reference, const std::vector<std::uint8_t>& decoded,
            bool cutout);

} // namespace art
