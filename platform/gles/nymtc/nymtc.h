#pragma once
// The block codec of GL_ZEB_texture_compression_nymtc: four compressed internal formats of 8-byte blocks
// (4 x 4 pixels at 4 bits per pixel, 8 x 4 at 2), two 565 end colours and 2-bit palette indices.
// The GL emulation decodes with it; the asset tool encodes with it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::nymtc {

// The internal formats, by their GL enum values.
enum Format : std::uint32_t {
    Rgb4bpp = 0x8C00,
    Rgb2bpp = 0x8C01,
    Rgba4bpp = 0x8C02,
    Rgba2bpp = 0x8C03,
};

// True for the four internal formats above.
bool isFormat(std::uint32_t internalFormat);
// 4 or 2.
int bitsPerPixel(Format format);
// Pixels across one block: 4 at 4 bpp, 8 at 2 bpp. Every block is 4 pixels high.
int blockWidth(Format format);
// Whether index 3 of a block with c0 <= c1 is transparent.
bool hasAlpha(Format format);

// The padded area a level of width x height is stored over (see the level layout): at least 8 x 8
// (16 x 8 at 2 bpp), rounded up to whole blocks. Dimensions must be positive and the padded one must fit
// an int, as it does for every level whose levelSize fits a GLsizei.
int paddedWidth(Format format, int width);
int paddedHeight(Format format, int height);
// Bytes of one level of width x height, exact for every positive int dimension.
std::size_t levelSize(Format format, int width, int height);

// One block decoded: 16 (4 bpp) or 32 (2 bpp) RGBA pixels, row by row, 4 bytes each.
void decodeBlock(Format format, const std::uint8_t block[8], std::uint8_t* rgba);

// Decodes one level into width x height RGBA 8888 pixels, row 0 first. Returns an empty vector when
// the dimensions are not positive or fewer than levelSize bytes are given.
std::vector<std::uint8_t> decodeLevel(Format format, int width, int height, const std::uint8_t* data,
                                      std::size_t size);

// Encodes width x height RGBA 8888 pixels (row 0 first) into one level of levelSize bytes. Blocks
// without transparent pixels get c0 > c1; in the RGBA formats a pixel with alpha < 128 is transparent
// and its block gets c0 <= c1 with index 3 there. The RGB formats ignore alpha. Padding outside the
// image repeats the edge pixels.
std::vector<std::uint8_t> encodeLevel(Format format, int width, int height, const std::uint8_t* rgba);

} // namespace platform::nymtc
