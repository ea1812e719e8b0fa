#pragma once

#include <cstddef>
#include <cstdint>

// The overlay's compiled-in artwork, defined by the generated assets (assets/print3d/).

// Font coverage image: 256 x 256 bytes, one coverage byte per texel (0 transparent, 255 opaque).
// Rows are stored bottom-up, as the GL takes them: array row r holds texture v from r/256 to (r+1)/256,
// so a glyph whose table v is V has its top scan line near array row V x 256 - 1 and grows towards
// lower rows. The large font lies in the upper part (rows towards 255), the small font at the bottom.
inline constexpr std::size_t kFontImageSize = 256;
extern const std::uint8_t fontImage[kFontImageSize * kFontImageSize];

// Glyph tables, indexed by character code (unsigned byte), in texture units (0 to 1): u of the glyph's
// left edge, v of its top edge, and its width. Codes without a glyph (space included) have all three 0.
// Large font: row tops at v = 1.0, 0.8828, 0.7656, 0.6484, 0.5313, 0.4141, 0.2969; a glyph is 29/255
// high and its drawn top lies 1/230 below its table v. Small font: row tops at v = 0.1641, 0.1055,
// 0.0469; a glyph is 12/255 high and its drawn top lies 0.0001 below its table v.
inline constexpr std::size_t kFontTableSize = 256;
extern const float fontLargeU[kFontTableSize];
extern const float fontLargeV[kFontTableSize];
extern const float fontLargeWidth[kFontTableSize];
extern const float fontSmallU[kFontTableSize];
extern const float fontSmallV[kFontTableSize];
extern const float fontSmallWidth[kFontTableSize];

// Four 16 x 16 images, each a 16-byte header (skipped, its content is free) followed by 256
// little-endian 16-bit pixels, rows top first: R in bits 0-3, G in bits 4-7, B in bits 8-11 and
// 15 - alpha in bits 12-15.
inline constexpr std::size_t kIconImageCount = 4;
inline constexpr std::size_t kIconImageHeaderBytes = 16;
inline constexpr std::size_t kIconImageBytes = kIconImageHeaderBytes + 16 * 16 * 2;
extern const std::uint8_t iconImages[kIconImageCount][kIconImageBytes];

// Logo A and logo B: 128 x 128 legacy texture files. A 44-byte header of eleven little-endian 32-bit
// words (header size 44, height 128, width 128, mip-map count 7, flags 0x113 = RGB 565 with mip-map
// levels, data size 43690, bits per pixel 16, masks 0xF800, 0x07E0, 0x001F, 0), then the levels
// 128 x 128 down to 1 x 1 as little-endian RGB 565, rows top first (texture t = 0 is the top of the
// drawn quad). Only the top level, the 32768 bytes right after the header, is uploaded.
inline constexpr std::size_t kLogoHeaderBytes = 44;
inline constexpr std::size_t kLogoSize = 128;
inline constexpr std::size_t kLogoTopLevelBytes = kLogoSize * kLogoSize * 2;
inline constexpr std::size_t kLogoDataBytes = 43690; // 128x128 down to 1x1 at 2 bytes per pixel
inline constexpr std::size_t kLogoFileBytes = kLogoHeaderBytes + kLogoDataBytes;
extern const std::uint8_t logoA[kLogoFileBytes];
extern const std::uint8_t logoB[kLogoFileBytes];
