#pragma once
// A video file read back with FFmpeg's libraries, for the tests of video capture: what its container
// says about it, and its frames decoded and converted back to RGB the way a player does, by the colour
// matrix and range the stream is tagged with.
#include <cstdint>
#include <string>
#include <vector>

struct DecodedVideo {
    std::string error; // empty when the file was read to its end
    int streams = 0;
    std::string codec; // FFmpeg's name of the first stream's codec: "h264", "vp9"
    int rateNumerator = 0;
    int rateDenominator = 1;
    double seconds = 0; // the duration the container gives
    int width = 0;
    int height = 0;
    bool fullRange = false; // the stream's tag: luma 0 to 255 rather than 16 to 235
    int frames = 0;
    std::vector<std::vector<std::uint8_t>> rgba; // the first frames, RGBA rows top row first
};

// Reads the file, keeping the first `keep` frames' pixels.
DecodedVideo decodeVideo(const std::string& path, int keep = 1);
