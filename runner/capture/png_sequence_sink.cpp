#include "runner/capture/png_sequence_sink.h"

#include "platform/whole_file.h"

#include <cstdio>
#include <png.h>
#include <zlib.h>

namespace runner {

// zlib's run-length strategy (level 1; the strategy ignores the other levels) after the Sub filter, on
// 8-bit RGB: a presented frame is opaque, so its alpha bytes carry nothing. On frames of a lap at
// 640x480 it encodes in a seventh of the time of libpng's default (level 6 with the adaptive filter
// choice on RGBA) for files 7 % larger; the usual strategy at levels 1 and 2 is slower or makes larger
// files with every filter, and leaving out the alpha bytes saves a quarter of the time and a tenth of
// the size (scripts/png-compression measures them).
const PngCompression capturePngCompression{1, PNG_FILTER_SUB, Z_RLE, true};

PngSequenceSink::PngSequenceSink(std::string pattern) : pattern_(std::move(pattern)) {}

void PngSequenceSink::begin(int, int) {}

bool PngSequenceSink::encode(const CapturedFrame& frame, std::vector<std::uint8_t>& encoded,
                             std::string& error) const {
    std::vector<std::uint8_t> row;
    const auto rowOf = [&](int y) { return rgbRow(frame, frame.height - 1 - y, row); };
    if (!encodePngRows(encoded, frame.width, frame.height, rowOf, capturePngCompression, PngRowFormat::Rgb)) {
        error = "cannot encode " + numberedPath(pattern_, frame.number);
        return false;
    }
    return true;
}

bool PngSequenceSink::store(const CapturedFrame& frame, const std::vector<std::uint8_t>& encoded,
                            std::string& error) {
    // Not flushed to the disk one by one: a capture writes thousands.
    return platform::writeWholeFile(numberedPath(pattern_, frame.number),
                                    {reinterpret_cast<const char*>(encoded.data()), encoded.size()}, error,
                                    platform::Durability::Unsynced);
}

bool PngSequenceSink::finish(std::string&) {
    return true;
}

} // namespace runner
