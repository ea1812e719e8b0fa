#pragma once
// The colour conversion of captured video: BT.601 Y'CbCr in 16.16 fixed point, in the full (JPEG) range
// for y4m streams or the video range (luma 16 to 235) for encoded video, each pixel rounded on its own,
// chroma averaged over each 2 x 2 block (rounded to nearest) and 4:2:0 planes.
#include "runner/capture/frame_sink.h"

#include <cstddef>
#include <cstdint>

namespace runner {

// Bytes of the three planes for a width x height picture: Y, then Cb and Cr of ceil(w/2) x ceil(h/2).
std::size_t yuv420Size(int width, int height);

enum class YuvRange { Full, Video };

// Converts a captured frame (bottom row first, RGBA or 5-6-5) into upright planes of width x height. A
// frame of another size is cropped or padded with black; a chroma block that the frame covers only
// partly averages the pixels it covers.
void convertToYuv420(const CapturedFrame& frame, int width, int height, std::uint8_t* planes,
                     YuvRange range = YuvRange::Full);

} // namespace runner
