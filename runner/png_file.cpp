#include "runner/png_file.h"

#include "platform/input_file.h"
#include "platform/whole_file.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <unistd.h>

namespace runner {

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void flushNothing(png_structp) {}

// libpng's default handlers print to standard error; a failure is reported by the caller instead.
[[noreturn]] void failSilently(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

} // namespace

bool encodePngRows(std::vector<std::uint8_t>& out, int width, int height,
                   const std::function<const std::uint8_t*(int)>& row, const PngCompression& compression,
                   PngRowFormat rows) {
    out.clear();
    if (width <= 0 || height <= 0) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, failSilently, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        out.clear();
        return false;
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    if (compression.level >= 0) {
        png_set_compression_level(png, compression.level);
    }
    if (compression.filters >= 0) {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, compression.filters);
    }
    if (compression.strategy >= 0) {
        png_set_compression_strategy(png, compression.strategy);
    }
    const bool rgbFile = compression.dropAlpha || rows == PngRowFormat::Rgb;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 rgbFile ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (rgbFile && rows == PngRowFormat::Rgba) {
        png_set_filler(png, 0, PNG_FILLER_AFTER); // on writing, this strips the fourth byte of each pixel
    }
    for (int y = 0; y < height; ++y) {
        png_write_row(png, row(y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool encodePng(std::vector<std::uint8_t>& out, int width, int height, const std::uint8_t* rgba,
               std::size_t stride, bool bottomUp, const PngCompression& compression) {
    if (!rgba) {
        out.clear();
        return false;
    }
    if (stride == 0) {
        stride = static_cast<std::size_t>(width) * 4;
    }
    return encodePngRows(
        out, width, height,
        [&](int y) { return rgba + static_cast<std::size_t>(bottomUp ? height - 1 - y : y) * stride; },
        compression);
}

bool writePng(const std::string& path, int width, int height, const std::uint8_t* rgba, std::size_t stride,
              bool bottomUp, std::string* error) {
    std::vector<std::uint8_t> png;
    std::string failure;
    if (!encodePng(png, width, height, rgba, stride, bottomUp)) {
        failure = "cannot encode " + path;
    } else if (platform::writeWholeFile(path, {reinterpret_cast<const char*>(png.data()), png.size()},
                                        failure)) {
        return true;
    }
    if (error) {
        *error = failure;
    }
    return false;
}

PngRead readPngFile(const std::string& path, PngImage& image, std::string& why, int width, int height) {
    int fd = -1;
    const platform::InputOpen opened = platform::openRegularFile(path, fd, why);
    if (opened != platform::InputOpen::Opened) {
        return opened == platform::InputOpen::Missing ? PngRead::Missing : PngRead::Refused;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        why = std::strerror(errno);
        ::close(fd);
        return PngRead::Refused;
    }
    png_image reader{};
    reader.version = PNG_IMAGE_VERSION;
    // The header only: the size it declares is known before anything is allocated for the pixels.
    PngRead result = PngRead::Refused;
    if (!png_image_begin_read_from_stdio(&reader, file)) {
        why = std::string("it is not a PNG file (") + reader.message + ")";
    } else if (width > 0 ? reader.width != static_cast<png_uint_32>(width) ||
                               reader.height != static_cast<png_uint_32>(height)
                         : reader.width > maximumPngSide || reader.height > maximumPngSide) {
        why = "it is " + std::to_string(reader.width) + " x " + std::to_string(reader.height) + " pixels, " +
              (width > 0 ? "not " + std::to_string(width) + " x " + std::to_string(height)
                         : "more than " + std::to_string(maximumPngSide) + " on a side");
    } else {
        reader.format = PNG_FORMAT_RGBA;
        std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(reader));
        if (!png_image_finish_read(&reader, nullptr, pixels.data(), 0, nullptr)) {
            why = std::string("it is not a whole PNG file (") + reader.message + ")";
        } else {
            image.width = static_cast<int>(reader.width);
            image.height = static_cast<int>(reader.height);
            image.rgba = std::move(pixels);
            result = PngRead::Read;
        }
    }
    png_image_free(&reader);
    std::fclose(file);
    return result;
}

bool readPng(const std::string& path, PngImage& image) {
    std::string why;
    return readPngFile(path, image, why) == PngRead::Read;
}

} // namespace runner
