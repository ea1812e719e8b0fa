// Headerless raw RGB, RGBA, luminance and alpha files, sized by their length; and the JPEG stub.
#include <new>

#include "engine/raw_texture_pixels.h"
#include "engine/texture.h"
#include "engine/texture_loaders.h"
#include "files/nym_file.h"
#include "files/nym_trace.h"
#include "platform/gles/gl.h"

namespace {

struct RawSize {
    int height;
    int width;
};

constexpr RawSize kRawSizes[] = {{32, 64},   {64, 64},   {64, 128},  {128, 128},  {128, 256},
                                 {256, 256}, {256, 512}, {512, 512}, {512, 1024}, {1024, 1024}};

// Finds the dimensions and bits per pixel for a file length; false when no size matches.
bool rawSizeOf(int bytes, int mode, RawSize& size, int& bits) {
    for (const RawSize& entry : kRawSizes) {
        const int area = entry.height * entry.width;
        if (mode == 0) {
            if (bytes == area * 3) {
                bits = 24;
            } else if (bytes == area * 4) {
                bits = 32;
            } else {
                continue;
            }
        } else if (bytes == area) {
            bits = 8;
        } else {
            continue;
        }
        size = entry;
        return true;
    }
    return false;
}

GLenum unreducedFormat(int bits, int mode) {
    if (bits == 8) {
        return mode == 1 ? GL_LUMINANCE : GL_ALPHA;
    }
    return bits == 24 ? GL_RGB : GL_RGBA;
}

} // namespace

unsigned int RGBLoadTextureFromFile(NymTexture* texture, int mode) {
    NymTrace* trace = NymTrace::Instance();
    NymFile* file = new (std::nothrow) NymFile;
    if (file == nullptr) {
        trace->Print(1000, "RGBLoadTexture failed to create vfile\n");
        return 0;
    }
    if (!file->Open(texture->name, "rb")) {
        trace->Print(1000, "FAILED in attempt to RGBLoadTextureFromFile : %s\n", texture->name);
        delete file;
        return 0;
    }
    int bytes = file->Length();
    RawSize size{};
    int bits = 0;
    if (!rawSizeOf(bytes, mode, size, bits)) {
        trace->Print(1, "File is %d long, big problem\n", bytes);
        file->Close();
        delete file;
        return 0;
    }
    unsigned char* buffer = new (std::nothrow) unsigned char[2 * static_cast<std::size_t>(bytes)];
    if (buffer == nullptr) {
        trace->Print(1000, "Failed to allocate texture memory\n");
        file->Close();
        delete file;
        return 0;
    }
    file->Read(buffer, 1, bytes);
    file->Close();
    delete file;
    trace->Print(1, "%s is %d bits\n", texture->name, bits);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    texture->mipmap ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, texture->wrapS ? GL_REPEAT : GL_CLAMP_TO_EDGE);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, texture->wrapT ? GL_REPEAT : GL_CLAMP_TO_EDGE);

    const bool reduce = mode == 0 && texture->force16;
    const GLenum reducedFormat = bits == 24 ? GL_RGB : GL_RGBA;
    const GLenum reducedType = bits == 24 ? GL_UNSIGNED_SHORT_5_6_5 : GL_UNSIGNED_SHORT_4_4_4_4;
    const GLenum format = unreducedFormat(bits, mode);
    const char* sendingMessage = bits == 8    ? "Sending to OpenGL 8-bit\n"
                                 : bits == 24 ? "Sending to OpenGL 24-bit\n"
                                              : "Sending to OpenGL 32-bit\n";
    int width = size.width;
    int height = size.height;

    if (reduce) {
        const unsigned char* reduced = reduceTo16Bits(*texture, buffer, bytes, bits);
        glTexImage2D(GL_TEXTURE_2D, 0, reducedFormat, width, height, 0, reducedFormat, reducedType, reduced);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE, buffer);
    }

    if (texture->mipmap) {
        for (int level = 1; width > 1 && height > 1; ++level) {
            bytes /= 4;
            buildMipLevelInPlace(buffer, width, height, bits / 8);
            width /= 2;
            height /= 2;
            trace->Print(1, "Making MIP level %d for %s dest width %d bytes %d force16 %d\n", level,
                         texture->name, width, bytes, texture->force16);
            if (reduce) {
                const unsigned char* reduced = reduceTo16Bits(*texture, buffer, bytes, bits);
                trace->Print(1, "Sending to OpenGL\n");
                glTexImage2D(GL_TEXTURE_2D, level, reducedFormat, width, height, 0, reducedFormat,
                             reducedType, reduced);
            } else {
                trace->Print(1, sendingMessage);
                glTexImage2D(GL_TEXTURE_2D, level, format, width, height, 0, format, GL_UNSIGNED_BYTE,
                             buffer);
            }
            trace->Print(1, "Sent to OpenGL\n");
            trace->Print(1, "Did mip thing\n");
        }
    }

    delete[] buffer;
    texture->width = width;
    texture->height = height;
    texture->texname = name;
    return name;
}

unsigned int JPGLoadTextureFromFile(NymTexture* texture) {
    NymTrace::Instance()->Print(1000, "FAILED in attempt to JPGLoadTextureFromFile : %s\n", texture->name);
    return 0;
}
