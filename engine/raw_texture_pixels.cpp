#include "engine/raw_texture_pixels.h"

#include <cstdint>

#include "engine/dither_table.h"
#include "engine/texture.h"
#include "files/nym_trace.h"

void buildMipLevelInPlace(unsigned char* data, int width, int height, int bytesPerPixel) {
    const int sourceRow = width * bytesPerPixel;
    const int destinationRow = (width / 2) * bytesPerPixel;
    for (int y = 0; y < height / 2; ++y) {
        const unsigned char* top = data + 2 * y * sourceRow;
        const unsigned char* bottom = top + sourceRow;
        unsigned char* out = data + y * destinationRow;
        for (int x = 0; x < width / 2; ++x) {
            for (int c = 0; c < bytesPerPixel; ++c) {
                const int left = 2 * x * bytesPerPixel + c;
                const int right = left + bytesPerPixel;
                out[x * bytesPerPixel + c] =
                    static_cast<unsigned char>((top[left] + top[right] + bottom[left] + bottom[right]) >> 2);
            }
        }
    }
}

namespace {

// One channel after the optional noise: a zero channel stays zero, a sum above 255 saturates.
int ditheredChannel(NymTexture& texture, int channel, int value, int shift) {
    if (!texture.dither) {
        return value;
    }
    int& position = texture.ditherIndex[channel];
    const int noise = ditherTable[position];
    if (++position >= kDitherWrap) {
        position = 0;
    }
    const int sum = value + (noise >> shift);
    if (sum > 255) {
        return 255;
    }
    return value == 0 ? 0 : sum;
}

} // namespace

unsigned char* reduceTo16Bits(NymTexture& texture, unsigned char* buffer, int bytes, int bits) {
    NymTrace* trace = NymTrace::Instance();
    trace->Print(1, "Truncating, data=0x%x bits==%d bytes=%d\n",
                 static_cast<int>(reinterpret_cast<std::uintptr_t>(buffer)), bits, bytes);
    trace->Print(1, "casting to short *\n");
    trace->Print(1, "Truncate, bits = %d\n", bits);
    for (int c = 0; c < 4; ++c) {
        texture.ditherIndex[c] = kDitherStart[c];
    }
    unsigned char* out = buffer + reducedCopyOffset(bytes);
    if (bits == 24) {
        const int pixels = bytes / 3;
        for (int i = 0; i < pixels; ++i) {
            const unsigned char* p = buffer + 3 * i;
            const int r = ditheredChannel(texture, 0, p[0], 6);
            const int g = ditheredChannel(texture, 1, p[1], 5);
            const int b = ditheredChannel(texture, 2, p[2], 6);
            const int packed = ((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3);
            out[2 * i] = static_cast<unsigned char>(packed);
            out[2 * i + 1] = static_cast<unsigned char>(packed >> 8);
        }
    } else {
        const int pixels = bytes / 4;
        for (int i = 0; i < pixels; ++i) {
            const unsigned char* p = buffer + 4 * i;
            const int r = ditheredChannel(texture, 0, p[0], 4);
            const int g = ditheredChannel(texture, 1, p[1], 4);
            const int b = ditheredChannel(texture, 2, p[2], 4);
            const int a = ditheredChannel(texture, 3, p[3], 4);
            const int packed = ((r & 0xF0) << 8) | ((g & 0xF0) << 4) | (b & 0xF0) | (a >> 4);
            out[2 * i] = static_cast<unsigned char>(packed);
            out[2 * i + 1] = static_cast<unsigned char>(packed >> 8);
        }
    }
    trace->Print(1, "Truncated, bits==%d bytes=%d\n", bits, bytes);
    return out;
}
