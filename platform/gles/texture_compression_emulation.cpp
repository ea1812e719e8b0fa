// GL_ZEB_texture_compression_nymtc on a library that lacks it.
#include "platform/gles/emulation.h"
#include "platform/gles/emulation_state.h"
#include "platform/gles/kept_string.h"
#include "platform/gles/nymtc/nymtc.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform::gles {

namespace {

constexpr std::string_view extensionName = "GL_ZEB_texture_compression_nymtc";

const DispatchTable& next() {
    return *emulatedDriver;
}

GLenum pendingError = GL_NO_ERROR;
GLint unpackAlignment = 4;
bool dxt1HandOff = true;
bool dxt1Usable = true; // false once the library has refused a DXT1 level
CompressedPath lastPath = CompressedPath::None;

bool hasWord(std::string_view list, std::string_view word) {
    for (std::size_t at = list.find(word); at != std::string_view::npos; at = list.find(word, at + 1)) {
        const bool starts = at == 0 || list[at - 1] == ' ';
        const std::size_t end = at + word.size();
        if (starts && (end == list.size() || list[end] == ' ')) {
            return true;
        }
    }
    return false;
}

// The library's extension string with ours added. Every string handed out stays valid.
const GLubyte* extensionsWithOurs(const GLubyte* library) {
    const std::string base = library ? reinterpret_cast<const char*>(library) : "";
    const std::string full = hasWord(base, extensionName) ? base
                             : base.empty()               ? std::string(extensionName)
                                                          : base + " " + std::string(extensionName);
    return reinterpret_cast<const GLubyte*>(keptString(full));
}

bool libraryHasDxt1() {
    const auto* text = reinterpret_cast<const char*>(next().glGetString(GL_EXTENSIONS));
    return text && (hasWord(text, "GL_EXT_texture_compression_dxt1") ||
                    hasWord(text, "GL_EXT_texture_compression_s3tc"));
}

// Calls `upload` with GL_UNPACK_ALIGNMENT at 1, putting back the program's value after.
template <typename F> void withAlignmentOne(F upload) {
    if (unpackAlignment != 1) {
        next().glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    upload();
    if (unpackAlignment != 1) {
        next().glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    }
}

// The DXT1 blocks of a 4 bpp level: the stored blocks less the padding.
std::vector<std::uint8_t> dropPadding(nymtc::Format format, GLsizei width, GLsizei height,
                                      const std::uint8_t* data) {
    const int storedColumns = nymtc::paddedWidth(format, width) / 4;
    const int columns = (width + 3) / 4;
    const int rows = (height + 3) / 4;
    std::vector<std::uint8_t> blocks;
    blocks.reserve(static_cast<std::size_t>(columns * rows) * 8);
    for (int by = 0; by < rows; ++by) {
        const std::uint8_t* row = data + static_cast<std::size_t>(by * storedColumns) * 8;
        blocks.insert(blocks.end(), row, row + static_cast<std::size_t>(columns) * 8);
    }
    return blocks;
}

void emulatedCompressedTexImage2D(GLenum target, GLint level, GLenum internalformat, GLsizei width,
                                  GLsizei height, GLint border, GLsizei imageSize, const GLvoid* data) {
    if (!nymtc::isFormat(internalformat)) {
        next().glCompressedTexImage2D(target, level, internalformat, width, height, border, imageSize, data);
        return;
    }
    const auto format = static_cast<nymtc::Format>(internalformat);
    if (width <= 0 || height <= 0 || border != 0 || level < 0 || !data || imageSize < 0 ||
        static_cast<std::size_t>(imageSize) != nymtc::levelSize(format, width, height)) {
        if (pendingError == GL_NO_ERROR) {
            pendingError = GL_INVALID_VALUE;
        }
        return;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (dxt1HandOff && dxt1Usable && nymtc::bitsPerPixel(format) == 4 && libraryHasDxt1()) {
        // An error the program has not fetched yet is kept for it; the library's answer to the DXT1
        // level is looked at: Mesa lists the extension in ES 1 contexts but rejects the formats there.
        const GLenum earlier = next().glGetError();
        if (pendingError == GL_NO_ERROR) {
            pendingError = earlier;
        }
        const std::vector<std::uint8_t> blocks = dropPadding(format, width, height, bytes);
        const GLenum dxt1 =
            nymtc::hasAlpha(format) ? GL_COMPRESSED_RGBA_S3TC_DXT1_EXT : GL_COMPRESSED_RGB_S3TC_DXT1_EXT;
        next().glCompressedTexImage2D(target, level, dxt1, width, height, 0,
                                      static_cast<GLsizei>(blocks.size()), blocks.data());
        const GLenum error = next().glGetError();
        if (error != GL_INVALID_ENUM) {
            if (pendingError == GL_NO_ERROR) {
                pendingError = error;
            }
            lastPath = CompressedPath::Dxt1;
            return;
        }
        dxt1Usable = false;
    }
    std::vector<std::uint8_t> pixels =
        nymtc::decodeLevel(format, width, height, bytes, static_cast<std::size_t>(imageSize));
    GLenum pixelFormat = GL_RGBA;
    if (!nymtc::hasAlpha(format)) {
        // Opaque formats become GL_RGB textures, as the handheld's library made them.
        std::size_t out = 0;
        for (std::size_t in = 0; in < pixels.size(); in += 4) {
            pixels[out++] = pixels[in];
            pixels[out++] = pixels[in + 1];
            pixels[out++] = pixels[in + 2];
        }
        pixels.resize(out);
        pixelFormat = GL_RGB;
    }
    withAlignmentOne([&] {
        next().glTexImage2D(target, level, static_cast<GLint>(pixelFormat), width, height, 0, pixelFormat,
                            GL_UNSIGNED_BYTE, pixels.data());
    });
    lastPath = CompressedPath::Decoded;
}

GLenum emulatedGetError() {
    if (pendingError != GL_NO_ERROR) {
        const GLenum error = pendingError;
        pendingError = GL_NO_ERROR;
        return error;
    }
    return next().glGetError();
}

const GLubyte* emulatedGetString(GLenum name) {
    const GLubyte* text = next().glGetString(name);
    return name == GL_EXTENSIONS ? extensionsWithOurs(text) : text;
}

void emulatedPixelStorei(GLenum pname, GLint param) {
    next().glPixelStorei(pname, param);
    if (pname == GL_UNPACK_ALIGNMENT && (param == 1 || param == 2 || param == 4 || param == 8)) {
        unpackAlignment = param;
    }
}

} // namespace

void setDxt1HandOff(bool enabled) {
    dxt1HandOff = enabled;
}

CompressedPath lastCompressedPath() {
    return lastPath;
}

void emulateTextureCompression(DispatchTable& table) {
    table.glCompressedTexImage2D = emulatedCompressedTexImage2D;
    table.glGetError = emulatedGetError;
    table.glGetString = emulatedGetString;
    table.glPixelStorei = emulatedPixelStorei;
}

} // namespace platform::gles
