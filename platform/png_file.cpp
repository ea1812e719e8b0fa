#include "platform/png_file.h"

#include <csetjmp>
#include <cstdio>
#include <png.h>

namespace platform {

namespace {

struct File {
    std::FILE* f;
    ~File() {
        if (f) {
            std::fclose(f);
        }
    }
};

} // namespace

bool writePng(const std::string& path, int width, int height, const std::uint8_t* rgba, std::size_t stride,
              bool bottomUp) {
    if (width <= 0 || height <= 0 || !rgba) {
        return false;
    }
    if (stride == 0) {
        stride = static_cast<std::size_t>(width) * 4;
    }
    File file{std::fopen(path.c_str(), "wb")};
    if (!file.f) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        std::remove(path.c_str());
        return false;
    }
    std::vector<png_const_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const int source = bottomUp ? height - 1 - y : y;
        rows[static_cast<std::size_t>(y)] = rgba + static_cast<std::size_t>(source) * stride;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file.f);
        file.f = nullptr;
        std::remove(path.c_str());
        return false;
    }
    png_init_io(png, file.f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    const bool closed = std::fclose(file.f) == 0;
    file.f = nullptr;
    if (!closed) {
        std::remove(path.c_str());
    }
    return closed;
}

bool readPng(const std::string& path, PngImage& image) {
    png_image reader{};
    reader.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&reader, path.c_str())) {
        return false;
    }
    reader.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(reader));
    if (!png_image_finish_read(&reader, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&reader);
        return false;
    }
    image.width = static_cast<int>(reader.width);
    image.height = static_cast<int>(reader.height);
    image.rgba = std::move(pixels);
    return true;
}

} // namespace platform
