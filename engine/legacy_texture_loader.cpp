// The legacy texture file: eleven little-endian 32-bit header words, then the levels from the top down.
#include <algorithm>
#include <cstdint>
#include <new>

#include "engine/texture.h"
#include "engine/texture_loaders.h"
#include "files/nym_file.h"
#include "files/nym_trace.h"
#include "platform/gles/gl.h"

namespace {

constexpr std::size_t kHeaderBytes = 44;

enum HeaderWord {
    kHeaderSize = 0,
    kHeight = 1,
    kWidth = 2,
    kMipCount = 3,
    kFlags = 4,
    kDataSize = 5,
    kBitsPerPixel = 6,
    kAlphaMask = 10,
};

constexpr std::uint32_t kFlagMipMaps = 0x100;
constexpr std::uint32_t kFlagTwiddled = 0x200;
constexpr std::uint32_t kCompressed2bpp = 0x18;
constexpr std::uint32_t kCompressed4bpp = 0x19;

// No GL level beyond 31 can exist; a larger count only comes from a damaged file.
constexpr std::uint32_t kMaxLastLevel = 31;

std::uint32_t headerWord(const unsigned char* header, int index) {
    const unsigned char* p = header + 4 * index;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// How one pixel-format code is sent to the GL; a non-null rejection means it is not sent at all.
struct UploadFormat {
    const char* rejection = nullptr;
    bool compressed = false;
    GLenum format = 0;               // uncompressed: format and internal format; compressed: internal format
    GLenum type = 0;                 // uncompressed only
    std::uint32_t bytesPerPixel = 0; // uncompressed: what the GL reads per pixel
};

UploadFormat uploadFormat(std::uint32_t code, std::uint32_t alphaMask) {
    switch (code) {
    case 0x10:
        return {nullptr, false, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4, 2};
    case 0x11:
        return {nullptr, false, GL_RGBA, GL_UNSIGNED_SHORT_5_5_5_1, 2};
    case 0x12:
        return {nullptr, false, GL_RGBA, GL_UNSIGNED_BYTE, 4};
    case 0x13:
        return {nullptr, false, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 2};
    case 0x15:
        return {nullptr, false, GL_RGB, GL_UNSIGNED_BYTE, 3};
    case 0x16:
        return {nullptr, false, GL_LUMINANCE, GL_UNSIGNED_BYTE, 1};
    case 0x17:
        return {nullptr, false, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, 2};
    case kCompressed2bpp:
        return {nullptr, true, alphaMask != 0 ? 0x8C03u : 0x8C01u, 0, 0};
    case kCompressed4bpp:
        return {nullptr, true, alphaMask != 0 ? 0x8C02u : 0x8C00u, 0, 0};
    default:
        break;
    }
    if (code <= 0x08 || code == 0x0C || code == 0x0D) {
        return {"Non-OGL Specific texture format - please re-export using OGL version of texture format\n"};
    }
    return {"Unsupported or unknown texture format found.\n"};
}

// Bytes one stored level occupies in the file. Compressed levels are stored at least one block area
// large: 16 x 8 pixels at 2 bits per pixel, 8 x 8 at 4. Saturates instead of overflowing.
std::uint64_t storedLevelBytes(std::uint32_t code, std::uint64_t width, std::uint64_t height,
                               std::uint64_t bits) {
    if (code == kCompressed2bpp) {
        width = std::max<std::uint64_t>(width, 16);
        height = std::max<std::uint64_t>(height, 8);
    } else if (code == kCompressed4bpp) {
        width = std::max<std::uint64_t>(width, 8);
        height = std::max<std::uint64_t>(height, 8);
    }
    const std::uint64_t area = width * height; // both below 2^32
    if (bits != 0 && area > (UINT64_MAX - 7) / bits) {
        return UINT64_MAX;
    }
    return (area * bits + 7) / 8;
}

std::uint32_t halved(std::uint32_t size) {
    return std::max<std::uint32_t>(1, size >> 1);
}

// True when every stored level lies inside the pixel data and the pixel data inside the buffer, counting
// for each level both its stored size and what the GL will read for it.
bool levelsFitBuffer(const unsigned char* header, std::size_t bufferSize, const UploadFormat& upload,
                     std::uint32_t code, std::uint32_t lastLevel) {
    const std::uint64_t end = std::uint64_t{headerWord(header, kHeaderSize)} + headerWord(header, kDataSize);
    if (end > bufferSize || lastLevel > kMaxLastLevel) {
        return false;
    }
    std::uint64_t offset = headerWord(header, kHeaderSize);
    std::uint32_t width = headerWord(header, kWidth);
    std::uint32_t height = headerWord(header, kHeight);
    const std::uint32_t bits = headerWord(header, kBitsPerPixel);
    for (std::uint32_t level = 0; level <= lastLevel; ++level) {
        const std::uint64_t stored = storedLevelBytes(code, width, height, bits);
        const std::uint64_t read =
            upload.compressed ? stored : std::uint64_t{width} * height * upload.bytesPerPixel;
        if (stored > end - offset || read > end - offset) {
            return false;
        }
        offset += stored;
        width = halved(width);
        height = halved(height);
    }
    return true;
}

unsigned int failed(unsigned int result) {
    NymTrace::Instance()->Print(1, "Texture loading failed !\n");
    return result;
}

} // namespace

unsigned int UploadTextureFromHeader(const void* buffer, std::size_t bufferSize, int skipLevels,
                                     unsigned int* outName, int mipmap, int wrapS, int wrapT) {
    *outName = 0;
    if (bufferSize < kHeaderBytes) {
        return failed(1);
    }
    const auto* header = static_cast<const unsigned char*>(buffer);
    const std::uint32_t flags = headerWord(header, kFlags);
    const std::uint32_t code = flags & 0xFF;

    if ((flags & kFlagTwiddled) != 0 && code != kCompressed2bpp && code != kCompressed4bpp) {
        NymTrace::Instance()->Print(1, "Pre-Twiddled Texture data not supported !\n");
        return failed(1);
    }
    const UploadFormat upload = uploadFormat(code, headerWord(header, kAlphaMask));
    if (upload.rejection != nullptr) {
        NymTrace::Instance()->Print(1, upload.rejection);
        return failed(1);
    }
    const std::uint32_t lastLevel = (flags & kFlagMipMaps) != 0 ? headerWord(header, kMipCount) : 0;
    if (!levelsFitBuffer(header, bufferSize, upload, code, lastLevel)) {
        return failed(1);
    }

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        return failed(error);
    }
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmap ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS ? GL_REPEAT : GL_CLAMP_TO_EDGE);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT ? GL_REPEAT : GL_CLAMP_TO_EDGE);
    error = glGetError();
    if (error != GL_NO_ERROR) {
        return failed(error);
    }

    const unsigned char* data = header + headerWord(header, kHeaderSize);
    std::uint32_t width = headerWord(header, kWidth);
    std::uint32_t height = headerWord(header, kHeight);
    const std::uint32_t bits = headerWord(header, kBitsPerPixel);
    for (std::uint32_t level = 0; level <= lastLevel; ++level) {
        const auto size = static_cast<std::size_t>(storedLevelBytes(code, width, height, bits));
        if (static_cast<std::int64_t>(level) >= skipLevels) {
            const GLint glLevel = static_cast<GLint>(level) - skipLevels;
            if (upload.compressed) {
                glCompressedTexImage2D(GL_TEXTURE_2D, glLevel, upload.format, static_cast<GLsizei>(width),
                                       static_cast<GLsizei>(height), 0, static_cast<GLsizei>(size), data);
            } else {
                glTexImage2D(GL_TEXTURE_2D, glLevel, static_cast<GLint>(upload.format),
                             static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, upload.format,
                             upload.type, data);
            }
        }
        error = glGetError();
        if (error != GL_NO_ERROR) {
            return failed(error);
        }
        data += size;
        width = halved(width);
        height = halved(height);
    }
    *outName = name;
    return 0;
}

unsigned int NymLoadTextureFromFile(NymTexture* texture) {
    NymTrace* trace = NymTrace::Instance();
    NymFile* headerFile = new (std::nothrow) NymFile;
    NymFile* dataFile = new (std::nothrow) NymFile;
    if (headerFile == nullptr || dataFile == nullptr) {
        trace->Print(1000, "RGBLoadTexture failed to create vfile\n");
        delete headerFile;
        delete dataFile;
        return 0;
    }
    if (!headerFile->Open(texture->name, "rb")) {
        trace->Print(1000, "FAILED in attempt to NymLoadTextureFromFile : %s\n", texture->name);
        delete headerFile;
        delete dataFile;
        return 0;
    }
    unsigned char header[kHeaderBytes] = {};
    headerFile->Read(header, static_cast<int>(kHeaderBytes), 1);
    texture->width = static_cast<int>(headerWord(header, kWidth));
    texture->height = static_cast<int>(headerWord(header, kHeight));
    const int fileLength = headerFile->Length();
    headerFile->Close();

    // A header that claims more bytes than the file holds is refused before anything is allocated.
    const std::uint64_t total =
        std::uint64_t{headerWord(header, kHeaderSize)} + headerWord(header, kDataSize);
    if ((fileLength >= 0 && total > static_cast<std::uint64_t>(fileLength)) || total > INT32_MAX) {
        failed(1);
        trace->Print(1000, "FAILED to load texture inside NymLoadTextureFromFile : %s\n", texture->name);
        delete headerFile;
        delete dataFile;
        texture->texname = 0;
        return 0;
    }
    unsigned char* buffer = new (std::nothrow) unsigned char[total];
    if (!dataFile->Open(texture->name, "rb")) {
        trace->Print(1000, "FAILED in attempt to NymLoadTextureFromFile : %s\n", texture->name);
        delete[] buffer;
        delete headerFile;
        delete dataFile;
        return 0;
    }
    unsigned int name = 0;
    if (buffer == nullptr) {
        trace->Print(1000, "FAILED to allocate memory inside NymLoadTextureFromFile : %s\n", texture->name);
    } else {
        const int bytesRead = dataFile->Read(buffer, 1, static_cast<int>(total));
        const std::size_t available = bytesRead > 0 ? static_cast<std::size_t>(bytesRead) : 0;
        if (UploadTextureFromHeader(buffer, available, 0, &name, texture->mipmap, texture->wrapS,
                                    texture->wrapT) != 0) {
            trace->Print(1000, "FAILED to load texture inside NymLoadTextureFromFile : %s\n", texture->name);
        } else {
            trace->Print(1, "SUCCESS loaded texture using NymLoadTextureFromFile : %s\n", texture->name);
        }
    }
    delete[] buffer;
    dataFile->Close();
    delete headerFile;
    delete dataFile;
    texture->texname = name;
    return name;
}
