#pragma once
// PNG files of 8-bit RGBA images, through libpng: frame capture, screenshots and the asset tool's previews.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace runner {

// How libpng stores the image: a zlib level (0-9), the row filters (a mask of PNG_FILTER_* values) and a
// zlib strategy, a negative value keeping libpng's default; with `dropAlpha` the file is 8-bit RGB and
// the alpha bytes of the rows are left out (for pictures of an opaque screen).
struct PngCompression {
    int level = -1;
    int filters = -1;
    int strategy = -1;
    bool dropAlpha = false;
};

// Encodes width x height RGBA pixels, rows `stride` bytes apart (0: width * 4), into `png`. With
// `bottomUp` the first row in memory is the image's bottom row (as glReadPixels returns it) and the
// image is still stored upright. False (with `png` empty) if libpng fails.
bool encodePng(std::vector<std::uint8_t>& png, int width, int height, const std::uint8_t* rgba,
               std::size_t stride = 0, bool bottomUp = false, const PngCompression& compression = {});

// The bytes of a row handed to encodePngRows: 4 a pixel, or 3 (an RGB file, whatever `dropAlpha` says).
enum class PngRowFormat { Rgba, Rgb };

// The same for an image given a row at a time, top row first: `row(y)` returns row y's bytes, which stay
// valid until the next call.
bool encodePngRows(std::vector<std::uint8_t>& png, int width, int height,
                   const std::function<const std::uint8_t*(int)>& row, const PngCompression& compression = {},
                   PngRowFormat rows = PngRowFormat::Rgba);

// Encodes as encodePng with libpng's default compression and writes the file whole or not at all (a
// temporary name, then a rename). False if it cannot be written, with the reason in `error` if given.
bool writePng(const std::string& path, int width, int height, const std::uint8_t* rgba,
              std::size_t stride = 0, bool bottomUp = false, std::string* error = nullptr);

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // top row first, width * 4 bytes a row
};

enum class PngRead { Read, Missing, Refused };

// Reads a PNG file as 8-bit RGBA. Only a regular file is read (a FIFO or a device is not even opened for
// reading, where it could wait), and a picture whose header declares another size than `width` x `height`
// (with 0 x 0: more than maximumPngSide on a side) is refused before its pixels are allocated. The
// reason of a failure is said in `why`: "it is not a PNG file (...)".
PngRead readPngFile(const std::string& path, PngImage& image, std::string& why, int width = 0,
                    int height = 0);
inline constexpr int maximumPngSide = 16384;

// readPngFile without a size; false if the file is missing or refused.
bool readPng(const std::string& path, PngImage& image);

} // namespace runner
