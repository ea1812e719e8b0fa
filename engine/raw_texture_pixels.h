#pragma once
// Pixel work of the raw texture loader: mip levels built in place and the reduction to 16 bits.

struct NymTexture;

// Overwrites the start of data with the next mip level of a width x height image of bytesPerPixel
// interleaved 8-bit channels: each channel of each destination pixel is the truncated mean of its 2 x 2
// source block. Every destination byte lies at or before the source bytes still to be read.
void buildMipLevelInPlace(unsigned char* data, int width, int height, int bytesPerPixel);

// Byte offset of the 16-bit copy that reduceTo16Bits writes after `bytes` bytes of 8-bit data.
inline int reducedCopyOffset(int bytes) {
    return (bytes + 4) & ~3;
}

// Cuts bytes of 24-bit (RGB) or 32-bit (RGBA) pixels down to 565 or 4444 pixels, written low byte first
// at reducedCopyOffset(bytes) in the same buffer, with the texture's dither setting. The texture's dither
// positions restart each time. Returns the 16-bit copy.
unsigned char* reduceTo16Bits(NymTexture& texture, unsigned char* buffer, int bytes, int bits);
