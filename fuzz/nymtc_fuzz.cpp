// The block-compressed texture formats: one level handed to glCompressedTexImage2D of the extension
// emulation in front of the record driver (decoded, or passed on as DXT1 to a library that offers it and
// may refuse it), and to the decoder directly.
// Input: one byte of choices (format, whether the library offers DXT1, whether it refuses it), width and
// height as little-endian 32-bit numbers, then the level's data.
#include "fuzz/fuzz_check.h"
#include "fuzz/record_environment.h"
#include "platform/gles/emulation.h"
#include "platform/gles/gl.h"
#include "platform/gles/nymtc/nymtc.h"

#include <algorithm>

namespace {

using platform::nymtc::Format;

std::int32_t readInt32(const std::uint8_t* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = v << 8 | p[i];
    }
    return static_cast<std::int32_t>(v);
}

// The bytes of a level, worked out apart from the codec in 64 bits: whole blocks over the padded area.
std::int64_t expectedLevelSize(Format format, std::int64_t width, std::int64_t height) {
    const std::int64_t blockWidth = platform::nymtc::bitsPerPixel(format) == 2 ? 8 : 4;
    const std::int64_t w = std::max<std::int64_t>(width, blockWidth == 8 ? 16 : 8);
    const std::int64_t h = std::max<std::int64_t>(height, 8);
    return (w + blockWidth - 1) / blockWidth * ((h + 3) / 4) * 8;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::RecordEnvironment e(fuzz::RecordEnvironment::Emulation::On);
    if (size < 9) {
        return 0;
    }
    const std::uint8_t choices = data[0];
    const auto format = static_cast<Format>(Format::Rgb4bpp + (choices & 3));
    const bool offersDxt1 = (choices & 4) != 0;
    const bool refusesDxt1 = (choices & 8) != 0;
    const std::int32_t width = readInt32(data + 1);
    const std::int32_t height = readInt32(data + 5);
    const std::uint8_t* level = data + 9;
    const std::size_t levelBytes = size - 9;
    const bool positive = width > 0 && height > 0;
    const std::int64_t expected = positive ? expectedLevelSize(format, width, height) : 0;
    const auto given = static_cast<std::int64_t>(levelBytes);

    // The decoder on its own takes a level with data to spare.
    const std::vector<std::uint8_t> pixels =
        platform::nymtc::decodeLevel(format, width, height, levelBytes ? level : nullptr, levelBytes);
    if (positive && given >= expected) {
        FUZZ_CHECK(pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    } else {
        FUZZ_CHECK(pixels.empty());
    }

    // The GL wants the level's size exactly.
    const bool valid = positive && given == expected;
    e.driver.setGlString(GL_EXTENSIONS, offersDxt1 ? "GL_EXT_texture_compression_dxt1" : "");
    if (valid && offersDxt1 && refusesDxt1 && platform::nymtc::bitsPerPixel(format) == 4) {
        // The error before the level, then the library's answer to the DXT1 level.
        e.driver.pushGlError(GL_NO_ERROR);
        e.driver.pushGlError(GL_INVALID_ENUM);
    }
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0,
                           static_cast<GLsizei>(std::min<std::size_t>(levelBytes, INT32_MAX)), level);
    const GLenum error = glGetError();
    const std::size_t uploads = e.driver.log({"glTexImage2D", "glCompressedTexImage2D"}).size();
    if (valid) {
        FUZZ_CHECK(error == GL_NO_ERROR && uploads >= 1);
    } else {
        FUZZ_CHECK(error == GL_INVALID_VALUE && uploads == 0);
    }
    // Scripted errors that were not asked for (a library refused DXT1 once already) are dropped.
    while (glGetError() != GL_NO_ERROR) {
    }
    e.driver.clearLog();
    return 0;
}
