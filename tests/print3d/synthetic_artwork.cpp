#include "synthetic_artwork.h"

namespace {

void putWord(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

bool hasGlyph(int c) {
    return (c >= 1 && c <= 4) || (c > ' ' && c < 127);
}

} // namespace

std::vector<std::uint8_t> solidLogoFile(std::uint16_t rgb565) {
    std::vector<std::uint8_t> file(kLogoFileBytes);
    const std::uint32_t header[11] = {44, 128, 128, 7, 0x113, kLogoDataBytes, 16, 0xF800, 0x07E0, 0x001F, 0};
    for (int i = 0; i < 11; ++i) {
        putWord(file, 4 * i, header[i]);
    }
    for (std::size_t i = kLogoHeaderBytes; i < file.size(); i += 2) {
        file[i] = static_cast<std::uint8_t>(rgb565);
        file[i + 1] = static_cast<std::uint8_t>(rgb565 >> 8);
    }
    return file;
}

SyntheticArtwork::SyntheticArtwork()
    : font(kFontImageSize * kFontImageSize, 255), logoA(solidLogoFile(0xF800)), logoB(solidLogoFile(0x001F)) {
    for (int c = 0; c < 256; ++c) {
        if (!hasGlyph(c)) {
            continue;
        }
        largeU[c] = static_cast<float>(c % 16) / 16.0f;
        largeV[c] = 0.5313f;
        largeWidth[c] = GlyphWidth;
        smallU[c] = static_cast<float>(c % 16) / 16.0f;
        smallV[c] = 0.1055f;
        smallWidth[c] = 0.03125f;
    }
    largeWidth['1'] = 0.03125f;
    largeWidth['W'] = 0.125f;
    largeWidth['i'] = 0.0234f;
    largeU['A'] = 0.0039f;
    smallU['A'] = 0.0078f;
    smallV['A'] = 0.0469f;
    smallWidth['A'] = 0.0273f;
    // Icon i: every pixel 0x0i21 with source alpha bits 0x3, i.e. R 1, G 2, B i, alpha 12.
    for (std::size_t i = 0; i < icons.size(); ++i) {
        for (std::size_t p = 0; p < 256; ++p) {
            icons[i][kIconImageHeaderBytes + 2 * p] = 0x21;
            icons[i][kIconImageHeaderBytes + 2 * p + 1] = static_cast<std::uint8_t>(0x30 | i);
        }
    }
}

Print3DArtwork SyntheticArtwork::artwork() const {
    return {font.data(),
            {largeU.data(), largeV.data(), largeWidth.data()},
            {smallU.data(), smallV.data(), smallWidth.data()},
            {icons[0].data(), icons[1].data(), icons[2].data(), icons[3].data()},
            logoA.data(),
            logoB.data()};
}
